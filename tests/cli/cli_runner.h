// dyvern-cli run in-process, and its tab-separated output read back by name.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace dyvern::testing {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

CliResult RunCli(const std::vector<std::string>& words);

// Expects the words refused as a usage error (exit 2, nothing written to
// standard output) with `message` somewhere on standard error.
void ExpectRefused(const std::vector<std::string>& words, const std::string& message);

// The rows of a TSV block (header first), each as column name -> text.
using Row = std::map<std::string, std::string>;
std::vector<Row> ReadTsv(const std::string& text);
// Every block of the text, each after a blank line.
std::vector<std::vector<Row>> ReadTsvBlocks(const std::string& text);

// A number as the output writes it: "inf" and "NA" included.
double NumberIn(const Row& row, const std::string& column);

// A file of the given bytes in the temporary folder, removed with the object.
class ScratchFile {
public:
    ScratchFile(const std::string& name, const std::string& bytes);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The whole of a file.
std::string FileBytes(const std::string& path);

inline const std::string kPrimates = DYVERN_PRIMATES_FASTA;  // the shipped five primates
inline const std::string kSample = DYVERN_SAMPLE_DATA;       // the shipped sample pair
inline const std::string kCliData = DYVERN_CLI_DATA;         // small awkward alignments
inline const std::string kFormulaData = DYVERN_FORMULA_DATA;  // ape's distances and their alignments

// The models with a likelihood, as a --model list in the order compare ranks them.
inline const std::string kLikelihoodModelList = "JC69,F81,K80,T92,K81,F84,HKY85,TN93,GTR";

}  // namespace dyvern::testing
