// What the page relies on: every state comes back from the short list of actions
// the server derives from it, however long the way there; a link too long still
// opens a configuration; a part number the wizard cannot build says why and leaves
// nothing of the earlier part; a table that cannot be read is told by its name
// alone; the sheet is the configuration's own; the order's total and printed pages.
#include "Commands.h"
#include "ServedCatalogue.h"
#include "SpecSheet.h"
#include "StateActions.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace pelmora::testing {
namespace {

using nlohmann::json;

const std::string Shipped = PELMORA_SHIPPED_DIR;

json WalkDocument(const std::vector<std::string>& actions) {
    service::Session session("/nowhere", Shipped, nullptr);
    return json::parse(service::Walk(session, actions, false).DocumentText(false));
}

std::vector<std::string> Repeated(std::vector<std::string> actions, const std::string& action,
                                  size_t times) {
    actions.insert(actions.end(), times, action);
    return actions;
}

struct LongWalk {
    const char* Name;
    std::vector<std::string> Actions;
};

const std::vector<LongWalk> LongWalks = {
    {"MiterLegsLeftBehindByAStraightSection",
     {"family=M", "waveguide=WR90", "flangeA=U", "flangeB=C", "type:legA=3.0", "type:legB=5.0",
      "family=R", "waveguide=WR90", "flangeA=K", "flangeB=U", "next", "band=A", "create"}},
    {"TwoHundredQuickBuilds",
     Repeated({"family=M", "waveguide=WR90"}, "quickbuild=R090PC0120USG", 198)},
    {"TaperedNarrowBand",
     {"family=T", "waveguide=WR90/WR112", "flangeA=U", "flangeB=C", "next", "band=B", "create"}},
    {"UnitsSwitchedAfterATypedLength",
     {"family=R", "waveguide=WR90", "flangeA=C", "flangeB=U", "type:length=18.3", "units=M", "next",
      "finish=N", "create"}},
    {"AdaptorOverATypedLength",
     {"family=R", "waveguide=WR90", "flangeA=C", "flangeB=U", "type:length=30", "adaptor=yes",
      "next", "create"}},
    {"LegsSwappedByCreate",
     {"family=M", "waveguide=WR90", "flangeA=U", "flangeB=C", "type:legA=3.0", "type:legB=5.0",
      "next", "create=swap"}},
    {"CoaxInMillimetres",
     {"units=M", "family=C", "waveguide=090", "flangeA=#1", "coax=#1", "next", "band=#1",
      "finish=#1", "create", "back"}},
    {"FlexTwistLengthAndBand",
     {"family=F", "waveguide=WR137", "flangeA=C", "flangeB=K", "pick:length=12.0", "next", "band=B",
      "create"}},
    {"StepTwistFromItsTable",
     {"family=S", "waveguide=WR112", "next", "band=B", "create", "back", "family=S"}},
    {"HalfDoneScreenOne", {"family=E", "waveguide=WR112", "flangeA=C", "pick:legA=4.0"}},
    {"FamilyChangedBackAndForth",
     Repeated({"family=N", "waveguide=WR62", "flangeA=U"}, "family=E", 3)},
    {"NothingDone", {"back"}},
};

class ShortestActions : public ::testing::TestWithParam<LongWalk> {};

TEST_P(ShortestActions, BringBackTheStateShown) {
    const json walked = WalkDocument(GetParam().Actions);
    const std::vector<std::string> shortest = walked["actions"];
    EXPECT_LE(shortest.size(), 12u);
    const json again = WalkDocument(shortest.empty() ? std::vector<std::string>{"back"} : shortest);
    for (size_t i = 0; i < shortest.size(); ++i)
        EXPECT_TRUE(again["steps"][i]["done"].get<bool>()) << shortest[i];
    EXPECT_EQ(service::ShownState(again["state"]), service::ShownState(walked["state"]));
    EXPECT_EQ(again["actions"], walked["actions"]);
}

INSTANTIATE_TEST_SUITE_P(Walks, ShortestActions, ::testing::ValuesIn(LongWalks),
                         [](const auto& info) { return info.param.Name; });

TEST(LinkTooLong, OpensTheConfigurationOfItsFirstActionsAndSaysSo) {
    RunningServer server("/nowhere", Shipped);
    httplib::Client client = server.Client();
    std::vector<std::string> actions = {"family=R", "waveguide=WR90", "flangeA=C"};
    actions.resize(WebServer::MaxActions, "flangeB=U");
    actions.push_back("family=E");
    const auto answer = client.Get(StatePath(actions).c_str());
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    const json document = json::parse(answer->body);
    EXPECT_EQ(document["steps"].size(), WebServer::MaxActions);
    EXPECT_EQ(document["state"]["selections"]["family"]["code"], "R");
    EXPECT_EQ(document["actions"],
              json({"family=R", "waveguide=090", "flangeA=C", "flangeB=U", "pick:length=12.0"}));
    const json& messages = document["state"]["messages"];
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back()["text"], "The link holds 201 actions, more than the 200 taken: this "
                                       "is the configuration after the first 200.");
}

