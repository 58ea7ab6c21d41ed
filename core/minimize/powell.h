// Powell's direction-set method: derivative-free minimisation by repeated
// line minimisations along a set of directions that adapts to the function.
#pragma once

#include <vector>

#include "minimize/minimize.h"

namespace dyvern {

class Powell {
public:
    // point: n doubles, the start on entry and the minimum on return.
    // directions: at least n row pointers; direction i is column i of the
    // top-left n x n block, changed in place. iterations and minValue receive
    // the sweep count and the value at the minimum. Everything is borrowed.
    Powell(double* point, double* const* directions, int n, double ftol, int* iterations,
           double* minValue, Minimize* objective);

    void Run();

    // Sweeps after which Run gives up: by ending the program with the
    // iteration-limit message, or, when `stopProgramAtSweepLimit` is false,
    // by returning with the counter above the limit and the best point so far.
    static constexpr int kSweepLimit = 200;
    bool stopProgramAtSweepLimit = true;

    Minimize* objective;
    int n;
    int* iterations;
    double ftol;  // fractional tolerance on the fall of the value in one sweep
    double* minValue;
    double* point;
    double* const* directions;

private:
    void RunLineMin();
    void ReplaceLargestDecrease(int ibest);

    std::vector<double> sweepStart;     // the point at the start of the sweep
    std::vector<double> extrapolated;   // 2 * point - sweepStart
    std::vector<double> lineDirection;  // the direction handed to each line search
};

}  // namespace dyvern
