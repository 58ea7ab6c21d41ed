// How each likelihood model's free parameters sit among the family's rates
// (substitution_rates.h): the coordinates its searches move. A model has
// kRates rate coordinates first (each a rate times the time, >= 0; d is
// linear in them), then kShares frequency coordinates (shares in [0, 1]).
// A model is added here, with its entry in model_family.cpp.
//
// Each RatesAt runs on doubles, Jets and Duals alike; PointOf is its
// inverse on rates the model can hold. kLimits lists, as bit masks over the
// rate coordinates, the saturated limits where d is infinite: which rates
// run to infinity while the others are searched, all of them first.
// kTransversions and kTransitions mark the rates of each kind of change
// (none where one rate drives both).
#pragma once

#include <algorithm>
#include <array>

#include "model/substitution_rates.h"

namespace dyvern {

template <ModelKind M>
struct ModelCoordinates;

// JC69: one rate for every change, equal frequencies.
template <>
struct ModelCoordinates<ModelKind::JC69> {
    static constexpr int kRates = 1, kShares = 0, kSize = 1;
    static constexpr std::array<unsigned, 1> kLimits = {{0b1}};
    static constexpr unsigned kTransversions = 0b0, kTransitions = 0b0;
    template <class T>
    static Rates<T> RatesAt(const std::array<T, kSize>& x) {
        return {x[0], x[0], x[0], T(0.5), T(0.5), T(0.5)};
    }
    static std::array<double, kSize> PointOf(const Rates<double>& k) { return {k.v}; }
};

// F81: one rate for every change, free frequencies (r, a, c).
template <>
struct ModelCoordinates<ModelKind::F81> {
    static constexpr int kRates = 1, kShares = 3, kSize = 4;
    static constexpr std::array<unsigned, 1> kLimits = {{0b1}};
    static constexpr unsigned kTransversions = 0b0, kTransitions = 0b0;
    template <class T>
    static Rates<T> RatesAt(const std::array<T, kSize>& x) {
        return {x[0], x[0], x[0], x[1], x[2], x[3]};
    }
    static std::array<double, kSize> PointOf(const Rates<double>& k) {
        return {k.v, k.r, k.a, k.c};
    }
};

// K80: transversions (v) and transitions (s), equal frequencies.
template <>
struct ModelCoordinates<ModelKind::K80> {
    static constexpr int kRates = 2, kShares = 0, kSize = 2;
    static constexpr std::array<unsigned, 2> kLimits = {{0b11, 0b10}};
    static constexpr unsigned kTransversions = 0b01, kTransitions = 0b10;
    template <class T>
    static Rates<T> RatesAt(const std::array<T, kSize>& x) {
        return {x[0], x[1], x[1], T(0.5), T(0.5), T(0.5)};
    }
    static std::array<double, kSize> PointOf(const Rates<double>& k) { return {k.v, k.sR}; }
};

// HKY85: v and s, free frequencies.
template <>
struct ModelCoordinates<ModelKind::HKY85> {
    static constexpr int kRates = 2, kShares = 3, kSize = 5;
    static constexpr std::array<unsigned, 2> kLimits = {{0b11, 0b10}};
    static constexpr unsigned kTransversions = 0b01, kTransitions = 0b10;
    template <class T>
    static Rates<T> RatesAt(const std::array<T, kSize>& x) {
        return {x[0], x[1], x[1], x[2], x[3], x[4]};
    }
    static std::array<double, kSize> PointOf(const Rates<double>& k) {
        return {k.v, k.sR, k.r, k.a, k.c};
    }
};

// T92: v and s, and the share of G + C (theta): piG = piC = theta / 2,
// piA = piT = (1 - theta) / 2, so r = 1/2, a = 1 - theta, c = theta.
template <>
struct ModelCoordinates<ModelKind::T92> {
    static constexpr int kRates = 2, kShares = 1, kSize = 3;
    static constexpr std::array<unsigned, 2> kLimits = {{0b11, 0b10}};
    static constexpr unsigned kTransversions = 0b01, kTransitions = 0b10;
    template <class T>
    static Rates<T> RatesAt(const std::array<T, kSize>& x) {
        return {x[0], x[1], x[1], T(0.5), T(1.0) - x[2], x[2]};
    }
    static std::array<double, kSize> PointOf(const Rates<double>& k) {
        const std::array<double, 4> pi = Frequencies(k);
        return {k.v, k.sR, pi[C] + pi[G]};
    }
};

// F84 in its own parameters: transversions at b pi_j, and transitions at
// (b + k / piClass) pi_j, piClass the frequency of the class of j (the
// share of purines r, or 1 - r). x = (b, k, r, a, c).
template <>
struct ModelCoordinates<ModelKind::F84> {
    static constexpr int kRates = 2, kShares = 3, kSize = 5;
    static constexpr std::array<unsigned, 2> kLimits = {{0b11, 0b10}};
    static constexpr unsigned kTransversions = 0b01, kTransitions = 0b10;
    template <class T>
    static Rates<T> RatesAt(const std::array<T, kSize>& x) {
        Rates<T> k{x[0], x[0] + x[1] / x[2], x[0] + x[1] / (T(1.0) - x[2]), x[2], x[3], x[4]};
        k.oneTransitionRate = false;
        return k;
    }
    static std::array<double, kSize> PointOf(const Rates<double>& k) {
        const double extra = std::max(0.0, k.sR - k.v) * k.r;
        return {k.v, extra, k.r, k.a, k.c};
    }
};

// TN93: v, the purine transitions (sR) and the pyrimidine ones (sY), free
// frequencies.
template <>
struct ModelCoordinates<ModelKind::TN93> {
    static constexpr int kRates = 3, kShares = 3, kSize = 6;
    static constexpr std::array<unsigned, 4> kLimits = {{0b111, 0b010, 0b100, 0b110}};
    static constexpr unsigned kTransversions = 0b001, kTransitions = 0b110;
    template <class T>
    static Rates<T> RatesAt(const std::array<T, kSize>& x) {
        Rates<T> k{x[0], x[1], x[2], x[3], x[4], x[5]};
        k.oneTransitionRate = false;
        return k;
    }
    static std::array<double, kSize> PointOf(const Rates<double>& k) {
        return {k.v, k.sR, k.sY, k.r, k.a, k.c};
    }
};

// K81: the three types of change at equal frequencies.
template <>
struct ModelCoordinates<ModelKind::K81> {
    static constexpr int kRates = 3, kShares = 0, kSize = 3;
    static constexpr std::array<unsigned, 4> kLimits = {{0b111, 0b001, 0b010, 0b100}};
    static constexpr unsigned kTransversions = 0b110, kTransitions = 0b001;
    template <class T>
    static ThreeTypeRates<T> RatesAt(const std::array<T, kSize>& x) {
        return {x[0], x[1], x[2]};
    }
    static std::array<double, kSize> PointOf(const Rates<double>& k) { return {k.sR, k.v, k.v}; }
};

// GTR: the six exchangeabilities times the time (AC AG AT CG CT GT), and
// free frequencies.
template <>
struct ModelCoordinates<ModelKind::GTR> {
    static constexpr int kRates = kBasePairs, kShares = 3, kSize = kBasePairs + 3;
    static constexpr std::array<unsigned, 7> kLimits = {{0b111111, 0b000001, 0b000010, 0b000100, 0b001000, 0b010000, 0b100000}};
    static constexpr unsigned kTransversions = 0b101101, kTransitions = 0b010010;
    template <class T>
    static GeneralRates<T> RatesAt(const std::array<T, kSize>& x) {
        GeneralRates<T> k;
        for (int p = 0; p < kBasePairs; ++p) k.theta[p] = x[p];
        k.r = x[kBasePairs];
        k.a = x[kBasePairs + 1];
        k.c = x[kBasePairs + 2];
        return k;
    }
    static std::array<double, kSize> PointOf(const Rates<double>& k) {
        return {k.v, k.sR, k.v, k.v, k.sY, k.v, k.r, k.a, k.c};
    }
};

}  // namespace dyvern
