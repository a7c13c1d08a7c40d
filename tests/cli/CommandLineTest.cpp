// The command line as a script calls it: arguments in, text or JSON out, an exit
// code. Runs in-process against the test catalogue.
#include "Cli.h"
#include "Commands.h"
#include "core/order/PriceTables.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace pelmora::testing {
namespace {

using nlohmann::json;

class CommandLine : public ::testing::Test {
protected:
    CommandLine() {
        WriteTestCatalogue(folder);
        WritePriceTables(folder);
        WriteTable(folder, "Conversion.tbl", "Old|New|Comment\nOLD-1|R090PU0120USG|Same section");
    }

    int Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--app-dir", folder.Path()});
        out.str("");
        errors.str("");
        return cli::RunCommandLine(arguments, "/nowhere", out, errors);
    }
    json Json(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "--json");
        exitCode = Run(std::move(arguments));
        return json::parse(out.str());
    }

    TempFolder folder;
    std::ostringstream out;
    std::ostringstream errors;
    int exitCode = -1;
};

TEST_F(CommandLine, QuotePricesEachPartForTheQuantity) {
    EXPECT_EQ(Run({"quote", "R090PC0120USN", "C090CNSG", "--qty", "3"}), 0);
    EXPECT_EQ(out.str(), "R090PC0120USN\tStraight Section\t3\t$375.00\tStock\n"
                         "C090CNSG\tWaveguide to Coax\t3\t$450.00\t1 week\n");

    const json quote = Json({"quote", "PW090C"})["quotes"][0];
    EXPECT_EQ(exitCode, 0) << "listed in its table, without a price";
    EXPECT_EQ(quote, (json{{"partNumber", "PW090C"},
                           {"family", "Pressure Window"},
                           {"quantity", 1},
                           {"total", "N/A"},
                           {"unitPrice", nullptr},
                           {"delivery", "Contact Corvane Rep."}}));
    EXPECT_EQ(Json({"quote", "D090CKSG", "--qty", "2"})["quotes"][0]["unitPrice"], "$220.00");

    // A price cell that does not convert never passes for another part's price.
    EXPECT_EQ(Run({"quote", "R090PC0120USG", "R062PU0120USG"}), 1);
    EXPECT_NE(out.str().find("R062PU0120USG\tStraight Section\t1\tN/A\tContact Corvane Rep."),
              std::string::npos);
    EXPECT_NE(errors.str().find("error: 'abc' is not a valid floating point value"),
              std::string::npos);
}

// Only a part number the wizard creates again as written (or a listed step twist or
// pressure window) is priced: length digits with an exponent or a sign, junk after
// a family letter, unsorted flanges and special-quote sizes are not catalogue parts.
TEST_F(CommandLine, QuoteNeverPricesWhatTheCatalogueDoesNotMake) {
    const std::vector<std::string> parts = {"R090PC3E17USG", "R090PC-1E9USG", "R090PC9E99USG",
                                            "R090PCQQQQ",    "R090PU0120CSG", "R051PC0120USN",
                                            "r090PC0120USG", "PW090K",        "ST090Q"};
    std::vector<std::string> arguments = {"quote"};
    arguments.insert(arguments.end(), parts.begin(), parts.end());
    arguments.insert(arguments.end(), {"--qty", "99999"});
    const json quoted = Json(arguments);
    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(quoted["quotes"].size(), parts.size());
    for (size_t i = 0; i < parts.size(); ++i) {
        EXPECT_EQ(quoted["quotes"][i]["total"], "N/A") << parts[i];
        EXPECT_EQ(quoted["quotes"][i]["delivery"], "Contact Corvane Rep.") << parts[i];
        EXPECT_NE(
            errors.str().find("error: \"" + parts[i] + "\" is not a part number of the catalogue."),
            std::string::npos)
            << parts[i];
    }
    EXPECT_EQ(Run({"quote", "R090PC0120USG", "ST090S", "N090PU060C090SG", "T062UUG"}), 0)
        << errors.str();
}

TEST_F(CommandLine, QuoteShowsAnUnreadablePriceOnce) {
    EXPECT_EQ(Run({"quote", "R062PU0120USG", "--qty", "2"}), 1);
    EXPECT_EQ(errors.str(), "error: 'abc' is not a valid floating point value\n");
}

// --compact prints the very document --json prints, on one line; it says how a
// document is printed, so it needs --json.
class CompactDocuments : public CommandLine,
                         public ::testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(CompactDocuments, AreTheIndentedDocumentOnOneLine) {
    std::vector<std::string> arguments = GetParam();
    arguments.insert(arguments.begin(), "--json");
    const int indentedExit = Run(arguments);
    const std::string indented = out.str();
    arguments.insert(arguments.begin(), "--compact");
    EXPECT_EQ(Run(arguments), indentedExit);
    const std::string compact = out.str();
    EXPECT_EQ(compact, json::parse(indented).dump() + "\n");
    EXPECT_EQ(std::count(compact.begin(), compact.end(), '\n'), 1);

    arguments.erase(std::find(arguments.begin(), arguments.end(), "--json"));
    EXPECT_EQ(Run(arguments), cli::UsageFailure);
    EXPECT_NE(errors.str().find("--json"), std::string::npos) << errors.str();
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, CompactDocuments,
    ::testing::Values(std::vector<std::string>{"walk", "family=C", "waveguide=WR90", "coax=#1"},
                      std::vector<std::string>{"walk", "--steps", "family=X", "units=M"},
                      std::vector<std::string>{"describe", "R090PC0120USN"},
                      std::vector<std::string>{"quote", "C090CNSG", "--qty", "3"},
                      std::vector<std::string>{"convert", "OLD-1"}));

// Every command that shows an error exits 1, also where it went on to an answer.
struct CatalogueFault {
    const char* name;
    std::function<void(const TempFolder&)> damage;
    std::vector<std::string> arguments;
    const char* error;
    friend void PrintTo(const CatalogueFault& c, std::ostream* os) { *os << c.name; }
};

void PriceCoaxAt(const TempFolder& folder, const std::string& price) {
    WriteTable(folder, "CoaxPrice.tbl",
               "W|Band|D|Price|Delivery|Limit\n090|S|coax|" + price + "|1 week|5");
}

