#include "controls/param.h"

#include <cctype>

#include "data/data_file.h"
#include "base/format.h"

namespace dyvern {
namespace {

constexpr std::size_t kFieldTextLimit = 29;  // characters of the edit text that are read
constexpr int kDisplayDigits = 6;

}  // namespace

double ReadFieldText(const std::string& text) {
    const std::string read = text.substr(0, kFieldTextLimit);
    std::size_t start = 0;
    while (start < read.size() && std::isspace(static_cast<unsigned char>(read[start]))) ++start;
    return ValueOfWord(read.substr(start));
}

FixedParam::FixedParam(WindowSystem& window, int idLabel, int idLabel2, int idEdit)
    : window(window), idLabel(idLabel), idEdit(idEdit), idLabel2(idLabel2) {
    SetPrecision(kDisplayDigits);
}

void FixedParam::SetPrecision(int digits) { precision = digits; }

bool FixedParam::IsInvalid() const { return false; }
double FixedParam::GetValue() { return value; }
double FixedParam::GetStep() const { return 0.0; }
void FixedParam::StepUp() {}
void FixedParam::StepDown() {}

void FixedParam::SetValue(double v) {
    value = v;
    Show(v);
}

void FixedParam::Show(double v) { window.SetControlText(idEdit, FormatFixed(v, precision)); }

std::string FixedParam::EditText() const { return window.ControlText(idEdit); }

void FixedParam::EnableControls(bool enabled) {
    window.EnableControl(idLabel, enabled);
    if (idLabel2 != 0) window.EnableControl(idLabel2, enabled);
    window.EnableControl(idEdit, enabled);
}

void FixedParam::Enable() { EnableControls(true); }
void FixedParam::Disable() { EnableControls(false); }

Param::Param(WindowSystem& window, int idLabel, int idLabel2, int idEdit, int idUp, int idDown,
             double min, double max, double step)
    : FixedParam(window, idLabel, idLabel2, idEdit),
      idUp(idUp),
      idDown(idDown),
      min(min),
      max(max),
      step(step) {}

double Param::TextValue() const { return ReadFieldText(EditText()); }

bool Param::IsInvalid() const {
    const double x = TextValue();
    return x < min || x > max;
}

double Param::GetValue() {
    const double x = TextValue();
    if (min <= x && x <= max) value = x;
    return value;
}

double Param::GetStep() const { return step; }

void Param::SetValue(double v) {
    // Written so that a value that is not a number lands on a bound too.
    if (!(v > min))
        v = min;
    else if (!(v < max))
        v = max;
    FixedParam::SetValue(v);
}

void Param::StepUp() { SetValue(value + step); }
void Param::StepDown() { SetValue(value - step); }

void Param::Enable() {
    FixedParam::Enable();
    window.EnableControl(idUp, true);
    window.EnableControl(idDown, true);
}

void Param::Disable() {
    FixedParam::Disable();
    window.EnableControl(idUp, false);
    window.EnableControl(idDown, false);
}

}  // namespace dyvern
