// Standard input taken from a file for the life of an object, as a shell's
// `< FILE` would give it, so that commands reading "-" run in-process.
#pragma once

#include <string>

namespace dyvern::testing {

class StandardInputFrom {
public:
    explicit StandardInputFrom(const std::string& path);
    ~StandardInputFrom();
    StandardInputFrom(const StandardInputFrom&) = delete;
    StandardInputFrom& operator=(const StandardInputFrom&) = delete;

private:
    int saved_;
};

inline const std::string kSurveillanceData = DYVERN_SURVEILLANCE_DATA;

}  // namespace dyvern::testing