void RemoveTable(const TempFolder& folder, const std::string& name) {
    std::filesystem::remove(folder.Path() + "Data/" + name);
}

class CatalogueFaults : public CommandLine, public ::testing::WithParamInterface<CatalogueFault> {};

TEST_P(CatalogueFaults, ExitWithOne) {
    const CatalogueFault& c = GetParam();
    folder.Write("rfq.txt", "3 C090CNSG\n");
    c.damage(folder);
    std::vector<std::string> arguments = c.arguments;
    if (arguments.front() == "order")
        arguments.insert(arguments.end(), {"--in", folder.Path() + "rfq.txt"});
    EXPECT_EQ(Run(arguments), 1) << errors.str();
    EXPECT_NE(errors.str().find(c.error), std::string::npos) << errors.str();
}

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, CatalogueFaults,
    ::testing::Values(CatalogueFault{"QuoteBeyondAnyAmount",
                                     [](auto& f) { PriceCoaxAt(f, "1e308"); },
                                     {"quote", "C090CNSG"},
                                     "error: '1e308' is out of range for a price"},
                      CatalogueFault{"QuoteNegative",
                                     [](auto& f) { PriceCoaxAt(f, "-115.50"); },
                                     {"quote", "C090CNSG", "--qty", "99999"},
                                     "error: '-115.50' is out of range for a price"},
                      CatalogueFault{"OrderOfOneLine",
                                     [](auto& f) { PriceCoaxAt(f, "1e308"); },
                                     {"order"},
                                     "error: '1e308' is out of range for a price"},
                      CatalogueFault{"OrderWithoutATable",
                                     [](auto& f) { RemoveTable(f, "PressureWindows.tbl"); },
                                     {"order"},
                                     "error: Error loading"},
                      CatalogueFault{"DescribeWithoutATable",
                                     [](auto& f) { RemoveTable(f, "Dimensions.tbl"); },
                                     {"describe", "C090CNSG"},
                                     "error: Error loading"},
                      CatalogueFault{"WalkWithoutATable",
                                     [](auto& f) { RemoveTable(f, "Dimensions.tbl"); },
                                     {"walk", "family=C", "waveguide=WR90"},
                                     "error: Error loading"},
                      CatalogueFault{"ConvertWithoutATable",
                                     [](auto& f) { RemoveTable(f, "Conversion.tbl"); },
                                     {"convert", "OLD-1"},
                                     "error: Error loading"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandLine, UsageErrorsExitWithTwoAndOneLine) {
    for (const auto& arguments :
         std::vector<std::vector<std::string>>{{"quote"},
                                               {"quote", "X", "--qty", "0"},
                                               {"quote", "X", "--qty"},
                                               {"quote", "X", "--colour", "red"},
                                               {"nonsense"},
                                               {"describe"},
                                               {"build", "colour=red"},
                                               {"build", "family"},
                                               {"order"},
                                               {"order", "--in", "/no/such/file"},
                                               {"check", "extra"}}) {
        EXPECT_EQ(Run(arguments), 2) << arguments.front();
        const std::string told = errors.str();
        EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
    }
    out.str("");
    EXPECT_EQ(
        cli::RunCommandLine({"--app-dir", folder.Path() + "missing", "check"}, "", out, errors), 2);
}

// A line the program cannot work with is told in one line on standard error, with
// the names a mistyped word may have meant, and nothing is done.
struct TypedWrong {
    const char* Name;
    std::vector<std::string> Arguments;
    std::string Told;
};

void PrintTo(const TypedWrong& row, std::ostream* out) {
    *out << row.Name;
}

class UsageErrors : public CommandLine, public ::testing::WithParamInterface<TypedWrong> {};

TEST_P(UsageErrors, AreToldInOneLine) {
    EXPECT_EQ(Run(GetParam().Arguments), 2);
    EXPECT_EQ(errors.str(), "pelmora-cli: " + GetParam().Told + "\n");
    EXPECT_EQ(out.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, UsageErrors,
    ::testing::Values(
        TypedWrong{
            "MistypedCommand", {"qoute", "R090PC0120USG"}, "no command qoute; did you mean quote?"},
        TypedWrong{"UnknownCommand", {"frobnicate"}, "no command frobnicate"},
        TypedWrong{"NoCommand",
                   {"--json"},
                   "no command given; the commands are quote, describe, build, convert, order, "
                   "walk, parts, diff, check, help"},
        TypedWrong{"ShortOptionOfAnotherProgram", {"-V"}, "no option -V; did you mean --version?"},
        TypedWrong{"MistypedOptionOfACommand",
                   {"quote", "R090PC0120USG", "--qyt", "3"},
                   "no option --qyt; did you mean --qty?"},
        TypedWrong{"ShortOptionOfTwoNames",
                   {"parts", "-f", "R"},
                   "no option -f; did you mean --family or --format?"},
        TypedWrong{"MistypedHelpTopic", {"help", "bulid"}, "no command bulid; did you mean build?"},
        TypedWrong{"MistypedBuildKey", {"build", "famly=R"}, "no key famly; did you mean family?"},
        TypedWrong{"InputFileMissing",
                   {"order", "--in", "/no/such/list.txt"},
                   "Cannot open file /no/such/list.txt: No such file or directory"},
        TypedWrong{"OptionGivenTwice",
                   {"quote", "R090PC0120USG", "--qty", "1", "--qty=2"},
                   "option --qty is given twice"},
        TypedWrong{"BuildKeyGivenTwice",
                   {"build", "family=R", "waveguide=090", "family=E"},
                   "key family is given twice"},
        TypedWrong{"BuildWithoutChoices",
                   {"build"},
                   "build needs key=value choices, such as family=R; see help build"},
        TypedWrong{"MistypedWalkAction",
                   {"walk", "family=R", "tpye:length=12"},
                   "no action tpye:length; did you mean type:length?"},
        TypedWrong{"UnknownWalkActionAfterGoodOnes",
                   {"walk", "family=R", "waveguide=090", "frob"},
                   "no action frob"},
        TypedWrong{"WalkActionsAndAScript",
                   {"walk", "family=R", "--script", "-"},
                   "walk takes actions or --script FILE, not both"},
        TypedWrong{"DescribeNothing",
                   {"describe", " "},
                   "the part number is empty; describe needs one, such as R090PC0120USG"}),
    [](const auto& info) { return std::string(info.param.Name); });

// Every table missing alike is one fault, told once.
class FolderWithoutCatalogue : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(FolderWithoutCatalogue, IsToldInOneLine) {
    TempFolder empty;
    empty.Write("rfq.txt", "1 R090PC0120USG\n");
    std::vector<std::string> arguments = {"--app-dir", empty.Path()};
    for (const std::string& argument : GetParam())
        arguments.push_back(argument == "RFQ" ? empty.Path() + "rfq.txt" : argument);
    std::ostringstream out;
    std::ostringstream errors;
    EXPECT_EQ(cli::RunCommandLine(arguments, "/nowhere", out, errors), 2);
    const std::string folder = empty.Path().substr(0, empty.Path().size() - 1);
    EXPECT_EQ(errors.str(), "pelmora-cli: no catalogue (Data/) in " + folder + "\n");
    EXPECT_EQ(out.str(), "");
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, FolderWithoutCatalogue,
                         ::testing::Values(std::vector<std::string>{"quote", "R090PC0120USG"},
                                           std::vector<std::string>{"describe", "R090PC0120USG"},
                                           std::vector<std::string>{"build", "family=R"},
                                           std::vector<std::string>{"walk", "family=R"},
                                           std::vector<std::string>{"convert", "OLD-1"},
                                           std::vector<std::string>{"order", "--in", "RFQ"},
                                           std::vector<std::string>{"check"},
                                           std::vector<std::string>{"parts", "--count"}),
                         [](const auto& info) { return info.param.front(); });

// "-" reads standard input; each message about a line of it is told at its place,
// in line order, whichever step of the order found it.
TEST_F(CommandLine, OrderReadsStandardInputAndTellsEachLineInOrder) {
    std::istringstream rfq("1 NOPE\n"
                           "x R090PC0120USG\n"
                           "2 R090PC0120USG\tsite A\n"
                           "3 R090PC0120USG\tsite B\n");
    EXPECT_EQ(cli::RunCommandLine({"--app-dir", folder.Path(), "order", "--in", "-"}, "/nowhere",
                                  out, errors, cli::Console{rfq}),
              1);
    EXPECT_NE(out.str().find("3\t$420.00\tStock\tR090PC0120USG\tsite A\n"), std::string::npos)
        << out.str();
    std::istringstream told(errors.str());
    std::vector<std::string> placed;
    for (std::string line; std::getline(told, line);)
        if (line.starts_with("pelmora-cli: <stdin>:"))
            placed.push_back(line);
    EXPECT_EQ(placed,
              (std::vector<std::string>{
                  "pelmora-cli: <stdin>:1: \"NOPE\" is not a part number of the catalogue.",
                  "pelmora-cli: <stdin>:2: the quantity must be a whole number from 1 to 99999",
                  "pelmora-cli: <stdin>:4: updates the line of line 3: quantity 2 -> 3; its "
                  "description is not used"}))
        << errors.str();
}

TEST_F(CommandLine, WalkReadsItsScriptFromStandardInput) {
    std::istringstream script("\xEF\xBB\xBF# a script\nfamily=R\nwaveguide=090\n");
    EXPECT_EQ(cli::RunCommandLine({"--app-dir", folder.Path(), "walk", "--script", "-"}, "/nowhere",
                                  out, errors, cli::Console{script}),
              0)
        << errors.str();
    EXPECT_NE(out.str().find("waveguide\t090\tWR90"), std::string::npos) << out.str();

    std::istringstream mistyped("family=R\n\nwavegide=090\n");
    out.str("");
    errors.str("");
    EXPECT_EQ(cli::RunCommandLine({"--app-dir", folder.Path(), "walk", "--script", "-"}, "/nowhere",
                                  out, errors, cli::Console{mistyped}),
              2);
    EXPECT_EQ(errors.str(),
              "pelmora-cli: <stdin>:3: no action wavegide; did you mean waveguide?\n");
    EXPECT_EQ(out.str(), "");
}

// A part number that only begins with a family's letter belongs to no family.
TEST_F(CommandLine, QuoteNamesTheFamilyOfKnownPartsOnly) {
    EXPECT_EQ(Run({"quote", "NOTAPART", "R090PC0120USG"}), 1);
    EXPECT_EQ(out.str(), "NOTAPART\t\t1\tN/A\tContact Corvane Rep.\n"
                         "R090PC0120USG\tStraight Section\t1\t$140.00\tStock\n");
    EXPECT_EQ(Json({"quote", "NOTAPART"})["quotes"][0]["family"], nullptr);
}

// Help fits the terminal (80 columns when it is none) and tells the exit codes and
// examples; the help of build lists its keys.
TEST_F(CommandLine, HelpFitsTheTerminalAndListsTheBuildKeys) {
    for (const size_t columns : {size_t{60}, size_t{80}}) {
        std::istringstream nothing;
        out.str("");
        EXPECT_EQ(cli::RunCommandLine({"--help"}, "/nowhere", out, errors,
                                      cli::Console{nothing, columns}),
                  0);
        std::istringstream help(out.str());
        for (std::string line; std::getline(help, line);)
            EXPECT_LE(line.size(), columns) << line;
        EXPECT_NE(out.str().find("Exit status: 0"), std::string::npos);
        EXPECT_NE(out.str().find("Examples:\n  pelmora-cli quote"), std::string::npos);
    }
    EXPECT_EQ(Run({"help", "order"}), 0);
    EXPECT_EQ(out.str().find("Exit status"), std::string::npos) << "the program's, not order's";
    EXPECT_EQ(Run({"help", "build"}), 0);
    for (const service::BuildKey& key : service::BuildKeys())
        EXPECT_NE(out.str().find("\n  " + std::string(key.Name) + " "), std::string::npos)
            << key.Name;
    EXPECT_EQ(out.str().find("list-values"), std::string::npos);
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_EQ(out.str().find("list-values"), std::string::npos) << "the completion's own";
}

// What the shell completes after KEY=: the entries the wizard offers once the
// choices before it are made.
struct ValuesRow {
    const char* Name;
    std::vector<std::string> Arguments;
    std::vector<std::string> Offered;
    std::vector<std::string> NotOffered;
};

void PrintTo(const ValuesRow& row, std::ostream* out) {
    *out << row.Name;
}

class CompletionValues : public CommandLine, public ::testing::WithParamInterface<ValuesRow> {};

TEST_P(CompletionValues, ComeFromTheCatalogue) {
    std::vector<std::string> arguments = {"list-values"};
    arguments.insert(arguments.end(), GetParam().Arguments.begin(), GetParam().Arguments.end());
    EXPECT_EQ(Run(arguments), 0) << errors.str();
    const std::string offered = "\n" + out.str();
    for (const std::string& value : GetParam().Offered)
        EXPECT_NE(offered.find("\n" + value + "\n"), std::string::npos) << value << offered;
    for (const std::string& value : GetParam().NotOffered)
        EXPECT_EQ(offered.find("\n" + value + "\n"), std::string::npos) << value;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, CompletionValues,
    ::testing::Values(
        ValuesRow{"Families", {"family"}, {"R", "Straight Section", "C"}, {}},
        ValuesRow{"FlangesOfTheSize",
                  {"flangeA", "family=R", "waveguide=090"},
                  {"U", "UG Cover", "K"},
                  {}},
        ValuesRow{"LengthsOfAWalk", {"pick:length", "family=R", "waveguide=090"}, {"12.0"}, {}},
        ValuesRow{"BandsOnceScreenOneIsDone",
                  {"band", "family=R", "waveguide=090", "flangeA=U", "flangeB=C", "length=12.0"},
                  {"S", "X"},
                  {}},
        ValuesRow{"AWordBeingTypedChangesNothing",
                  {"waveguide", "family=R", "wave"},
                  {"090", "WR90"},
                  {}},
        ValuesRow{"Answers", {"confirm"}, {"continue", "swap", "cancel"}, {"yes"}}),
    [](const auto& info) { return std::string(info.param.Name); });

// Help and the version go to standard output and succeed, as scripts expect.
TEST_F(CommandLine, HelpAndVersionFollowTheConventions) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"--help"}, {"help"}, {"help", "order"}, {"order", "--help"}, {"build", "-h"}}) {
        out.str("");
        errors.str("");
        EXPECT_EQ(cli::RunCommandLine(arguments, "/nowhere", out, errors), 0) << arguments[0];
        EXPECT_NE(out.str().find("Usage: pelmora-cli"), std::string::npos) << out.str();
        EXPECT_EQ(errors.str(), "");
    }
    EXPECT_NE(out.str().find("KEY=VALUE"), std::string::npos) << "the build command's own help";
    out.str("");
    EXPECT_EQ(cli::RunCommandLine({"--version"}, "/nowhere", out, errors), 0);
    EXPECT_EQ(out.str(), "pelmora-cli 38.0\n");
    EXPECT_EQ(cli::RunCommandLine({"help", "nonsense"}, "/nowhere", out, errors), 2);
}

