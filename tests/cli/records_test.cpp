// The records of fit, compare and dist read back by name: TSV and JSON give
// each record the same names in the same order and the same values, and
// records that hold the same quantity write it alike under the same name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "cli_runner.h"

namespace dyvern::testing {
namespace {

enum class Kind { Text, Number, Null };  // as JSON writes a value

struct Cell {
    std::string text;  // a JSON string's letters or a number as written
    Kind kind = Kind::Text;
};
using Record = std::vector<std::pair<std::string, Cell>>;
using Block = std::vector<Record>;

// The column names of each TSV block, in order.
std::vector<std::vector<std::string>> Headers(const std::string& text) {
    std::vector<std::vector<std::string>> headers;
    for (std::size_t start = 0; start < text.size();) {
        std::istringstream line(text.substr(start, text.find('\n', start) - start));
        headers.emplace_back();
        for (std::string name; std::getline(line, name, '\t');) headers.back().push_back(name);
        const std::size_t blank = text.find("\n\n", start);
        start = blank == std::string::npos ? text.size() : blank + 2;
    }
    return headers;
}

// The JSON the command line writes: an array of flat objects, or an object
// of such arrays, one block each.
class JsonBlocks {
public:
    explicit JsonBlocks(std::string text) : text(std::move(text)) {}

    std::vector<Block> Read() {
        std::vector<Block> blocks;
        if (Peek() == '[') {
            blocks.push_back(Array());
        } else {
            Take('{');
            do {
                names.push_back(String());
                Take(':');
                blocks.push_back(Array());
            } while (TakeIf(','));
            Take('}');
        }
        if (Peek() != '\0')
            throw std::runtime_error("text after the JSON at " + std::to_string(at));
        return blocks;
    }

    std::vector<std::string> names;  // of the arrays of an object

private:
    char Peek() {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
        return at < text.size() ? text[at] : '\0';
    }
    bool TakeIf(char c) { return Peek() == c ? (++at, true) : false; }
    void Take(char c) {
        if (!TakeIf(c))
            throw std::runtime_error(std::string("no ") + c + " at " + std::to_string(at));
    }

    Block Array() {
        Block records;
        Take('[');
        if (TakeIf(']')) return records;
        do records.push_back(Object());
        while (TakeIf(','));
        Take(']');
        return records;
    }

    Record Object() {
        Record record;
        Take('{');
        do {
            std::string name = String();
            Take(':');
            record.emplace_back(std::move(name), Scalar());
        } while (TakeIf(','));
        Take('}');
        return record;
    }

    Cell Scalar() {
        if (Peek() == '"') return {String()};
        const std::size_t end = text.find_first_of(",}] \n", at);
        const std::string word = text.substr(at, end - at);
        at = end;
        return word == "null" ? Cell{"", Kind::Null} : Cell{word, Kind::Number};
    }

    std::string String() {
        Take('"');
        std::string letters;
        for (char c; (c = text.at(at++)) != '"';) {
            if (c == '\\' && text.at(at) == 'u') {
                letters += static_cast<char>(std::stoi(text.substr(at + 1, 4), nullptr, 16));
                at += 5;
            } else {
                letters += c == '\\' ? text.at(at++) : c;
            }
        }
        return letters;
    }

