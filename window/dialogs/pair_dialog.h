// The choice of two sequences of an alignment, and of what an ambiguity code
// counts as, before their table is loaded.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "align/pair_table.h"
#include "system/dialog.h"

namespace dyvern {

inline constexpr const char* kPairDialogTemplate = "PAIRDIALOG";

struct PairChoice {
    int first = 0;   // sequence 1, the table's rows
    int second = 0;  // sequence 2, its columns
    Ambiguity ambiguity = Ambiguity::Skip;
};

class PairDialog final : public DialogLogic {
public:
    explicit PairDialog(std::vector<std::string> names) : names(std::move(names)) {}

    // Both lists hold every name; the first two sequences and Skip are chosen.
    void Start(DialogControls& controls) override;
    // OK takes the choice as the controls show it; Cancel leaves none.
    bool Command(DialogControls& controls, int id) override;

    // Set once the dialog ended with OK.
    const std::optional<PairChoice>& Choice() const { return choice; }

private:
    std::vector<std::string> names;
    std::optional<PairChoice> choice;
};

}  // namespace dyvern