TEST(UnreadableTable, IsToldByItsNameWithoutTheServersFolders) {
    TempFolder folder;
    std::filesystem::copy(Shipped, folder.Path(), std::filesystem::copy_options::recursive);
    std::filesystem::remove(folder.Path() + "Data/Family.tbl");
    std::filesystem::create_directory(folder.Path() + "Data/Family.tbl");
    RunningServer server("/nowhere", folder.Path());
    httplib::Client client = server.Client();
    const auto answer = client.Get("/api/state");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    const json messages = json::parse(answer->body)["state"]["messages"];
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0]["kind"], "error");
    EXPECT_EQ(messages[0]["text"], "Error loading \"Family.tbl\" with error message, \"Cannot "
                                   "open file Family.tbl: it is not a regular file\".");
    EXPECT_EQ(answer->body.find(folder.Path()), std::string::npos);
}

// The rows of the sheet: "item: value" for each.
std::vector<std::string> SheetRows(const std::optional<service::SheetContent>& sheet) {
    std::vector<std::string> rows;
    for (size_t row = 0; sheet && row < sheet->Rows.Lines.size(); ++row)
        rows.push_back(sheet->Rows.GetField(static_cast<int>(row), 3) + ": " +
                       sheet->Rows.GetField(static_cast<int>(row), 4));
    return rows;
}

// Two flange rows of one code: only the actions tell which was chosen, and both
// the sheet and the short list keep it.
TEST(SharedFlangeCode, KeepsTheRowChosenOnTheSheetAndInTheShortList) {
    TempFolder folder;
    std::filesystem::copy(Shipped, folder.Path(), std::filesystem::copy_options::recursive);
    std::string flanges = folder.Read("Data/Flange.tbl");
    const std::string choke = "K|090|UG Choke|UG-40B/U|flg_choke.gif";
    flanges.insert(flanges.find(choke) + choke.size(),
                   "\r\nC|090|CPR Flat Brass|CPR-90FB|flg_cpr.gif");
    folder.Write("Data/Flange.tbl", flanges);
    const std::vector<std::string> actions = {
        "family=R",  "waveguide=WR90", "flangeA=CPR Flat Brass",
        "flangeB=C", "flangeB=U",      "flangeB=C",
        "flangeB=U", "flangeB=C",      "flangeB=U",
        "next",      "create"};

    service::Session session("/nowhere", folder.Path(), nullptr);
    const json walked = json::parse(service::Walk(session, actions, false).DocumentText(false));
    EXPECT_EQ(walked["actions"],
              json({"family=R", "waveguide=090", "flangeA=#5", "flangeB=U", "pick:length=12.0",
                    "next", "band=S", "finish=G", "create"}));
    const auto sheet = service::SheetOfActions(session, actions);
    ASSERT_TRUE(sheet);
    const std::vector<std::string> rows = SheetRows(sheet);
    EXPECT_NE(std::find(rows.begin(), rows.end(), "Flange A: CPR Flat Brass"), rows.end())
        << ::testing::PrintToString(rows);
}

struct AppliedPart {
    const char* Name;
    std::string Action;
    const char* Kind;
    std::string Message;
    const char* Family;
};