    std::string text;
    std::size_t at = 0;
};

std::vector<std::string> With(std::vector<std::string> words, const char* format) {
    words.insert(words.end(), {"--format", format});
    return words;
}

bool IsNumber(const std::string& text) {
    char* end = nullptr;
    return !text.empty() && std::isfinite(std::strtod(text.c_str(), &end)) && *end == '\0';
}

// JSON has no infinity: null stands for it as for what does not apply.
void ExpectSameValue(const std::string& tsv, const Cell& json) {
    if (tsv == "NA" || tsv == "inf" || tsv == "-inf") {
        EXPECT_EQ(json.kind, Kind::Null) << json.text;
    } else {
        EXPECT_EQ(json.kind, IsNumber(tsv) ? Kind::Number : Kind::Text) << tsv;
        EXPECT_EQ(json.text, tsv);
    }
}

void ExpectSameRecord(const std::vector<std::string>& names, const Row& tsv, const Record& json) {
    ASSERT_EQ(tsv.size(), names.size());
    ASSERT_EQ(json.size(), names.size());
    for (std::size_t c = 0; c < names.size(); ++c) {
        SCOPED_TRACE(names[c]);
        EXPECT_EQ(json[c].first, names[c]);
        ExpectSameValue(tsv.at(names[c]), json[c].second);
    }
}

// A table whose likelihood interval of d has no upper end.
const std::string kOpenInterval = "10\n1 1 1 0\n1 2 0 1\n0 0 1 1\n1 0 0 0\n";

TEST(Records, TsvAndJsonGiveEveryRecordTheSameNamesInOrderAndTheSameValues) {
    const ScratchFile open("open.dat", kOpenInterval);
    const std::string awkward = kCliData + "/awkward.fasta";
    std::vector<std::vector<std::string>> commands;
    for (const char* command : {"fit", "compare"}) {
        commands.push_back({command, kSample});
        commands.push_back({command, kPrimates, "--all-pairs"});
        commands.push_back({command, awkward, "--all-pairs"});
        commands.push_back({command, open.Path()});
    }
    std::size_t nulls = 0;
    for (const std::vector<std::string>& words : commands) {
        SCOPED_TRACE(words[0] + " " + words[1]);
        const std::string text = RunCli(With(words, "tsv")).out;
        const std::vector<std::vector<Row>> tsv = ReadTsvBlocks(text);
        const std::vector<std::vector<std::string>> headers = Headers(text);
        ASSERT_EQ(headers.size(), tsv.size());
        JsonBlocks reader(RunCli(With(words, "json")).out);
        const std::vector<Block> json = reader.Read();
        ASSERT_EQ(tsv.size(), words[0] == "fit" ? 1u : 3u);
        ASSERT_EQ(json.size(), tsv.size());
        if (words[0] == "compare") {
            EXPECT_EQ(reader.names, (std::vector<std::string>{"models", "tests", "symmetry"}));
        }
        for (std::size_t b = 0; b < tsv.size(); ++b) {
            ASSERT_FALSE(tsv[b].empty());
            ASSERT_EQ(json[b].size(), tsv[b].size());
            for (std::size_t r = 0; r < tsv[b].size(); ++r) {
                SCOPED_TRACE(r);
                ExpectSameRecord(headers[b], tsv[b][r], json[b][r]);
                for (const auto& field : json[b][r]) nulls += field.second.kind == Kind::Null;
            }
        }
    }
    EXPECT_GT(nulls, 0u);  // values that do not apply, and infinities, were met
}

// Every name `part` writes but those `apart`, `whole` writes with the same value.
void ExpectHeldIn(const Row& part, const Row& whole, const std::vector<std::string>& apart = {}) {
    for (const auto& [name, text] : part) {
        if (std::find(apart.begin(), apart.end(), name) != apart.end()) continue;
        ASSERT_EQ(whole.count(name), 1u) << name;
        EXPECT_EQ(text, whole.at(name)) << name;
    }
}

// dist's pair is estimated as fit estimates it, whatever the shortcut, for
// each criterion and every option; none of these pairs has an open interval,
// where fit's status would say so. simulated_gaps.fasta: dyvern-simulate
// --sequences 5 --sites 300 --seed 11 --gaps 0.08 --freqs 0.35,0.15,0.2,0.3
// --tree-depth 0.3.
TEST(Records, DistsPairRecordIsTheFitRecordsPart) {
    const std::vector<std::vector<std::string>> cases = {
        {"--model", "JC69", "--criterion", "ls"},
        {"--model", "HKY85", "--criterion", "ml"},
        {"--model", "HKY85", "--criterion", "ls"},
        {"--model", "F81", "--criterion", "ml", "--frequencies", "alignment", "--invariant", "0.2"},
        {"--model", "K81", "--criterion", "ml", "--gamma", "1"},
        {"--model", "TN93", "--criterion", "ml", "--frequencies", "pair", "--gamma", "0.5",
         "--gamma-categories", "4"},
        {"--model", "TN93", "--criterion", "formula", "--frequencies", "alignment", "--gamma",
         "0.5"},
        {"--model", "GTR", "--criterion", "ml"},
        {"--model", "LogDet", "--criterion", "formula"},
        {"--model", "paralinear", "--criterion", "formula", "--frequencies", "alignment"},
        {"--model", "raw", "--criterion", "formula"},
    };
    for (const std::string& file : {kPrimates, kCliData + "/simulated_gaps.fasta",
                                    kCliData + "/awkward.fasta", kCliData + "/codes.fasta"})
        for (const std::vector<std::string>& options : cases) {
            std::string shown = file;
            for (const std::string& word : options) shown += " " + word;
            SCOPED_TRACE(shown);
            std::vector<std::string> dist = {"dist", file, "--format", "tsv"};
            std::vector<std::string> fit = {"fit", file, "--all-pairs"};
            dist.insert(dist.end(), options.begin(), options.end());
            fit.insert(fit.end(), options.begin(), options.end());
            const std::vector<Row> pairs = ReadTsv(RunCli(dist).out);
            const std::vector<Row> fits = ReadTsv(RunCli(fit).out);
            ASSERT_EQ(pairs.size(), fits.size());
            ASSERT_FALSE(pairs.empty());
            for (std::size_t p = 0; p < pairs.size(); ++p) ExpectHeldIn(pairs[p], fits[p]);
        }
}

TEST(Records, CompareModelRecordIsTheLikelihoodFitRecordsPart) {
    const ScratchFile open("open.dat", kOpenInterval);
    const std::vector<std::vector<std::string>> inputs = {
        {kSample}, {kPrimates, "--all-pairs"}, {open.Path()}};
    for (const std::vector<std::string>& input : inputs) {
        SCOPED_TRACE(input[0]);
        std::vector<std::string> compare = {"compare"},
                                 fit = {"fit", "--criterion", "ml", "--model", kLikelihoodModelList};
        compare.insert(compare.end(), input.begin(), input.end());
        fit.insert(fit.end(), input.begin(), input.end());
        const std::vector<Row> models = ReadTsv(RunCli(compare).out);
        const std::vector<Row> fits = ReadTsv(RunCli(fit).out);
        ASSERT_EQ(models.size(), fits.size());
        ASSERT_FALSE(models.empty());
        for (std::size_t m = 0; m < models.size(); ++m)
            ExpectHeldIn(models[m], fits[m], {"w_AIC", "w_BIC"});
    }
}

}  // namespace
}  // namespace dyvern::testing
