// A parameter field binds one model parameter to its controls: an edit
// control showing the value, one or two labels and, for an adjustable
// parameter, "<" and ">" buttons. For an adjustable parameter the edit text is
// where the user's input lives: reading the value re-reads the text, and a
// text outside the field's range is not taken over.
#pragma once

#include <string>

#include "system/window_system.h"

namespace dyvern {

// A display-only field (piT): shows whatever it is given.
class FixedParam {
public:
    // idLabel2 is 0 when the field has no second label. Does not write the edit text.
    FixedParam(WindowSystem& window, int idLabel, int idLabel2, int idEdit);
    virtual ~FixedParam() = default;
    FixedParam(const FixedParam&) = delete;
    FixedParam& operator=(const FixedParam&) = delete;

    virtual bool IsInvalid() const;
    virtual double GetValue();
    virtual double GetStep() const;
    virtual void SetValue(double v);
    virtual void StepUp();
    virtual void StepDown();
    virtual void Enable();
    virtual void Disable();

    // The display format: a fixed-point number with `digits` decimals.
    void SetPrecision(int digits);

protected:
    void Show(double v);
    void EnableControls(bool enabled);
    std::string EditText() const;

    WindowSystem& window;
    int idLabel;
    int idEdit;
    int idLabel2;
    double value = 0.0;  // 0 until first set

private:
    int precision = 0;
};

// An adjustable field with a range [min, max] and a step.
class Param : public FixedParam {
public:
    Param(WindowSystem& window, int idLabel, int idLabel2, int idEdit, int idUp, int idDown,
          double min, double max, double step);

    // The edit text read as a number lies outside [min, max] (a text without a
    // leading number reads as 0, below every range in use).
    bool IsInvalid() const override;
    // Takes the text over when it is in range; returns the last accepted value.
    double GetValue() override;
    double GetStep() const override;
    // Clamps into the range, then shows the value (which re-evaluates).
    void SetValue(double v) override;
    // Step from the last accepted value, not from the text.
    void StepUp() override;
    void StepDown() override;
    void Enable() override;
    void Disable() override;

private:
    double TextValue() const;

    int idUp;
    int idDown;
    double min;
    double max;
    double step;
};

// The leading decimal number of an edit text (at most its first 29
// characters, leading white space skipped), or 0 without one.
double ReadFieldText(const std::string& text);

}  // namespace dyvern
