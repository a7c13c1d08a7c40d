// What a user who mistyped or asked for help is told: the names a word may have
// meant, and help fitted to the terminal.
#include "Usage.h"

#include "Suggestions.h"

#include <gtest/gtest.h>
#include <sstream>

namespace pelmora::testing {
namespace {

struct SimilarRow {
    const char* Name;
    std::string Typed;
    std::vector<std::string> Meant;
};

void PrintTo(const SimilarRow& row, std::ostream* out) {
    *out << row.Name;
}

const std::vector<std::string> Commands = {"quote", "describe", "build", "convert", "order",
                                           "walk",  "parts",    "diff",  "check",   "help"};

class SimilarNames : public ::testing::TestWithParam<SimilarRow> {};

TEST_P(SimilarNames, AreOffered) {
    EXPECT_EQ(service::Similar(GetParam().Typed, Commands), GetParam().Meant);
}

INSTANTIATE_TEST_SUITE_P(
    Suggestions, SimilarNames,
    ::testing::Values(SimilarRow{"SwappedNeighbours", "qoute", {"quote"}},
                      SimilarRow{"LetterMissing", "chek", {"check"}},
                      SimilarRow{"LetterCase", "BUILD", {"build"}},
                      SimilarRow{"TwoSlipsInALongWord", "dscribbe", {"describe"}},
                      SimilarRow{"TwoSlipsInAShortWordAreTooMany", "qiotw", {}},
                      SimilarRow{"Beginning", "conv", {"convert"}},
                      SimilarRow{"OneLetterAsAShortOption", "-p", {"parts"}},
                      SimilarRow{"OneLetterWrong", "dalk", {"walk"}},
                      SimilarRow{"Unrelated", "frobnicate", {}}, SimilarRow{"Empty", "", {}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Suggestions, TellEveryNameEquallyNear) {
    EXPECT_EQ(service::NoSuch("option", "-f", {"--family", "--format", "--qty"}),
              "no option -f; did you mean --family or --format?");
    EXPECT_EQ(service::NoSuch("key", "l", {"legA", "legB", "length", "units"}),
              "no key l; did you mean legA, legB or length?");
    EXPECT_EQ(service::NoSuch("command", "frobnicate", Commands), "no command frobnicate");
}

struct WrapRow {
    const char* Name;
    std::string Text;
    size_t Columns;
    std::string Wrapped;
};

void PrintTo(const WrapRow& row, std::ostream* out) {
    *out << row.Name;
}

class HelpLines : public ::testing::TestWithParam<WrapRow> {};

TEST_P(HelpLines, FitTheColumns) {
    EXPECT_EQ(cli::Wrapped(GetParam().Text, GetParam().Columns), GetParam().Wrapped);
}

INSTANTIATE_TEST_SUITE_P(
    Help, HelpLines,
    ::testing::Values(
        WrapRow{"ShortLinesStay", "Usage: x\n  --json    As JSON\n", 40,
                "Usage: x\n  --json    As JSON\n"},
        WrapRow{"ParagraphBreaksBetweenWords", "one two three four five", 10,
                "one two\nthree four\nfive\n"},
        WrapRow{"DescriptionGoesOnUnderItself",
                "  --app-dir DIR    The folder holding Data and Images\n", 40,
                "  --app-dir DIR    The folder holding\n"
                "                   Data and Images\n"},
        WrapRow{"NarrowTerminalGoesOnUnderTheName",
                "  --app-dir DIR              The folder holding Data and Images\n", 40,
                "  --app-dir DIR              The folder\n"
                "      holding Data and Images\n"},
        WrapRow{"AWordLongerThanTheLineStaysWhole", "a abcdefghijkl b", 5, "a\nabcdefghijkl\nb\n"},
        WrapRow{"BlankLinesStay", "a\n\nb\n", 5, "a\n\nb\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace pelmora::testing
