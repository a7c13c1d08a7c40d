// The commands over the whole catalogue as a script calls them: price book,
// check of every part, diff; arguments in, text out, an exit code.
#include "Cli.h"
#include "service/PartCatalogue.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <utility>

namespace pelmora::testing {
namespace {

struct Call {
    const char* Name;
    std::vector<std::string> Arguments;
    int ExitCode;
    // Expected at the start of the output, or of the error stream for usage errors.
    const char* Starts;
};

class CommandLine : public ::testing::Test {
protected:
    CommandLine() { WritePartCatalogue(folder); }

    int Run(std::vector<std::string> arguments) {
        for (std::string& argument : arguments) {
            if (argument.starts_with("@"))
                argument = folder.Path() + argument.substr(1);
        }
        arguments.insert(arguments.begin(), {"--app-dir", folder.Path()});
        out.str("");
        errors.str("");
        return cli::RunCommandLine(arguments, "/nowhere", out, errors);
    }

    TempFolder folder;
    std::ostringstream out;
    std::ostringstream errors;
};

class CatalogueCommands : public CommandLine, public ::testing::WithParamInterface<Call> {};

TEST_P(CatalogueCommands, AnswerWithTheirExitCode) {
    const Call& call = GetParam();
    EXPECT_EQ(Run(call.Arguments), call.ExitCode) << errors.str();
    const std::string& text = call.ExitCode == cli::UsageFailure ? errors.str() : out.str();
    EXPECT_TRUE(text.starts_with(call.Starts)) << text.substr(0, 300);
}

const Call Calls[] = {
    {"CountOfOneFamily",
     {"parts", "--count", "--family", "D"},
     0,
     "90 Rigid Twist\t18\nTotal\t18\n"},
    {"CsvHeaderThenRows",
     {"parts", "--family", "d", "--format", "csv", "--qty", "2"},
     0,
     "Part Number,Family,Description,Unit Price,Total,Delivery\r\n"
     "D090CCSG,90 Rigid Twist,\"90\xC2\xB0 Twist, WR90, CPR Flat, CPR Flat, 8.20 - 12.40 GHz / "
     "VSWR: 1.15:1, Gray\",$220.00,$440.00,2 weeks\r\n"},
    {"QuantityOutOfRange", {"parts", "--qty", "0"}, 2, "pelmora-cli: --qty takes"},
    {"UnknownFormat", {"parts", "--format", "xml"}, 2, "pelmora-cli: --format takes"},
    {"ShardBeyondItsCount", {"parts", "--shard", "3/2"}, 2, "pelmora-cli: --shard takes"},
    {"NoThreads", {"parts", "--jobs", "0"}, 2, "pelmora-cli: --jobs takes"},
    {"CheckFindsPartsWithoutPrice", {"check", "--parts"}, 1, ""},
    {"DiffOfTheSameCatalogue", {"diff", "@", "@"}, 0, ""},
    {"DiffOfNothingKnown", {"diff", "@Data/Family.tbl", "@"}, 2, "pelmora-cli: "},
};

INSTANTIATE_TEST_SUITE_P(Commands, CatalogueCommands, ::testing::ValuesIn(Calls),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(CatalogueCommands, CheckTellsWhereAPriceRowIsMissing) {
    EXPECT_EQ(Run({"check", "--parts"}), cli::Negative);
    EXPECT_NE(out.str().find("error: Data/EBendPrice.tbl:0:0: E Bend, size entry 1: "),
              std::string::npos);
    // A finding no one table causes names no file.
    WriteTable(folder, "Frequency.tbl", "Waveguide|Band|Range\n090|S|8 - 12 GHz\n090|S|9 - 10 GHz");
    EXPECT_EQ(Run({"check", "--parts"}), cli::Negative);
    EXPECT_NE(out.str().find("\nerror: 90 Rigid Twist, size entry 1: 18 part numbers composed by "
                             "more than one configuration, first D090CCSG"),
              std::string::npos)
        << out.str();
    EXPECT_EQ(out.str().find("Data/:"), std::string::npos);
}

TEST_F(CatalogueCommands, DiffOfABookWithARepricedPartExitsWithOne) {
    ASSERT_EQ(Run({"parts", "--family", "D"}), cli::Success);
    std::string book = out.str();
    const size_t price = book.find("$220.00\t$220.00");
    ASSERT_NE(price, std::string::npos);
    book.replace(price, 15, "$200.00\t$200.00");
    folder.Write("old.tsv", book);
    EXPECT_EQ(Run({"diff", "@old.tsv", "@"}), cli::Negative);
    EXPECT_TRUE(out.str().starts_with("changed\tD090CCSG\t90 Rigid Twist\t$200.00\t$220.00\t+10.0%"
                                      "\t2 weeks\t2 weeks\n"))
        << out.str();
    EXPECT_NE(out.str().find("90 Rigid Twist: 0 added, 0 removed, 1 changed; largest rise "
                             "D090CCSG +10.0%\n"),
              std::string::npos);
}

// The changes of a JSON diff are written as they are found, yet make the document
// a one-piece write would.
struct JsonDiff {
    const char* Name;
    // Prices replaced in the old book, each with the one after it.
    std::vector<std::pair<std::string, std::string>> Edits;
    size_t Changes;
};

class JsonDiffs : public CommandLine, public ::testing::WithParamInterface<JsonDiff> {};

TEST_P(JsonDiffs, ReadAsOneDocument) {
    ASSERT_EQ(Run({"parts"}), cli::Success);
    std::string book = out.str();
    for (const auto& [from, to] : GetParam().Edits) {
        const size_t at = book.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        book.replace(at, from.size(), to);
    }
    folder.Write("old.tsv", book);
    Run({"--json", "diff", "@old.tsv", "@"});
    const auto document = nlohmann::json::parse(out.str());
    EXPECT_EQ(out.str(), document.dump(2) + "\n");
    EXPECT_EQ(document["changes"].size(), GetParam().Changes);
    EXPECT_EQ(document["families"].size(), GetParam().Changes ? 1u : 0u);
}

const JsonDiff JsonDiffCases[] = {
    {"NothingChanged", {}, 0},
    {"OneRepriced", {{"$220.00\t$220.00", "$200.00\t$200.00"}}, 1},
    {"TwoRepriced",
     {{"$220.00\t$220.00", "$200.00\t$200.00"}, {"$220.00\t$220.00", "$210.00\t$210.00"}},
     2},
};

INSTANTIATE_TEST_SUITE_P(Books, JsonDiffs, ::testing::ValuesIn(JsonDiffCases),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace pelmora::testing