// As standard output on a full disk behaves: every write fails.
class FullDisk : public std::streambuf {
protected:
    int_type overflow(int_type) override {
        errno = ENOSPC;
        return traits_type::eof();
    }
};

// An answer that cannot be written is never a success, whichever way the command
// answered.
TEST_F(CommandLine, OutputThatCannotBeWrittenExitsWithThree) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"--app-dir", folder.Path(), "quote", "R090PC0120USG"},
             {"--app-dir", folder.Path(), "--json", "describe", "NOPE"},
             {"--version"}}) {
        FullDisk disk;
        std::ostream full(&disk);
        errors.str("");
        EXPECT_EQ(cli::RunCommandLine(arguments, "/nowhere", full, errors), 3) << arguments.back();
        EXPECT_EQ(errors.str().substr(errors.str().rfind("pelmora-cli:")),
                  "pelmora-cli: cannot write the output: No space left on device\n");
    }
}

TEST_F(CommandLine, DescribeShowsWhatTheQuickBuilderSets) {
    const json described = Json({"describe", " e090pc060k090sg"});
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(described["selections"]["family"], (json{{"code", "E"}, {"name", "E Bend"}}));
    EXPECT_EQ(described["selections"]["flangeB"]["code"], "K");
    EXPECT_EQ(described["selections"]["legB"]["code"], "9.0");
    EXPECT_EQ(described["selections"]["band"]["code"], "S");
    EXPECT_EQ(described["grid"][5],
              (json{{"code", "K"}, {"item", "Flange B"}, {"value", "UG Choke"}}));
    EXPECT_EQ(described["screenOneComplete"], true);
    EXPECT_EQ(described["partNumber"], "E090PC060K090SG");
    EXPECT_EQ(described["description"].get<std::string>().substr(0, 22),
              "E Bend 90\xC2\xB0, WR90, CPR")
        << "UTF-8 in JSON";
    EXPECT_EQ(described["messages"], json::array());
    for (const char* key : {"input", "selections", "grid", "screenOneComplete", "description",
                            "partNumber", "messages"})
        EXPECT_TRUE(described.contains(key)) << key;

    EXPECT_EQ(Run({"describe", "PW090C"}), 1);
    EXPECT_EQ(Run({"describe", "R090"}), 1) << "screen 1 incomplete";
}

