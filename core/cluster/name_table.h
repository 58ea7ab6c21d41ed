// Names held once each, numbered in the order they are first seen, so that a
// graph of millions of edges stores two small numbers per edge. The names lie
// end to end in one block and are found through an open-addressed table of
// numbers tagged with a part of their hash: a lookup touches one slot and,
// when the tags agree, one name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dyvern {

class NameTable {
public:
    NameTable();

    // The number of `name`, the next one the first time it is seen. Throws
    // std::length_error beyond 2^32 - 2 names.
    std::uint32_t Intern(std::string_view name);
    std::size_t size() const { return starts_.size() - 1; }
    std::string_view Name(std::uint32_t id) const {
        return std::string_view(text_).substr(starts_[id], starts_[id + 1] - starts_[id]);
    }

private:
    struct Slot {
        std::uint32_t idPlusOne;  // 0: empty
        std::uint32_t tag;        // the hash's upper half
    };
    void Grow();
    void Place(std::uint32_t id, std::uint64_t hash);

    std::string text_;                   // every name, end to end
    std::vector<std::uint64_t> starts_;  // name k is [starts_[k], starts_[k + 1])
    std::vector<Slot> slots_;            // a power of two, at most half full
};

}  // namespace dyvern
