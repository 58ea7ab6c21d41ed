// The base frequencies as a group: equal, empirical, and taking back a step
// that leaves no room for piT.
#pragma once

#include "state/session.h"

namespace dyvern {

// 0.25 into piA, piC, piG and piT, in this order.
void SetEqualFrequencies(Session& session);

// The base composition of both sequences together: every cell counts for its
// row's base and its column's base, over 2n with n the declared site count.
// Without sites (n <= 0) or with counts that give no finite composition, the
// frequencies are left as they are.
void SetEmpiricalFrequencies(Session& session);

// Whether 0 < 1 - piA - piC - piG < 1. Given a field, a failing check also
// takes back that field's last step (direction -1 after ">", +1 after "<").
bool CheckFrequencies(Session& session, FixedParam* field = nullptr, int direction = 0);

}  // namespace dyvern
