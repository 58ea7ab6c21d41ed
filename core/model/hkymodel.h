// The window's model: one parameter set of the family (model_family.h) in
// the window's own parameters, scored against the observed table of a
// FitTarget as the window has always scored it, cell by cell in a fixed
// order. The window's Solve (Powell's method to a fractional tolerance of
// 1e-8) follows every last bit of these values, so they keep their own
// arithmetic; they equal the family's transition_probabilities.h to
// rounding, which the tests check.
#pragma once

#include "minimize/minimize.h"
#include "model/model_family.h"

namespace dyvern {

class HKYModel : public Minimize {
public:
    // Requires 0 < piT < 1, piT = 1 - piA - piC - piG. The target must outlive
    // the model; its model kind, criterion and observed table are consulted.
    HKYModel(const FitTarget& target, double bt, double kappa, double piA, double piC,
             double piG);

    // -lnL under MaxLikelihood, SS under LeastSquares; smaller is better.
    double Objective(const double* x, int count) override;
    // lnL itself, or SS: the number the window shows.
    double CriterionValue();

    // Probability that a site with some base in one sequence shows base j in
    // the other, for an identical, a transition or a transversion pair.
    double ProbSame(int j) const;
    double ProbTransition(int j) const;
    double ProbTransversion(int j) const;
    // pi[i] * P(i -> j): the model's probability of the pair (i, j).
    double JointProbability(int i, int j) const;

    double LogLikelihood() const;
    double SumOfSquares() const;
    double ExpectedTransitions() const;    // expP
    double ExpectedTransversions() const;  // expQ

    // Free parameters, transformed so that every real vector is valid.
    int GetVector(double* x) const;  // room for kMaxFreeParameters; returns the length
    void SetVector(const double* x);

    double bt;          // branch length b*t, > 0
    double kappa;       // transition/transversion rate ratio, > 0
    double pi[4];       // base frequencies; pi[T] is the remainder
    double piClass[4];  // summed frequency of each base's class (purine/pyrimidine)
    double obsP;        // observed proportion of transitional differences
    double obsQ;        // observed proportion of transversional differences

private:
    bool FrequenciesFree() const;
    bool KappaFree() const;
    double SearchWall() const;

    const FitTarget& target;
};

}  // namespace dyvern
