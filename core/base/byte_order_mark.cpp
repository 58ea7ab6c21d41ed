#include "base/byte_order_mark.h"

#include <cstddef>
#include <streambuf>
#include <string>

namespace dyvern {

std::string_view WithoutByteOrderMark(std::string_view text) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    return text;
}

bool SkipByteOrderMark(std::istream& in) {
    std::streambuf* buffer = in.rdbuf();
    if (buffer == nullptr) return true;
    using Traits = std::char_traits<char>;
    for (std::size_t k = 0; k < kByteOrderMark.size(); ++k) {
        if (buffer->sgetc() != Traits::to_int_type(kByteOrderMark[k])) return k == 0;
        buffer->sbumpc();
    }
    return true;
}

}  // namespace dyvern
