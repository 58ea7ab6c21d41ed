// The six parameter fields of the main window, made from the field table.
#pragma once

#include <array>
#include <memory>

#include "controls/field_table.h"
#include "controls/param.h"

namespace dyvern {

class ParameterFields {
public:
    // Makes every field of the table and shows its start value.
    void Create(WindowSystem& window);
    void Release();

    FixedParam& operator[](FieldId field) const { return *fields[static_cast<int>(field)]; }
    FixedParam& betat() const { return (*this)[FieldId::Betat]; }
    FixedParam& kappa() const { return (*this)[FieldId::Kappa]; }
    FixedParam& piA() const { return (*this)[FieldId::PiA]; }
    FixedParam& piC() const { return (*this)[FieldId::PiC]; }
    FixedParam& piG() const { return (*this)[FieldId::PiG]; }
    FixedParam& piT() const { return (*this)[FieldId::PiT]; }

    // Enables or disables every field of a role.
    void EnableRole(FieldRole role, bool on) const;
    // Whether an adjustable field's text lies outside its range.
    bool AnyInvalid() const;

private:
    std::array<std::unique_ptr<FixedParam>, kFieldCount> fields;
};

}  // namespace dyvern
