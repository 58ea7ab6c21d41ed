// The two ways Dyvern ends itself: a fatal numerical stop and a failed
// internal consistency check.
#pragma once

#include <string>

namespace dyvern {

// Closing lines that follow a fatal message.
inline constexpr const char* kAbortingLine = "Program aborting.";
inline constexpr const char* kAbortedLine = "Program aborted.";

// Writes an empty line, the message and the closing line to standard error,
// flushing after each, and ends the process with exit status 1.
[[noreturn]] void FatalStop(const std::string& message, const char* closingLine);

// Shows "Assertion failed: <condition>, file <source>, line <n>" through the
// current reporter, then "Abnormal program termination", and ends the process
// with exit code 3.
[[noreturn]] void AssertionFailed(const char* condition, const char* source, int line);

// The window program shows assertions in a message box; natively they go to
// standard error. A reporter receives the whole "Assertion failed: ..." text.
using AssertionReporter = void (*)(const std::string& text);
void SetAssertionReporter(AssertionReporter reporter);

}  // namespace dyvern

// Checks an internal invariant; `source` names the unit ("hkymodel", "dyvern").
#define DYVERN_ASSERT(condition, source) \
    ((condition) ? static_cast<void>(0) : ::dyvern::AssertionFailed(#condition, source, __LINE__))
