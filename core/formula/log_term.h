// The term every closed form is made of. A form finds, for a kind of change,
// the share w of sites that change has not yet reached, and turns it into
// the amount x of change that leaves that share: w = e^-x when every site
// evolves at one rate, so x = -ln w; w = (1 + x/alpha)^-alpha, the mean of
// e^(-r x) over rates r from a gamma distribution of mean 1 and shape
// alpha, so x = alpha (w^(-1/alpha) - 1). The two differ in nothing else,
// which is why every form takes this term as a parameter.
#pragma once

#include <cmath>
#include <limits>

#include "base/dual.h"
#include "base/jet.h"

namespace dyvern {

class LogTerm {
public:
    // alpha 0: one rate for every site.
    explicit LogTerm(double alpha = 0.0) : alpha_(alpha) {}

    // A term that only watches its arguments, for whether a form saturates
    // without working d out: each term is 0, and an argument so small that
    // a gamma term could pass 1e300 counts as saturated too (no form adds
    // more than three terms, each with a coefficient of at most 1).
    static LogTerm ArgumentsOnly(double alpha = 0.0) {
        LogTerm L(alpha);
        L.argumentsOnly_ = true;
        if (alpha > 0.0) L.smallest_ = std::pow(kLargestTerm / alpha, -alpha);
        return L;
    }

    template <class T>
    T operator()(const T& w) {
        using std::log;
        using std::pow;
        // No amount of change leaves a share w <= 0: the data lie beyond
        // the form's reach, saturated for it.
        if (!(ValueOf(w) > smallest_)) {
            saturated_ = true;
            return T(std::numeric_limits<double>::quiet_NaN());
        }
        if (argumentsOnly_) return T(0.0);
        if (alpha_ == 0.0) return -log(w);
        return alpha_ * (pow(w, -1.0 / alpha_) - 1.0);
    }

    // Whether some argument was <= 0.
    bool Saturated() const { return saturated_; }

private:
    static constexpr double kLargestTerm = 1e300;
    double alpha_;
    double smallest_ = 0.0;
    bool argumentsOnly_ = false;
    bool saturated_ = false;
};

}  // namespace dyvern
