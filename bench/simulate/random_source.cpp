#include "random_source.h"

#include <cmath>

namespace dyvern {

std::uint64_t RandomSource::Below(std::uint64_t n) {
    // Rejection keeps every value equally likely: words from the incomplete
    // last block of n are drawn again.
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % n;
    std::uint64_t word = engine_();
    while (word >= limit) word = engine_();
    return word % n;
}

double RandomSource::Exponential() { return -std::log1p(-Uniform01()); }

std::uint64_t StreamSeed(std::uint64_t seed, Stream stream) {
    // One splitmix64 step over seed and stream number: nearby seeds give
    // unrelated engine states.
    std::uint64_t z = seed + static_cast<std::uint64_t>(stream) * 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

}  // namespace dyvern
