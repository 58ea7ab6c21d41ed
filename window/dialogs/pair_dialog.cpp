#include "dialogs/pair_dialog.h"

#include "system/control_ids.h"

namespace dyvern {
namespace {

constexpr struct {
    int id;
    Ambiguity ambiguity;
} kAmbiguityButtons[] = {{IDC_AMBIGUITY_SKIP, Ambiguity::Skip},
                         {IDC_AMBIGUITY_AVERAGE, Ambiguity::Average},
                         {IDC_AMBIGUITY_RESOLVE, Ambiguity::Resolve}};

}  // namespace

void PairDialog::Start(DialogControls& controls) {
    for (const int list : {IDC_PAIR_FIRST, IDC_PAIR_SECOND})
        for (int position = 0; position < static_cast<int>(names.size()); ++position)
            controls.InsertListItem(list, position, names[position]);
    controls.SelectListItem(IDC_PAIR_FIRST, 0);
    controls.SelectListItem(IDC_PAIR_SECOND, names.size() > 1 ? 1 : 0);
    for (const auto& button : kAmbiguityButtons)
        controls.SetCheck(button.id, button.ambiguity == Ambiguity::Skip);
}

bool PairDialog::Command(DialogControls& controls, int id) {
    if (id == IDC_PAIR_CANCEL) return true;
    if (id != IDC_PAIR_OK) return false;
    PairChoice chosen;
    chosen.first = controls.SelectedListItem(IDC_PAIR_FIRST);
    chosen.second = controls.SelectedListItem(IDC_PAIR_SECOND);
    for (const auto& button : kAmbiguityButtons)
        if (controls.Checked(button.id)) chosen.ambiguity = button.ambiguity;
    const int count = static_cast<int>(names.size());
    // A list with nothing selected gives no pair: the dialog stays open.
    if (chosen.first < 0 || chosen.second < 0 || chosen.first >= count || chosen.second >= count)
        return false;
    choice = chosen;
    return true;
}

}  // namespace dyvern
