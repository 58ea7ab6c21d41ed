#include "controls/parameter_fields.h"

namespace dyvern {
namespace {

std::unique_ptr<FixedParam> MakeField(WindowSystem& window, const FieldDescription& d) {
    if (!d.Adjustable())
        return std::make_unique<FixedParam>(window, d.idLabel, d.idLabel2, d.idEdit);
    return std::make_unique<Param>(window, d.idLabel, d.idLabel2, d.idEdit, d.idUp, d.idDown,
                                   d.min, d.max, d.step);
}

}  // namespace

void ParameterFields::Create(WindowSystem& window) {
    for (const FieldDescription& d : kFieldTable)
        fields[static_cast<int>(d.field)] = MakeField(window, d);
    for (const FieldDescription& d : kFieldTable) (*this)[d.field].SetValue(d.start);
    betat().Enable();
}

void ParameterFields::Release() {
    for (auto& field : fields) field.reset();
}

void ParameterFields::EnableRole(FieldRole role, bool on) const {
    for (const FieldDescription& d : kFieldTable) {
        if (d.role != role) continue;
        if (on)
            (*this)[d.field].Enable();
        else
            (*this)[d.field].Disable();
    }
}

bool ParameterFields::AnyInvalid() const {
    for (const FieldDescription& d : kFieldTable)
        if ((*this)[d.field].IsInvalid()) return true;
    return false;
}

}  // namespace dyvern