const std::vector<AppliedPart> AppliedParts = {
    {"UnknownLetter", "quickbuild=q999", "error",
     "\"Q999\" is not a part number the wizard can build: no product type has part numbers "
     "that start so.",
     nullptr},
    {"PressureWindowFromAConversion", "apply=PW090C", "error",
     "\"PW090C\" is not a part number the wizard can build: no product type has part numbers "
     "that start so.",
     nullptr},
    {"Junk", "quickbuild=#%!", "error",
     "\"#%!\" is not a part number the wizard can build: no product type has part numbers that "
     "start so.",
     nullptr},
    {"KnownFamilyRestUnknown", "quickbuild=r999", "info",
     "\"R999\" does not name every choice of screen 1: choose what is missing there.", "R"},
};

class AppliedPartNumber : public ::testing::TestWithParam<AppliedPart> {};

TEST_P(AppliedPartNumber, SaysWhyAndKeepsNothingOfTheEarlierPart) {
    const AppliedPart& c = GetParam();
    const json walked = WalkDocument({"family=E", "waveguide=WR112", "flangeA=C", "flangeB=C",
                                      "pick:legA=4.0", "next", c.Action});
    const json& step = walked["steps"].back();
    EXPECT_TRUE(step["done"].get<bool>());
    ASSERT_EQ(step["messages"].size(), 1u);
    EXPECT_EQ(step["messages"][0]["kind"], c.Kind);
    EXPECT_EQ(step["messages"][0]["text"], c.Message);
    const json& state = walked["state"];
    EXPECT_EQ(state["lists"]["screen"], 1);
    EXPECT_EQ(state["partNumber"], "");
    if (!c.Family) {
        EXPECT_FALSE(state["selections"].contains("family"));
        EXPECT_FALSE(state["selections"].contains("waveguide"));
        EXPECT_FALSE(state["selections"].contains("flangeA"));
        EXPECT_EQ(state["selections"]["legA"]["code"], "");
        EXPECT_TRUE(state["lists"]["waveguide"]["rows"].empty());
    } else {
        EXPECT_EQ(state["selections"]["family"]["code"], c.Family);
    }
}

INSTANTIATE_TEST_SUITE_P(Parts, AppliedPartNumber, ::testing::ValuesIn(AppliedParts),
                         [](const auto& info) { return info.param.Name; });

TEST(Sheet, IsDrawnFromTheConfigurationNotFromItsPartNumberAlone) {
    service::Session session("/nowhere", Shipped, nullptr);
    const auto narrow =
        service::SheetOfActions(session, {"family=T", "waveguide=WR90/WR112", "flangeA=U",
                                          "flangeB=C", "next", "band=B", "create"});
    ASSERT_TRUE(narrow);
    EXPECT_EQ(narrow->Header.PartNumber, "T090UCG");
    const std::vector<std::string> rows = SheetRows(narrow);
    EXPECT_NE(std::find(rows.begin(), rows.end(), "Frequency: 9.67 - 11.35 GHz / VSWR: 1.12:1"),
              rows.end())
        << ::testing::PrintToString(rows);
    const auto catalogue = service::SheetOfPart(session, "T090UCG");
    ASSERT_TRUE(catalogue);
    const std::vector<std::string> wide = SheetRows(catalogue);
    EXPECT_NE(std::find(wide.begin(), wide.end(), "Frequency: 8.20 - 12.40 GHz / VSWR: 1.15:1"),
              wide.end())
        << ::testing::PrintToString(wide);
}

struct SheetAsked {
    const char* Name;
    std::string Query;
    int Status;
    const char* Disposition;
};

const std::vector<SheetAsked> SheetsAsked = {
    {"Actions",
     "a=family%3DT&a=waveguide%3DWR90%2FWR112&a=flangeA%3DU&a=flangeB%3DC&a=next&a=band%3DB&a="
     "create",
     200, "inline; filename=\"T090UCG.pdf\"; filename*=UTF-8''T090UCG.pdf"},
    {"CataloguePart", "part=T090UCG", 200,
     "inline; filename=\"T090UCG.pdf\"; filename*=UTF-8''T090UCG.pdf"},
    {"PartWithJunkAfterIt", "part=T090UCGZZ", 404, nullptr},
    {"PartWithABlank", "part=T090UCG%20", 404, nullptr},
    {"ActionsBeforeCreate", "a=family%3DT&a=waveguide%3DWR90%2FWR112&a=flangeA%3DU", 404, nullptr},
    {"ActionsAndPart", "a=family%3DT&part=T090UCG", 400, nullptr},
    {"Nothing", "", 400, nullptr},
};

