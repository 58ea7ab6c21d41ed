#include "formula/class_evaluation.h"

#include <cmath>
#include <limits>

#include "base/dual.h"

namespace dyvern {
namespace {

// N = 4: the class shares; N = 8: the shares and the frequencies.
template <int N, class Form>
ClassEvaluation Evaluate(const Form& form, const DifferenceShares& s,
                         const std::array<double, 4>& pi, double gammaShape) {
    using D = Dual<N>;
    FormInput<D> x{DualVariable<N>(s.purineTransitions, 0),
                   DualVariable<N>(s.pyrimidineTransitions, 1),
                   DualVariable<N>(s.weakStrongTransversions, 2),
                   DualVariable<N>(s.aminoKetoTransversions, 3),
                   {}};
    for (int k = 0; k < 4; ++k) {
        if constexpr (N == 8) {
            x.pi[k] = DualVariable<N>(pi[k], 4 + k);
        } else {
            x.pi[k] = D(pi[k]);
        }
    }
    LogTerm L(gammaShape);
    const FormValue<D> value = form(x, L);
    ClassEvaluation e;
    e.d = value.d.value;
    for (int c = 0; c < 4; ++c) e.byShare[c] = value.d.gradient[c];
    if constexpr (N == 8) {
        for (int k = 0; k < 4; ++k) e.byFrequency[k] = value.d.gradient[4 + k];
    }
    e.parameters = value.parameters;
    e.saturated = L.Saturated() || !std::isfinite(e.d);
    return e;
}

template <class Form>
ClassEvaluation EvaluateWithFrequencies(const Form& form, const DifferenceShares& s,
                                        const std::array<double, 4>& pi, bool vary,
                                        double gammaShape) {
    return vary ? Evaluate<8>(form, s, pi, gammaShape) : Evaluate<4>(form, s, pi, gammaShape);
}

// On doubles: no gradient, and the same d to the last bit, since a Dual's
// value is worked as the double is.
template <class Form>
ClassEvaluation EvaluateValue(const Form& form, const DifferenceShares& s,
                              const std::array<double, 4>& pi, double gammaShape) {
    const FormInput<double> x{s.purineTransitions, s.pyrimidineTransitions,
                              s.weakStrongTransversions, s.aminoKetoTransversions, pi};
    LogTerm L(gammaShape);
    const FormValue<double> value = form(x, L);
    ClassEvaluation e;
    e.d = value.d;
    e.parameters = value.parameters;
    e.saturated = L.Saturated() || !std::isfinite(e.d);
    return e;
}

template <class Form>
ClassEvaluation Arguments(const Form& form, const DifferenceShares& s,
                          const std::array<double, 4>& pi, double gammaShape) {
    const FormInput<double> x{s.purineTransitions, s.pyrimidineTransitions,
                              s.weakStrongTransversions, s.aminoKetoTransversions, pi};
    LogTerm L = LogTerm::ArgumentsOnly(gammaShape);
    form(x, L);
    ClassEvaluation e;
    e.saturated = L.Saturated();
    return e;
}

ClassEvaluation NoForm() {
    ClassEvaluation none;
    none.d = std::numeric_limits<double>::quiet_NaN();
    none.saturated = true;
    return none;
}

// Calls evaluate(form, usesFrequencies) with the model's form.
template <class Evaluate>
ClassEvaluation WithForm(ModelKind model, const Evaluate& evaluate) {
    switch (model) {
        case ModelKind::Raw:
            return evaluate(RawForm{}, false);
        case ModelKind::JC69:
            return evaluate(JukesCantorForm{}, false);
        case ModelKind::K80:
            return evaluate(KimuraForm{}, false);
        case ModelKind::K81:
            return evaluate(KimuraThreeForm{}, false);
        case ModelKind::F81:
            return evaluate(FelsensteinForm{}, true);
        case ModelKind::T92:
            return evaluate(TamuraForm{}, true);
        case ModelKind::F84:
            return evaluate(F84Form{}, true);
        case ModelKind::TN93:
            return evaluate(TamuraNeiForm{}, true);
        default:
            return NoForm();
    }
}

}  // namespace

bool UsesFrequencies(ModelKind model) {
    return model == ModelKind::F81 || model == ModelKind::T92 || model == ModelKind::F84 ||
           model == ModelKind::TN93;
}

ClassEvaluation EvaluateClassForm(ModelKind model, const DifferenceShares& s,
                                  const std::array<double, 4>& pi, bool vary, double gammaShape) {
    return WithForm(model, [&](const auto& form, bool usesFrequencies) {
        return usesFrequencies ? EvaluateWithFrequencies(form, s, pi, vary, gammaShape)
                               : Evaluate<4>(form, s, pi, gammaShape);
    });
}

ClassEvaluation EvaluateClassFormValue(ModelKind model, const DifferenceShares& s,
                                       const std::array<double, 4>& pi, double gammaShape) {
    return WithForm(model,
                    [&](const auto& form, bool) { return EvaluateValue(form, s, pi, gammaShape); });
}

}  // namespace dyvern