TEST_F(CommandLine, BuildWalksTheWizardAndTypedLengthsAreChecked) {
    EXPECT_EQ(Run({"build", "family=Straight Section", "waveguide=WR90", "flangeA=U", "flangeB=C",
                   "length=12.3", "band=X", "finish=N"}),
              0);
    EXPECT_NE(out.str().find("partNumber\tR090PC0125UXN\n"), std::string::npos) << out.str();

    // A refused typed length fails the build, whatever entry the box shows instead.
    for (const char* length : {"length=99", "length=1e70", "length=abc"}) {
        EXPECT_EQ(Run({"build", "family=R", "waveguide=090", "flangeA=U", "flangeB=C", length}), 1)
            << length;
    }
    EXPECT_NE(errors.str().find("error: \"abc\" is not a valid Length value."), std::string::npos);
    EXPECT_EQ(Run({"build", "family=R", "waveguide=090", "flangeA=U", "flangeB=C", "length=99"}),
              1);
    EXPECT_NE(errors.str().find("error: Length \"99\" is not available."), std::string::npos);

    const json swapped = Json({"build", "family=N", "waveguide=090", "flangeA=U", "flangeB=C",
                               "legA=9.0", "legB=6.0", "confirm=swap"});
    EXPECT_EQ(swapped["partNumber"], "N090PC090U060SG");
    EXPECT_EQ(swapped["messages"][0]["kind"], "question");
}

