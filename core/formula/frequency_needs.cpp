#include "formula/frequency_needs.h"

#include <cmath>

namespace dyvern {

const char* FrequencyProblem(ModelKind model, const std::array<double, 4>& pi) {
    const auto present = [&pi](Nucleotide b) { return pi[b] > 0.0; };
    switch (model) {
        case ModelKind::F81: {
            int bases = 0;
            for (const double f : pi) bases += f > 0.0;
            return bases < 2 ? "F81 is undefined: the frequencies hold a single base" : nullptr;
        }
        case ModelKind::T92: {
            const double gc = pi[C] + pi[G];
            return gc > 0.0 && gc < 1.0 ? nullptr
                                        : "T92 is undefined: the frequencies lack G + C or A + T";
        }
        case ModelKind::F84:
            if (!(present(A) || present(G)) || !(present(C) || present(T)))
                return "F84 is undefined: the frequencies lack a purine or a pyrimidine";
            if (!(present(A) && present(G)) && !(present(C) && present(T)))
                return "F84 is undefined: the frequencies hold neither both purines nor both "
                       "pyrimidines";
            return nullptr;
        default:
            return nullptr;
    }
}

bool KimuraFallback(ModelKind model, const std::array<double, 4>& pi) {
    return model == ModelKind::TN93 &&
           (pi[A] == 0.0 || pi[C] == 0.0 || pi[G] == 0.0 || pi[T] == 0.0);
}

const char* GivenFrequencyProblem(const std::array<double, 4>& pi) {
    double sum = 0.0;
    for (const double f : pi) {
        if (!(f >= 0.0) || !std::isfinite(f))
            return "a given frequency is negative or not a finite number";
        sum += f;
    }
    return sum > 0.0 ? nullptr : "the given frequencies are all 0";
}

const char* CompositionProblem(const std::array<double, 4>& sequence1,
                               const std::array<double, 4>& sequence2) {
    for (int b = 0; b < 4; ++b)
        if (!(sequence1[b] > 0.0) || !(sequence2[b] > 0.0))
            return "the determinant distances are undefined: a base is absent from one of the "
                   "sequences";
    return nullptr;
}

}  // namespace dyvern
