#include "base/stop.h"

#include <cstdio>
#include <cstdlib>

namespace dyvern {
namespace {

void WriteToStandardError(const std::string& text) {
    std::fputs(text.c_str(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

AssertionReporter& CurrentReporter() {
    static AssertionReporter reporter = WriteToStandardError;
    return reporter;
}

}  // namespace

void FatalStop(const std::string& message, const char* closingLine) {
    WriteToStandardError("");
    WriteToStandardError(message);
    WriteToStandardError(closingLine);
    std::exit(1);
}

void AssertionFailed(const char* condition, const char* source, int line) {
    CurrentReporter()(std::string("Assertion failed: ") + condition + ", file " + source +
                      ", line " + std::to_string(line));
    WriteToStandardError("Abnormal program termination");
    // Abnormal termination: no static destructors may run on broken state.
    std::_Exit(3);
}

void SetAssertionReporter(AssertionReporter reporter) {
    CurrentReporter() = reporter ? reporter : WriteToStandardError;
}

}  // namespace dyvern
