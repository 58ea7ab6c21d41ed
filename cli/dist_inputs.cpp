#include "dist_inputs.h"

#include "align/file_text.h"
#include "align/input.h"
#include "align/input_error.h"
#include "model_choice.h"
#include "row_producer.h"
#include "usage_error.h"

namespace dyvern::cli {
namespace {

std::size_t SitesOf(const Alignment& alignment) { return alignment.sequences.front().size(); }

// Only the first process of an MPI run is given standard input.
void CheckStandardInput(const std::string& path) {
    if (path == kStandardInputOperand && ProcessCount() > 1)
        throw UsageError("under mpirun only the first process reads standard input: give a file");
}

void Append(Alignment& to, Alignment&& from) {
    to.names.insert(to.names.end(), from.names.begin(), from.names.end());
    to.sequences.insert(to.sequences.end(), std::make_move_iterator(from.sequences.begin()),
                        std::make_move_iterator(from.sequences.end()));
}

}  // namespace

Alignment ReadAlignmentOperand(const std::string& path, const std::string& command) {
    CheckStandardInput(path);
    Input input = ReadInput(path);
    if (input.kind == InputKind::DataFile)
        throw UsageError(path + " is a data file, one pair: " + command + " needs an alignment");
    return std::move(std::get<Alignment>(input.content));
}

DistInputs ReadDistInputs(const Arguments& arguments) {
    const std::string& path = OneOperand(arguments, "ALIGNMENT");
    const std::string second = arguments.Value("against", "");
    if (second == path && path == kStandardInputOperand)
        throw UsageError("standard input can be read once: give --against a file");
    DistInputs inputs;
    inputs.alignment = ReadAlignmentOperand(path, "dist");
    inputs.files.push_back({path, static_cast<int>(inputs.alignment.names.size())});
    if (!arguments.Has("against")) return inputs;
    Alignment other = ReadAlignmentOperand(second, "--against");
    if (SitesOf(other) != SitesOf(inputs.alignment))
        throw InputError(second, "its sequences have " + std::to_string(SitesOf(other)) +
                                     " sites and those of " + path + " " +
                                     std::to_string(SitesOf(inputs.alignment)) +
                                     ": --against needs alignments of the same sites");
    inputs.against = inputs.files.front().sequences;
    inputs.files.push_back({second, static_cast<int>(other.names.size())});
    Append(inputs.alignment, std::move(other));
    return inputs;
}

}  // namespace dyvern::cli
