// The six parameter fields, described once: their controls, range, step and
// start value. The fields are made from this table, the command table routes
// their edits and buttons by it, and the model rules enable them by role.
#pragma once

#include <array>

#include "model/model_family.h"
#include "system/control_ids.h"

namespace dyvern {

enum class FieldId : int { Betat, Kappa, PiA, PiC, PiG, PiT };
inline constexpr int kFieldCount = 6;

// What a field stands for when a model holds parameters fixed.
enum class FieldRole { Branch, Kappa, Frequency, Remainder };

struct FieldDescription {
    FieldId field;
    FieldRole role;
    int idLabel;   // drawn in the symbol font
    int idLabel2;  // drawn in the variables font; 0 when there is none
    int idEdit;
    int idUp;  // 0 for a display-only field
    int idDown;
    double min;
    double max;
    double step;
    double start;

    constexpr bool Adjustable() const { return idUp != 0; }
};

inline constexpr std::array<FieldDescription, kFieldCount> kFieldTable = {{
    {FieldId::Betat, FieldRole::Branch, IDC_BETAT_LABEL, IDC_BETAT_LABEL2, IDC_BETAT_EDIT,
     IDC_BETAT_UP, IDC_BETAT_DOWN, 0.001, 100, 0.001, kStartValues.betat},
    {FieldId::Kappa, FieldRole::Kappa, IDC_KAPPA_LABEL, 0, IDC_KAPPA_EDIT, IDC_KAPPA_UP,
     IDC_KAPPA_DOWN, 0.05, 100, 0.05, kStartValues.kappa},
    {FieldId::PiA, FieldRole::Frequency, IDC_PIA_LABEL, IDC_PIA_LABEL2, IDC_PIA_EDIT, IDC_PIA_UP,
     IDC_PIA_DOWN, 0.01, 0.99, 0.01, kStartValues.piA},
    {FieldId::PiC, FieldRole::Frequency, IDC_PIC_LABEL, IDC_PIC_LABEL2, IDC_PIC_EDIT, IDC_PIC_UP,
     IDC_PIC_DOWN, 0.01, 0.99, 0.01, kStartValues.piC},
    {FieldId::PiG, FieldRole::Frequency, IDC_PIG_LABEL, IDC_PIG_LABEL2, IDC_PIG_EDIT, IDC_PIG_UP,
     IDC_PIG_DOWN, 0.01, 0.99, 0.01, kStartValues.piG},
    {FieldId::PiT, FieldRole::Remainder, IDC_PIT_LABEL, IDC_PIT_LABEL2, IDC_PIT_EDIT, 0, 0, 0, 0,
     0, 1.0 - kStartValues.piA - kStartValues.piC - kStartValues.piG},
}};

// The adjustable field whose edit, ">" or "<" button has this id; null for
// any other id.
const FieldDescription* FieldWithEdit(int id);
const FieldDescription* FieldWithButton(int id);

}  // namespace dyvern
