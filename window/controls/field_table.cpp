#include "controls/field_table.h"

namespace dyvern {

const FieldDescription* FieldWithEdit(int id) {
    for (const FieldDescription& d : kFieldTable)
        if (d.Adjustable() && d.idEdit == id) return &d;
    return nullptr;
}

const FieldDescription* FieldWithButton(int id) {
    for (const FieldDescription& d : kFieldTable)
        if (d.Adjustable() && (d.idUp == id || d.idDown == id)) return &d;
    return nullptr;
}

}  // namespace dyvern
