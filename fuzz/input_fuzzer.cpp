// Raw bytes through gzip decoding, detection and every reader, in memory:
// each gives a well-formed alignment or an InputError, never anything else.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

#include "align/fasta_reader.h"
#include "align/input.h"
#include "align/input_error.h"
#include "align/iupac.h"
#include "align/nexus_reader.h"
#include "align/phylip_reader.h"

namespace {

using dyvern::Alignment;

void CheckAlignment(const Alignment& alignment) {
    const auto& sequences = alignment.sequences;
    if (alignment.names.size() < 2 || alignment.names.size() != sequences.size()) std::abort();
    const std::set<std::string> distinct(alignment.names.begin(), alignment.names.end());
    if (distinct.size() != alignment.names.size() || distinct.count("") != 0) std::abort();
    for (const std::string& sequence : sequences) {
        if (sequence.empty() || sequence.size() != sequences[0].size()) std::abort();
        for (const char c : sequence)
            if (dyvern::NormalizedCode(c) != c) std::abort();
    }
}

template <typename Reader>
void TryReader(Reader read) {
    try {
        CheckAlignment(read());
    } catch (const dyvern::InputError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const dyvern::Input input = dyvern::ParseInput(bytes, "fuzz");
        if (const auto* alignment = std::get_if<Alignment>(&input.content))
            CheckAlignment(*alignment);
    } catch (const dyvern::InputError&) {
    }
    // Each reader on the same bytes, whatever the detection made of them.
    TryReader([&] { return dyvern::ReadFasta(bytes, "fuzz"); });
    TryReader([&] { return dyvern::ReadPhylip(bytes, "fuzz"); });
    TryReader([&] { return dyvern::ReadNexus(bytes, "fuzz"); });
    return 0;
}
