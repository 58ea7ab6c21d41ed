#include "base/format.h"

#include <cstdio>

namespace dyvern {

std::string FormatFixed(double value, int decimals) {
    const std::string format = "%." + std::to_string(decimals) + "f";
    const int length = std::snprintf(nullptr, 0, format.c_str(), value);
    std::string text(length > 0 ? length : 0, '\0');
    std::snprintf(text.data(), text.size() + 1, format.c_str(), value);
    return text;
}

}  // namespace dyvern
