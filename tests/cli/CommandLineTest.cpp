// The command line as a script calls it: arguments in, text or JSON out, an exit
// code. Runs in-process against the test catalogue.
#include "Cli.h"
#include "core/order/PriceTables.h"

#include <algorithm>
#include <filesystem>
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
    EXPECT_EQ(Run({"quote", "R051PC0120USN", "C090CNSG", "--qty", "3"}), 0);
    EXPECT_EQ(out.str(), "R051PC0120USN\tStraight Section\t3\t$37.50\tContact Corvane Rep.\n"
                         "C090CNSG\tWaveguide to Coax\t3\t$450.00\t1 week\n");

    const json quote = Json({"quote", "PW090C"})["quotes"][0];
    EXPECT_EQ(exitCode, 1) << "not recognised";
    EXPECT_EQ(quote, (json{{"partNumber", "PW090C"},
                           {"family", "Unknown"},
                           {"quantity", 1},
                           {"total", "N/A"},
                           {"unitPrice", nullptr},
                           {"delivery", "Contact Corvane Rep."}}));
    EXPECT_EQ(Json({"quote", "D090CKSG", "--qty", "2"})["quotes"][0]["unitPrice"], "$220.00");

    // A price cell that does not convert never passes for another part's price.
    EXPECT_EQ(Run({"quote", "R090PC0120USG", "R062PU0120USG"}), 0);
    EXPECT_NE(out.str().find("R062PU0120USG\tStraight Section\t1\tN/A\tContact Corvane Rep."),
              std::string::npos);
    EXPECT_NE(errors.str().find("error: 'abc' is not a valid floating point value"),
              std::string::npos);
}

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

    EXPECT_EQ(Run({"build", "family=R", "waveguide=090", "flangeA=U", "flangeB=C", "length=99"}),
              0);
    EXPECT_NE(errors.str().find("error: Length \"99\" is not available."), std::string::npos);

    const json swapped = Json({"build", "family=N", "waveguide=090", "flangeA=U", "flangeB=C",
                               "legA=9.0", "legB=6.0", "confirm=swap"});
    EXPECT_EQ(swapped["partNumber"], "N090PC090U060SG");
    EXPECT_EQ(swapped["messages"][0]["kind"], "question");
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
    EXPECT_NE(errors.str().find("error: line 5: "), std::string::npos);

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