// Entries that share a code are told apart by position.
TEST_F(CommandLine, BuildTakesEntriesByPosition) {
    const json built = Json(
        {"build", "family=#9", "waveguide=#1", "flangeA=#3", "flangeB=#1", "band=#2", "finish=#2"});
    EXPECT_EQ(built["partNumber"], "R090PC0120UXN");
    EXPECT_EQ(Run({"build", "family=R", "waveguide=#9"}), 2);
}

// A refused typed length holds no later Next: the walk's Next is no click that
// left the box.
TEST_F(CommandLine, WalkGoesOnToScreenTwoAfterARefusedTypedLength) {
    const json walked = Json({"walk", "--steps", "family=R", "waveguide=090", "flangeA=C",
                              "type:length=999", "flangeB=K", "next", "create"});
    ASSERT_EQ(walked["steps"].size(), 7u);
    EXPECT_EQ(walked["steps"][3]["refusal"], "the typed length was refused");
    EXPECT_TRUE(walked["steps"][5]["refusal"].is_null()) << walked["steps"][5]["refusal"];
    EXPECT_TRUE(walked["steps"][6]["refusal"].is_null()) << walked["steps"][6]["refusal"];
    EXPECT_NE(walked["state"]["partNumber"], "") << "screen 2 reached, the part created";
}

// A walk does what a user does, in order; what the user could not do at that
// moment is reported for its step and the walk goes on.
TEST_F(CommandLine, WalkRunsUserActionsAndShowsEveryList) {
    const json walked =
        Json({"walk", "--steps", "family=Straight Section", "band=S", "waveguide=WR90", "flangeA=U",
              "flangeB=C", "type:length=12.3", "units=M", "next", "units=P", "pick:length=12.5",
              "next", "band=X", "finish=N", "create", "apply=C090CNSG"});
    EXPECT_EQ(exitCode, 1) << "a refused step";
    ASSERT_EQ(walked["steps"].size(), 15u);
    EXPECT_EQ(walked["steps"][1]["refusal"], "band is on screen 2; screen 1 is shown");
    EXPECT_EQ(walked["steps"][5]["state"]["lists"]["length"]["text"], "12.5");
    EXPECT_EQ(walked["steps"][7]["refusal"], "screen 1 is not complete") << "no 318 mm entry";
    EXPECT_EQ(walked["steps"][13]["state"]["partNumber"], "R090PC0125UXN");
    const json& lists = walked["state"]["lists"];
    EXPECT_EQ(walked["state"]["selections"]["family"]["code"], "C");
    EXPECT_EQ(lists["screen"], 1);
    EXPECT_EQ(lists["coax"]["visible"], true);
    EXPECT_EQ(lists["coax"]["rows"][lists["coax"]["selected"].get<int>()][0], "N");
    EXPECT_EQ(lists["waveguide"]["columns"][1], " WR");
    EXPECT_EQ(lists["preset"]["text"], "N/A");
    EXPECT_EQ(lists["preset"]["unit"], "");
    EXPECT_EQ(lists["bands"]["buttons"][lists["bands"]["selected"].get<int>()]["code"], "S");

    folder.Write("walk.txt", "# a script\nfamily=R\n\nwaveguide=090\n");
    EXPECT_EQ(Run({"walk", "--script", folder.Path() + "walk.txt"}), 0);
    EXPECT_NE(out.str().find("family\tR\tStraight Section"), std::string::npos);
    EXPECT_EQ(Run({"walk"}), 2);
}

TEST_F(CommandLine, BuildRefusesWhatTheListsDoNotOffer) {
    EXPECT_EQ(Run({"build", "family=R", "waveguide=090", "flangeA=Z"}), 2);
    EXPECT_EQ(errors.str(), "pelmora-cli: flangeA: \"Z\" is not offered; the list offers C (CPR "
                            "Flat), K (UG Choke), U (UG Cover)\n");
    EXPECT_EQ(Run({"build", "family=X"}), 2);
    EXPECT_EQ(Run({"build", "family=C", "waveguide=090", "length=3"}), 2);

    EXPECT_EQ(Run({"build", "family=R", "waveguide=090", "flangeA=U"}), 1);
    EXPECT_NE(errors.str().find("info: Please fill all options to continue."), std::string::npos);
    EXPECT_EQ(Run({"build", "family=R", "waveguide=028"}), 1);
    EXPECT_NE(errors.str().find("info: Waveguide size 028 is available by special quote.\n"),
              std::string::npos);
}

TEST_F(CommandLine, ConvertLooksUpTheOldPartNumber) {
    EXPECT_EQ(Run({"convert", "old-1"}), 0);
    EXPECT_EQ(out.str(), "R090PU0120USG\tSame section\n");
    const json failed = Json({"convert", "nope"});
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(failed["newPartNumber"], nullptr);
    EXPECT_EQ(failed["messages"][0]["kind"], "info");
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "Data/OldParts.hst"));
}

