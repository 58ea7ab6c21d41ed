#include "actions/open_alignment.h"

#include <fstream>
#include <optional>
#include <stdexcept>

#include "actions/open_data_file.h"
#include "align/file_text.h"
#include "align/input.h"
#include "dialogs/pair_dialog.h"

namespace dyvern {
namespace {

constexpr const char* kErrorCaption = "Dyvern error";

bool StartsWithGzipMagic(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[2] = {};
    return in.read(magic, 2) && magic[0] == '\x1f' && magic[1] == '\x8b';
}

// The pair the user picks, loaded; nothing on Cancel or the same sequence twice.
void ChoosePair(Session& session, const Alignment& alignment, const std::string& path) {
    PairDialog dialog(alignment.names);
    session.window.RunDialog(kPairDialogTemplate, dialog);
    if (!dialog.Choice()) return;
    const PairChoice& choice = *dialog.Choice();
    if (choice.first == choice.second) {
        session.window.ShowMessage("Sequence 1 and sequence 2 are both '" +
                                       alignment.names[choice.first] +
                                       "': choose two different sequences",
                                   kErrorCaption, MessageStyle::Error);
        return;
    }
    const PairTable table = CountPair(alignment.sequences[choice.first],
                                      alignment.sequences[choice.second], choice.ambiguity);
    LoadTable(session, DataFileTable{table.sites, table.counts}, path,
              alignment.names[choice.first] + ", " + alignment.names[choice.second]);
}

}  // namespace

bool OpenAlignment(Session& session, const std::string& path) {
    std::optional<FileText> file;
    try {
        file = ReadFileText(path);
    } catch (const std::exception& error) {
        // Unreadable or empty files go to the data file reader, which says so
        // or reads them as it always has; a broken gzip stream is no data file.
        if (!StartsWithGzipMagic(path)) return false;
        session.window.ShowMessage(error.what(), kErrorCaption, MessageStyle::Error);
        return true;
    }
    if (DetectInputKind(file->text) == InputKind::DataFile) return false;
    try {
        const Input input = ParseInput(file->text, path);
        ChoosePair(session, std::get<Alignment>(input.content), path);
    } catch (const std::exception& error) {
        session.window.ShowMessage(error.what(), kErrorCaption, MessageStyle::Error);
    }
    return true;
}

}  // namespace dyvern
