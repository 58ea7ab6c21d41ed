#include "align/alignment.h"

#include <algorithm>

#include "align/input_error.h"

namespace dyvern {

std::size_t IndexOfName(const Alignment& alignment, const std::string& name) {
    const auto found = std::find(alignment.names.begin(), alignment.names.end(), name);
    if (found == alignment.names.end())
        throw InputError(alignment.source, "no sequence named " + QuotedName(name));
    return static_cast<std::size_t>(found - alignment.names.begin());
}

}  // namespace dyvern
