#pragma once

namespace dyvern {

// Both minimisers stop the program with the same text when they fail to converge.
[[noreturn]] void StopForIterationLimit();

}  // namespace dyvern