TEST_F(CommandLine, OrderAddsEachItemAsTheAddDialogDoes) {
    folder.Write("rfq.txt", "# RFQ 38\r\n"
                            "2 R090PC0120USG\r\n"
                            "\r\n"
                            "1\tC090CNSG\tCoax, customer text\r\n"
                            "x R090PC0120USG\r\n"
                            "5 R090PC0120USG\r\n"
                            "1 ST090S\r\n");
    const json order = Json({"order", "--in", folder.Path() + "rfq.txt"});
    EXPECT_EQ(exitCode, 1) << "a malformed line";
    EXPECT_EQ(order["skipped"],
              (json::array({{{"line", 5},
                             {"reason", "the quantity must be a whole number from 1 to 99999"}}})));
    ASSERT_EQ(order["lines"].size(), 3u);
    EXPECT_EQ(order["lines"][0]["quantity"], "5");
    EXPECT_EQ(order["lines"][0]["price"], "$700.00");
    EXPECT_EQ(order["lines"][0]["description"].get<std::string>().substr(0, 23),
              "Straight Section, WR90,");
    EXPECT_EQ(order["lines"][1]["description"], "Coax, customer text");
    EXPECT_EQ(order["lines"][2]["description"].get<std::string>().substr(0, 27),
              "90\xC2\xB0 Step-Twist, WR90, , 8.")
        << "built from what the wizard could select";
    EXPECT_NE(errors.str().find("pelmora-cli: " + folder.Path() + "rfq.txt:5: "),
              std::string::npos);

    EXPECT_EQ(Run({"order", "--in", folder.Path() + "rfq.txt", "--out", folder.Path() + "o.xml",
                   "--bom", folder.Path() + "o.lom"}),
              1);
    EXPECT_EQ(folder.Read("o.xml").substr(0, 45),
              "<?xml version=\"1.0\" encoding=\"windows-1252\"?>");
    EXPECT_NE(folder.Read("o.lom").find("1=5|feet|R-000|R090PC0120USG|"), std::string::npos);
    EXPECT_EQ(Run({"order", "--in", folder.Path() + "rfq.txt", "--out", folder.Path() + "o.pdf"}),
              2);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "pelmora38.lom"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "Pelmora.ini"));
}

// The part number is the whole field between two TABs; without TABs a third word is
// an error. Nothing of a line is dropped without a message.
TEST_F(CommandLine, OrderReadsEachLineWhole) {
    folder.Write("rfq.txt", "\xEF\xBB\xBF"
                            "2\tR090PC0120USG extra\tmy text\n"
                            "1\tPart Number\tdesc\n"
                            "1 R090PC0120USG extra\n"
                            "3 R090PC0120USG\tA\xC0\x80"
                            "B\n");
    const json order = Json({"order", "--in", folder.Path() + "rfq.txt"});
    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(order["lines"].size(), 3u) << "the byte-order mark is no part of line 1";
    EXPECT_EQ(order["lines"][0]["partNumber"], "R090PC0120USG extra");
    EXPECT_EQ(order["lines"][0]["price"], "N/A");
    EXPECT_EQ(order["lines"][0]["description"], "my text");
    EXPECT_EQ(order["lines"][1]["partNumber"], "Part Number");
    EXPECT_EQ(order["lines"][2]["price"], "$420.00");
    EXPECT_EQ(order["lines"][2]["description"], "A\xC3\x80\xE2\x82\xac"
                                                "B")
        << "an overlong form is no UTF-8: its bytes are Windows-1252";
    EXPECT_EQ(order["skipped"],
              (json::array({{{"line", 3},
                             {"reason", "\"extra\" follows the part number; a description must "
                                        "follow a TAB"}}})));
    EXPECT_NE(errors.str().find("rfq.txt:1: \"R090PC0120USG extra\" is not a part number of "
                                "the catalogue."),
              std::string::npos);
    EXPECT_NE(errors.str().find("rfq.txt:2: \"Part Number\" is not"), std::string::npos);
}

// A part number is described as written, in a wizard of its own.
TEST_F(CommandLine, OrderDescribesEachPartNumberAlone) {
    WriteTable(folder, "Flange.tbl", R"(Code|Waveguide|Type|Model|Picture
U|090|UG Cover|UG-39/U|cover.gif
u|090|Small Cover|SC-90|cover.gif)");
    folder.Write("rfq.txt", "1 R090PU0120uSG\n");
    const json order = Json({"order", "--in", folder.Path() + "rfq.txt"});
    EXPECT_EQ(exitCode, 0) << errors.str();
    EXPECT_EQ(order["lines"][0]["description"],
              "Straight Section, WR90, UG Cover, Length: 12.0, Small Cover, 8.20 - 12.40 GHz / "
              "VSWR: 1.05:1, Gray");

    std::ostringstream alone;
    std::ostringstream after;
    auto describe = [&](const std::string& list, std::ostringstream& into) {
        folder.Write("list.txt", list);
        EXPECT_EQ(cli::RunCommandLine({"--app-dir", PELMORA_SHIPPED_DIR, "--json", "order", "--in",
                                       folder.Path() + "list.txt"},
                                      "", into, errors),
                  0)
            << errors.str();
        return json::parse(into.str())["lines"].back()["description"];
    };
    EXPECT_EQ(describe("1 R090PC0120KAG\n1 T090CCG\n", after), describe("1 T090CCG\n", alone));
}

TEST_F(CommandLine, OrderChecksEveryArgumentBeforeWritingAndTellsWhyAWriteFailed) {
    folder.Write("rfq.txt", "2 R090PC0120USG\n");
    EXPECT_EQ(Run({"order", "--in", folder.Path() + "rfq.txt", "--bom", folder.Path() + "o.lom",
                   "--out", folder.Path() + "o.pdf"}),
              2);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "o.lom"));

    EXPECT_EQ(
        Run({"order", "--in", folder.Path() + "rfq.txt", "--out", folder.Path() + "gone/o.xls"}),
        3);
    EXPECT_EQ(errors.str(), "pelmora-cli: Cannot create file " + folder.Path() +
                                "gone/o.xls: No such file or directory\n");
}

