// Minimisation of an objective along one straight line through a point:
// golden-ratio bracketing with parabolic extrapolation, then Brent's method.
#pragma once

#include <vector>

#include "minimize/minimize.h"

namespace dyvern {

// A position t on the line stands for point + t * direction.
class LineMin {
public:
    // Everything is borrowed and must outlive the LineMin.
    LineMin(double* point, double* direction, int n, double* minValue, Minimize* objective);

    // Moves point to the minimum along the line, replaces direction by the
    // displacement taken and stores the value there in *minValue.
    void Run();

    double ValueAt(double t);
    // ta and tb in; on return ta, tb, tc bracket a minimum, fa, fb, fc the values there.
    void Bracket(double& ta, double& tb, double& tc, double& fa, double& fb, double& fc);
    // Returns the smallest value found inside the bracket and its position in tmin.
    double Brent(double ta, double tb, double tc, double& tmin);

    Minimize* objective;
    double* minValue;
    int n;
    double* point;
    double* direction;

private:
    std::vector<double> trial;  // the point at t, handed to the objective
};

}  // namespace dyvern
