// The published closed forms of the class models, each written once, as a
// template over its numbers: on doubles it gives d; on Dual numbers whose
// variables are the shares of the difference classes (and the base
// frequencies, when they come from the pair), it gives d with its exact
// gradient, from which the delta method takes the variance. So d and its
// variance never come from two formulas that could drift apart.
//
// The frequencies must hold what each form divides by (frequency_needs.h);
// TN93's fall-back to K80 when one is 0 is the caller's.
// (The number type is `Number`: T names a base.)
#pragma once

#include <array>
#include <limits>

#include "formula/log_term.h"
#include "model/divergence.h"

namespace dyvern {

template <class Number>
struct FormInput {
    Number purineTransitions;        // A <-> G
    Number pyrimidineTransitions;    // C <-> T
    Number weakStrongTransversions;  // A <-> T, C <-> G
    Number aminoKetoTransversions;   // A <-> C, G <-> T
    std::array<Number, 4> pi;        // A C G T
};

// The forms' own estimates of their other parameters; NaN where a form
// gives none.
struct FormParameters {
    double kappa = std::numeric_limits<double>::quiet_NaN();   // K80
    double gc = std::numeric_limits<double>::quiet_NaN();      // T92: the G + C share
    double kappaR = std::numeric_limits<double>::quiet_NaN();  // TN93: purine transitions
    double kappaY = std::numeric_limits<double>::quiet_NaN();  // TN93: pyrimidine transitions
};

template <class Number>
struct FormValue {
    Number d;
    FormParameters parameters;
};

namespace form_detail {

template <class Number>
Number Transitions(const FormInput<Number>& x) {
    return x.purineTransitions + x.pyrimidineTransitions;
}
template <class Number>
Number Transversions(const FormInput<Number>& x) {
    return x.weakStrongTransversions + x.aminoKetoTransversions;
}

// A transition/transversion rate ratio from its value `ratio`: without
// transversions it is unbounded where the transitions it measures occur and
// undetermined where they do not; past saturation it is undetermined.
double RateRatio(double ratio, double transitions, double transversions, bool saturated);

}  // namespace form_detail

// The share of sites that differ; no log term.
struct RawForm {
    template <class Number>
    FormValue<Number> operator()(const FormInput<Number>& x, LogTerm&) const {
        return {form_detail::Transitions(x) + form_detail::Transversions(x), {}};
    }
};

// Jukes and Cantor (1969): 3/4 L(1 - 4p/3).
struct JukesCantorForm {
    template <class Number>
    FormValue<Number> operator()(const FormInput<Number>& x, LogTerm& L) const {
        const Number p = form_detail::Transitions(x) + form_detail::Transversions(x);
        return {0.75 * L(1.0 - 4.0 * p / 3.0), {}};
    }
};

// Kimura (1980): 1/2 L(1 - 2P - Q) + 1/4 L(1 - 2Q); kappa = 2 L1 / L2 - 1,
// the ratio of the two rates the two terms measure.
struct KimuraForm {
    template <class Number>
    FormValue<Number> operator()(const FormInput<Number>& x, LogTerm& L) const {
        const Number P = form_detail::Transitions(x), Q = form_detail::Transversions(x);
        const Number L1 = L(1.0 - 2.0 * P - Q), L2 = L(1.0 - 2.0 * Q);
        FormValue<Number> value{0.5 * L1 + 0.25 * L2, {}};
        value.parameters.kappa = form_detail::RateRatio(2.0 * ValueOf(L1) / ValueOf(L2) - 1.0,
                                                        ValueOf(P), ValueOf(Q), L.Saturated());
        return value;
    }
};

// Felsenstein (1981): E L(1 - p/E), E = 1 - sum pi^2.
struct FelsensteinForm {
    template <class Number>
    FormValue<Number> operator()(const FormInput<Number>& x, LogTerm& L) const {
        const std::array<Number, 4>& pi = x.pi;
        const Number E = 1.0 - pi[A] * pi[A] - pi[C] * pi[C] - pi[G] * pi[G] - pi[T] * pi[T];
        const Number p = form_detail::Transitions(x) + form_detail::Transversions(x);
        return {E * L(1.0 - p / E), {}};
    }
};

// Tamura (1992): h L(1 - P/h - Q) + (1 - h)/2 L(1 - 2Q), h = 2 theta
// (1 - theta), theta the G + C share of the frequencies.
struct TamuraForm {
    template <class Number>
    FormValue<Number> operator()(const FormInput<Number>& x, LogTerm& L) const {
        const Number P = form_detail::Transitions(x), Q = form_detail::Transversions(x);
        const Number theta = x.pi[C] + x.pi[G];
        const Number h = 2.0 * theta * (1.0 - theta);
        FormValue<Number> value{h * L(1.0 - P / h - Q) + 0.5 * (1.0 - h) * L(1.0 - 2.0 * Q), {}};
        value.parameters.gc = ValueOf(theta);
        return value;
    }
};

// Kimura (1981), three substitution types: 1/4 [L(1 - 2P - 2Q) +
// L(1 - 2P - 2R) + L(1 - 2Q - 2R)], Q weak-strong, R amino-keto.
struct KimuraThreeForm {
    template <class Number>
    FormValue<Number> operator()(const FormInput<Number>& x, LogTerm& L) const {
        const Number P = form_detail::Transitions(x);
        const Number Q = x.weakStrongTransversions, R = x.aminoKetoTransversions;
        const Number a1 = 1.0 - 2.0 * P - 2.0 * Q, a2 = 1.0 - 2.0 * P - 2.0 * R;
        const Number a3 = 1.0 - 2.0 * Q - 2.0 * R;
        return {0.25 * (L(a1) + L(a2) + L(a3)), {}};
    }
};

// F84 (Felsenstein 1984): 2A L(u) - 2(A - B - C) L(v), u = 1 - P/(2A) - (A - B) Q/(2AC),
// v = 1 - Q/(2C), A = piA piG/piR + piC piT/piY, B = piA piG + piC piT,
// C = piR piY.
struct F84Form {
    template <class Number>
    FormValue<Number> operator()(const FormInput<Number>& x, LogTerm& L) const {
        const std::array<Number, 4>& pi = x.pi;
        const Number P = form_detail::Transitions(x), Q = form_detail::Transversions(x);
        const Number piR = pi[A] + pi[G], piY = pi[C] + pi[T];
        const Number AG = pi[A] * pi[G], CT = pi[C] * pi[T];
        const Number a = AG / piR + CT / piY, b = AG + CT, c = piR * piY;
        const Number u = 1.0 - P / (2.0 * a) - (a - b) * Q / (2.0 * a * c);
        const Number v = 1.0 - Q / (2.0 * c);
        return {2.0 * a * L(u) - 2.0 * (a - b - c) * L(v), {}};
    }
};

// Tamura and Nei (1993): k1 L(w1) + k2 L(w2) + k3 L(w3) with
// k1 = 2 piA piG/piR, k2 = 2 piC piT/piY,
// k3 = 2 (piR piY - piA piG piY/piR - piC piT piR/piY),
// w1 = 1 - P1/k1 - Q/(2 piR), w2 = 1 - P2/k2 - Q/(2 piY),
// w3 = 1 - Q/(2 piR piY). The terms measure beta t, (piR alpha1 + piY beta) t
// and (piY alpha2 + piR beta) t, whence kappaR = alpha1/beta and
// kappaY = alpha2/beta.
struct TamuraNeiForm {
    template <class Number>
    FormValue<Number> operator()(const FormInput<Number>& x, LogTerm& L) const {
        const std::array<Number, 4>& pi = x.pi;
        const Number Q = form_detail::Transversions(x);
        const Number piR = pi[A] + pi[G], piY = pi[C] + pi[T];
        const Number AG = pi[A] * pi[G], CT = pi[C] * pi[T];
        const Number k1 = 2.0 * AG / piR, k2 = 2.0 * CT / piY;
        const Number k3 = 2.0 * (piR * piY - AG * piY / piR - CT * piR / piY);
        const Number L1 = L(1.0 - x.purineTransitions / k1 - Q / (2.0 * piR));
        const Number L2 = L(1.0 - x.pyrimidineTransitions / k2 - Q / (2.0 * piY));
        const Number L3 = L(1.0 - Q / (2.0 * piR * piY));
        FormValue<Number> value{k1 * L1 + k2 * L2 + k3 * L3, {}};
        const double l3 = ValueOf(L3), q = ValueOf(Q);
        value.parameters.kappaR =
            form_detail::RateRatio((ValueOf(L1) - ValueOf(piY) * l3) / (ValueOf(piR) * l3),
                                   ValueOf(x.purineTransitions), q, L.Saturated());
        value.parameters.kappaY =
            form_detail::RateRatio((ValueOf(L2) - ValueOf(piR) * l3) / (ValueOf(piY) * l3),
                                   ValueOf(x.pyrimidineTransitions), q, L.Saturated());
        return value;
    }
};

}  // namespace dyvern