// An order the program saved converts between its formats as it stands.
TEST_F(CommandLine, OrderConvertsASavedOrder) {
    folder.Write("rfq.txt", "2 R090PC0120USG\n1\tC090CNSG\tCoax & more\n");
    ASSERT_EQ(Run({"order", "--in", folder.Path() + "rfq.txt", "--out", folder.Path() + "a.xml"}),
              0);
    EXPECT_EQ(Run({"order", "--in", folder.Path() + "a.xml", "--out", folder.Path() + "b.xls"}), 0);
    EXPECT_EQ(Run({"order", "--in", folder.Path() + "b.xls", "--out", folder.Path() + "c.xml"}), 0);
    EXPECT_EQ(folder.Read("c.xml"), folder.Read("a.xml"));
    EXPECT_NE(folder.Read("b.xls").find("\t$280.00\tStock\tR090PC0120USG\t"), std::string::npos);

    folder.Write("bad.xml",
                 folder.Read("a.xml").replace(folder.Read("a.xml").find("<price>"), 7, "<cost>"));
    EXPECT_EQ(Run({"order", "--in", folder.Path() + "bad.xml"}), 2);
    EXPECT_EQ(errors.str(), "pelmora-cli: " + folder.Path() + "bad.xml:5: <price> was expected\n");
}

// A TAB inside a catalogue text or a customer's text never adds a column: every
// TAB-separated output writes it as a blank.
struct TabRow {
    const char* Name;
    std::vector<std::string> Arguments;
    std::string LineStart;
    long Tabs;
};

void PrintTo(const TabRow& row, std::ostream* out) {
    *out << row.Name;
}

class TabSeparatedOutput : public CommandLine, public ::testing::WithParamInterface<TabRow> {};

TEST_P(TabSeparatedOutput, KeepsItsColumns) {
    const std::string familyRow = "R|Straight\tSection|0.5|10|r_dwg.gif|r.gif";
    const std::string families = folder.Read("Data/Family.tbl");
    folder.Write("Data/Family.tbl", families.substr(0, families.find("R|")) + familyRow +
                                        families.substr(families.find('\n', families.find("R|"))));
    WriteTable(folder, "Conversion.tbl", "Old|New|Comment\nOLD-1|R090PU0120USG|Same\tsection");
    folder.Write("rfq.txt", "1\tR090PC0120USG\tsite\tA\n");
    std::vector<std::string> arguments = GetParam().Arguments;
    for (std::string& argument : arguments) {
        if (argument == "RFQ")
            argument = folder.Path() + "rfq.txt";
    }
    Run(arguments);
    const std::string printed = "\n" + out.str();
    const size_t start = printed.find("\n" + GetParam().LineStart);
    ASSERT_NE(start, std::string::npos) << printed;
    const std::string line = printed.substr(start + 1, printed.find('\n', start + 1) - start - 1);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), GetParam().Tabs) << line;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, TabSeparatedOutput,
    ::testing::Values(
        TabRow{
            "QuoteFamily", {"quote", "C090CNSG", "R090PC0120USN"}, "R090PC0120USN\tStraight ", 4},
        TabRow{"DescribeSelection", {"describe", "R090PC0120USG"}, "family\tR\tStraight ", 2},
        TabRow{"ConvertComment", {"convert", "OLD-1"}, "R090PU0120USG\tSame ", 1},
        TabRow{"OrderDescription", {"order", "--in", "RFQ"}, "1\t$140.00\tStock\t", 4},
        TabRow{"WalkRefusal", {"walk", "family=R\tX"}, "refused\tfamily=R X\t", 2}),
    [](const auto& info) { return info.param.Name; });

// A repeated part updates its line as in the Add to Order dialog; each such line is
// told, and a description that is not used makes the list not taken as written.
TEST_F(CommandLine, OrderTellsEachLineThatUpdatesAnother) {
    folder.Write("rfq.txt", "2 R090PC0120USG\tsite A\n3 R090PC0120USG\tsite B\n");
    const json order = Json({"order", "--in", folder.Path() + "rfq.txt"});
    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(order["lines"].size(), 1u);
    EXPECT_EQ(order["lines"][0]["quantity"], "3");
    EXPECT_EQ(order["lines"][0]["description"], "site A");
    const std::string told =
        "updates the line of line 1: quantity 2 -> 3; its description is not used";
    EXPECT_EQ(order["messages"],
              (json::array({{{"kind", "error"}, {"text", "line 2: " + told}, {"line", 2}}})));
    EXPECT_EQ(errors.str(), "pelmora-cli: " + folder.Path() + "rfq.txt:2: " + told + "\n");

    folder.Write("rfq.txt", "2 R090PC0120USG\tsite A\n3 R090PC0120USG\n");
    EXPECT_EQ(Run({"order", "--in", folder.Path() + "rfq.txt"}), 0);
    EXPECT_EQ(errors.str(), "pelmora-cli: " + folder.Path() +
                                "rfq.txt:2: updates the line of line 1: quantity 2 -> 3\n");
    EXPECT_EQ(out.str(), "3\t$420.00\tStock\tR090PC0120USG\tsite A\n");
}

// A part number is examined once, at its first line; every later line with it is
// priced and told as the first one was, whatever lines were skipped between them.
struct RepeatRow {
    const char* Name;
    std::string Rfq;
    std::vector<int> ToldNotInCatalogue;
    std::vector<std::pair<std::string, std::string>> QuantityAndPrice;
};

void PrintTo(const RepeatRow& row, std::ostream* out) {
    *out << row.Name;
}

class RepeatedParts : public CommandLine, public ::testing::WithParamInterface<RepeatRow> {};

TEST_P(RepeatedParts, AreTakenAsTheirFirstLine) {
    const RepeatRow& row = GetParam();
    folder.Write("rfq.txt", row.Rfq);
    const json order = Json({"order", "--in", folder.Path() + "rfq.txt"});
    std::vector<int> told;
    for (const auto& message : order["messages"]) {
        const std::string text = message["text"];
        if (text.find("is not a part number of the catalogue") != std::string::npos)
            told.push_back(std::stoi(text.substr(std::string("line ").size())));
    }
    EXPECT_EQ(told, row.ToldNotInCatalogue);
    std::vector<std::pair<std::string, std::string>> lines;
    for (const auto& line : order["lines"])
        lines.emplace_back(line["quantity"], line["price"]);
    EXPECT_EQ(lines, row.QuantityAndPrice);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, RepeatedParts,
    ::testing::Values(
        RepeatRow{"UnknownToldAtEveryLine", "1 XYZ1\n# note\n2 XYZ1\n", {1, 3}, {{"2", "N/A"}}},
        RepeatRow{"KnownAfterSkippedLines",
                  "x\n\n1 R090PC0120USG\nbad line here\n2 R090PC0120USG\n",
                  {},
                  {{"2", "$280.00"}}},
        RepeatRow{"KnownAndUnknownInterleaved",
                  "1 XYZ1\n1 R090PC0120USG\n2 XYZ1\n3 R090PC0120USG\n",
                  {1, 3},
                  {{"2", "N/A"}, {"3", "$420.00"}}}),
    [](const auto& info) { return std::string(info.param.Name); });

