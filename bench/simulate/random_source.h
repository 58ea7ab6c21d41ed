// The simulator's only source of randomness. The engine is std::mt19937_64,
// whose output the C++ standard fixes bit for bit, and every draw below is
// made from its raw 64-bit words by our own arithmetic, so one seed gives the
// same alignment with every compiler and library.
#pragma once

#include <array>
#include <cstdint>
#include <random>

namespace dyvern {

class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed) : engine_(seed) {}

    // Uniform on [0, 1): the top 53 bits of one engine word.
    double Uniform01() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

    // Uniform on 0 .. n-1, for n >= 1.
    std::uint64_t Below(std::uint64_t n);

    // Exponential with mean 1.
    double Exponential();

    // Index k of the first cumulative[k] above one uniform draw;
    // cumulative must rise to cumulative[3] = 1.
    int Pick(const std::array<double, 4>& cumulative) {
        const double u = Uniform01();
        return (u >= cumulative[0]) + (u >= cumulative[1]) + (u >= cumulative[2]);
    }

private:
    std::mt19937_64 engine_;
};

// Seeds for the separate streams of one run, so that adding gaps, say, leaves
// the tree and the bases of the same seed unchanged.
enum class Stream : std::uint64_t { Tree = 1, Bases = 2, Noise = 3 };
std::uint64_t StreamSeed(std::uint64_t seed, Stream stream);

}  // namespace dyvern
