// Modal dialogs of our own: the window system shows the template and hands
// its controls to the dialog's logic, written once for the Win32 program and
// the in-memory window of the tests.
#pragma once

#include <string>

namespace dyvern {

// The controls of a running dialog, by id.
class DialogControls {
public:
    virtual ~DialogControls() = default;
    virtual void InsertListItem(int id, int position, const std::string& text) = 0;
    virtual void SelectListItem(int id, int position) = 0;
    virtual int SelectedListItem(int id) const = 0;  // -1 when nothing is selected
    virtual void SetCheck(int id, bool checked) = 0;
    virtual bool Checked(int id) const = 0;
};

class DialogLogic {
public:
    virtual ~DialogLogic() = default;
    // Fills the controls before the dialog shows.
    virtual void Start(DialogControls& controls) = 0;
    // A command of one of its controls; true ends the dialog.
    virtual bool Command(DialogControls& controls, int id) = 0;
};

}  // namespace dyvern