// What Windows-1252 lacks stays where the output can carry it (the XML, UTF-8 text and
// JSON); each file that cannot is told for each line that lost characters.
struct WideRow {
    const char* Name;
    std::vector<std::string> Arguments;
    int Exit;
    std::string File; // empty: standard output
    std::string Holds;
    std::string Told; // empty: no error
};

void PrintTo(const WideRow& row, std::ostream* out) {
    *out << row.Name;
}

class CharactersBeyondTheCodePage : public CommandLine,
                                    public ::testing::WithParamInterface<WideRow> {};

TEST_P(CharactersBeyondTheCodePage, AreKeptOrTold) {
    folder.Write("rfq.txt",
                 "1 C090CNSG\n2 R090PC0120USG\tsite \xCE\xB1\xCE\xB2 \xF0\x9F\x98\x80\n");
    std::vector<std::string> arguments = {"order", "--in", folder.Path() + "rfq.txt"};
    for (const std::string& argument : GetParam().Arguments)
        arguments.push_back(argument.starts_with("--") ? argument : folder.Path() + argument);
    EXPECT_EQ(Run(arguments), GetParam().Exit) << errors.str();
    const std::string written = GetParam().File.empty() ? out.str() : folder.Read(GetParam().File);
    EXPECT_NE(written.find(GetParam().Holds), std::string::npos) << written;
    if (GetParam().Told.empty())
        EXPECT_EQ(errors.str(), "");
    else
        EXPECT_NE(errors.str().find("pelmora-cli: " + folder.Path() +
                                    "rfq.txt:2: the description's U+03B1, U+03B2, U+1F600 "
                                    "cannot be written in Windows-1252; " +
                                    GetParam().Told + " holds \"?\" for each\n"),
                  std::string::npos)
            << errors.str();
}

const std::string AsGiven = "site \xCE\xB1\xCE\xB2 \xF0\x9F\x98\x80";

INSTANTIATE_TEST_SUITE_P(
    CommandLine, CharactersBeyondTheCodePage,
    ::testing::Values(
        WideRow{"XmlKeepsThem",
                {"--out", "o.xml"},
                0,
                "o.xml",
                "<description>site &#x3B1;&#x3B2; &#x1F600;</description>",
                ""},
        WideRow{"XlsCannot", {"--out", "o.xls"}, 1, "o.xls", "\tsite ?? ?\r\n", "the .xls file"},
        WideRow{"TxtCannot", {"--out", "o.TXT"}, 1, "o.TXT", "    site ?? ?\r\n", "the .txt file"},
        WideRow{"BillOfMaterialsCannot",
                {"--out", "o.xml", "--bom", "o.lom"},
                1,
                "o.lom",
                "|site ?? ?|",
                "the bill of materials"},
        WideRow{"PrintedAsGiven", {}, 0, "", "\tR090PC0120USG\t" + AsGiven + "\n", ""},
        WideRow{"JsonAsGiven", {"--json"}, 0, "", "\"description\": \"" + AsGiven + "\"", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

// A saved XML order that holds such characters converts as any other: again to XML
// byte for byte, to a Windows-1252 file with the line of its <item> told.
TEST_F(CommandLine, SavedXmlKeepsCharactersBeyondTheCodePage) {
    folder.Write("rfq.txt", "1 C090CNSG\n2 R090PC0120USG\tsite \xCE\xB1\n");
    ASSERT_EQ(Run({"order", "--in", folder.Path() + "rfq.txt", "--out", folder.Path() + "a.xml"}),
              0);
    EXPECT_EQ(Run({"order", "--in", folder.Path() + "a.xml", "--out", folder.Path() + "b.xml"}), 0);
    EXPECT_EQ(folder.Read("b.xml"), folder.Read("a.xml"));
    EXPECT_EQ(Json({"order", "--in", folder.Path() + "a.xml"})["lines"][1]["description"],
              "site \xCE\xB1");
    EXPECT_EQ(Run({"order", "--in", folder.Path() + "a.xml", "--out", folder.Path() + "c.xls"}), 1);
    EXPECT_EQ(errors.str(), "pelmora-cli: " + folder.Path() +
                                "a.xml:10: the description's U+03B1 cannot be written in "
                                "Windows-1252; the .xls file holds \"?\" for each\n");
}

TEST_F(CommandLine, CheckReportsFindingsWithTheirPlace) {
    WriteTable(folder, "Flange.tbl", "Code|Waveguide|Type|Model|Picture\nU|090|UG Cover|UG-39/U");
    EXPECT_EQ(Run({"check"}), 1);
    EXPECT_NE(out.str().find("error: Data/Flange.tbl:2:4: The row has 4 field(s); the program "
                             "reads 5.\n"),
              std::string::npos)
        << out.str();
    const json report = Json({"check"});
    EXPECT_GT(report["errors"].get<int>(), 0);
    EXPECT_EQ(report["findings"][0]["severity"], "error");
    for (const char* key : {"severity", "file", "line", "column", "message"})
        EXPECT_TRUE(report["findings"][0].contains(key)) << key;
}

TEST_F(CommandLine, ShippedCatalogueHasNoErrors) {
    out.str("");
    EXPECT_EQ(cli::RunCommandLine({"--app-dir", PELMORA_SHIPPED_DIR, "check"}, "", out, errors), 0)
        << out.str();
}

} // namespace
} // namespace pelmora::testing