class SheetRequest : public ::testing::TestWithParam<SheetAsked> {};

TEST_P(SheetRequest, IsAnsweredAsTheCatalogueAndTheActionsSay) {
    RunningServer server("/nowhere", Shipped);
    httplib::Client client = server.Client();
    const auto answer = client.Get(("/api/sheet.pdf?" + GetParam().Query).c_str());
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, GetParam().Status) << answer->body;
    if (GetParam().Disposition) {
        EXPECT_EQ(answer->get_header_value("Content-Type"), "application/pdf");
        EXPECT_EQ(answer->get_header_value("Content-Disposition"), GetParam().Disposition);
        EXPECT_EQ(answer->body.substr(0, 5), "%PDF-");
    } else {
        EXPECT_EQ(json::parse(answer->body)["status"], GetParam().Status);
    }
}

INSTANTIATE_TEST_SUITE_P(Queries, SheetRequest, ::testing::ValuesIn(SheetsAsked),
                         [](const auto& info) { return info.param.Name; });

struct OrderTotal {
    const char* Name;
    std::string List;
    json Total;
    int Unpriced;
};

const std::vector<OrderTotal> OrderTotals = {
    {"PricedLines", "2 R090PC0120USG\n1 C090CNSG\n1 ST090S\n", "$1,359.00", 0},
    {"UnknownAndQuotedPartsLeftOut", "2 R090PC0120USG\n1 NOPE\n1 PW090K\n", "$529.00", 2},
    {"NothingPriced", "1 PW090K\n", "$0.00", 1},
    {"ThousandsOfOneLine", "99999 R090PC0120USG\n", "$26,449,735.50", 0},
};

class OrderTotalOf : public ::testing::TestWithParam<OrderTotal> {};

TEST_P(OrderTotalOf, AddsUpThePricedLines) {
    service::Session session("/nowhere", Shipped, nullptr);
    const service::Order order = service::MakeOrder(session, GetParam().List, "list");
    const json document = service::OrderReply(session, order).Document;
    EXPECT_EQ(document["total"], GetParam().Total);
    EXPECT_EQ(document["unpriced"], GetParam().Unpriced);
}

INSTANTIATE_TEST_SUITE_P(Orders, OrderTotalOf, ::testing::ValuesIn(OrderTotals),
                         [](const auto& info) { return info.param.Name; });

size_t Count(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

TEST(PrintedOrder, IsAPdfOfTenLinesAPage) {
    RunningServer server("/nowhere", Shipped);
    httplib::Client client = server.Client();
    std::string list;
    for (const char* part : {"R090PC0120USG", "C090CNSG", "ST090S", "D137GGCG", "F137PC0120KB"})
        for (int quantity = 1; quantity <= 3; ++quantity)
            list += std::to_string(quantity) + " " + part + "\n";
    std::string eleven;
    for (const char* part :
         {"R090PC0120USG", "R090PC0120UAG", "R090PK0120USG", "R090PK0120UAG", "R090PU0120USG",
          "R090PU0120UAG", "R090PC0120CSG", "R090PC0120CAG", "C090CNSG", "ST090S", "D137GGCG"})
        eleven += std::string("1 ") + part + "\n";
    for (const auto& [body, pages] : std::vector<std::pair<std::string, size_t>>{
             {list, 1u}, {eleven, 2u}, {"1 D137GGCG\n", 1u}}) {
        const auto answer = client.Post("/api/order?format=pdf", body, OrderType);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 200) << answer->body;
        EXPECT_EQ(answer->get_header_value("Content-Type"), "application/pdf");
        EXPECT_EQ(answer->get_header_value("Content-Disposition"),
                  "attachment; filename=\"order.pdf\"; filename*=UTF-8''order.pdf");
        EXPECT_EQ(answer->body.substr(0, 5), "%PDF-");
        EXPECT_EQ(Count(answer->body, "/Type /Page") - Count(answer->body, "/Type /Pages"), pages)
            << body;
    }
}

} // namespace
} // namespace pelmora::testing
