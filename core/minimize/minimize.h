// The interface through which the minimisers see a function of n parameters.
#pragma once

namespace dyvern {

class Minimize {
public:
    // With a point: first take its n values as the current parameters (in the
    // implementation's own coordinates), then return the value there. With a
    // null point: return the value at the current parameters, changing nothing.
    virtual double Objective(const double* point, int n);

protected:
    // Objects are owned by their users, never destroyed through the interface.
    ~Minimize() = default;
};

inline double Minimize::Objective(const double*, int) { return 0.0; }

}  // namespace dyvern
