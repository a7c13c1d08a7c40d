// The JSON written without a tree must be the very bytes the tree would dump: the
// command line, the server and every client that compares answers rely on it.
#include "JsonWriter.h"

#include "Commands.h"
#include "StateActions.h"
#include "Utf8.h"
#include "WizardJson.h"
#include "WizardWalk.h"
#include "support/TestCatalogue.h"
#include "wizard/MainForm.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <stdexcept>

namespace pelmora::testing {
namespace {

using nlohmann::json;
using service::JsonWriter;

struct TextCase {
    const char* Name;
    std::string Bytes;
};

class WrittenStrings : public ::testing::TestWithParam<TextCase> {};

TEST_P(WrittenStrings, AreEscapedAsTheTreeEscapesThem) {
    const std::string& bytes = GetParam().Bytes;
    const std::string utf8 = service::AsUtf8(bytes);
    EXPECT_EQ(JsonWriter().String(utf8).Json(), json(utf8).dump());
    EXPECT_EQ(JsonWriter().Text(bytes).Json(), json(service::ToUtf8(bytes)).dump());
}

INSTANTIATE_TEST_SUITE_P(
    JsonWriter, WrittenStrings,
    ::testing::Values(TextCase{"Empty", ""}, TextCase{"Plain", "WR90 Straight Section"},
                      TextCase{"QuoteAndBackslash", "12\" C:\\x"},
                      TextCase{"NamedEscapes", "a\bb\fc\nd\re\tf"},
                      TextCase{"OtherControls", std::string("\x01\x1f\x00z", 4)},
                      TextCase{"DeleteAndSlash", "\x7f/</"},
                      TextCase{"DegreeAndEuro1252", "90\xB0 \x80 5"},
                      TextCase{"Undefined1252Bytes", "\x81\x8D\x8F\x90\x9D"},
                      TextCase{"Utf8Already", "\xC3\xA9\xE2\x82\xAC"},
                      TextCase{"RunsBetweenEscapes", "WR90 \xB0 12\" \x01 tail \x80"},
                      TextCase{"EscapeLast", "12\\"}),
    [](const auto& info) { return std::string(info.param.Name); });

struct IndentCase {
    const char* Name;
    const char* Compact;
};

class IndentedDocuments : public ::testing::TestWithParam<IndentCase> {};

TEST_P(IndentedDocuments, AreTheTreesTwoSpaceDump) {
    const std::string compact = GetParam().Compact;
    ASSERT_EQ(json::parse(compact).dump(), compact) << "a compact document as the tree dumps it";
    EXPECT_EQ(service::Indented(compact), json::parse(compact).dump(2));
}

INSTANTIATE_TEST_SUITE_P(
    JsonWriter, IndentedDocuments,
    ::testing::Values(IndentCase{"Scalar", "12"}, IndentCase{"EmptyObject", "{}"},
                      IndentCase{"EmptyArray", "[]"},
                      IndentCase{"EmptyInsideFull", R"({"a":[],"b":{},"c":[{},[]]})"},
                      IndentCase{"Nested", R"({"a":{"b":[1,-2,{"c":null}]},"d":true})"},
                      IndentCase{"PunctuationInStrings", R"({"a,b":"x:{[y]},\"z\"","c\\":"\\"})"},
                      IndentCase{"EscapedQuoteAtEnd", R"(["\"","\\\""])"}),
    [](const auto& info) { return std::string(info.param.Name); });

// Misuse that would write a document the tree could not have made.
struct MisuseCase {
    const char* Name;
    void (*Write)(JsonWriter&);
};

class WriterMisuse : public ::testing::TestWithParam<MisuseCase> {};

TEST_P(WriterMisuse, Throws) {
    JsonWriter out;
    EXPECT_THROW(GetParam().Write(out), std::logic_error);
}

INSTANTIATE_TEST_SUITE_P(
    JsonWriter, WriterMisuse,
    ::testing::Values(
        MisuseCase{"KeyOutOfOrder",
                   [](JsonWriter& out) { out.Object().Key("b").Null().Key("a").Null(); }},
        MisuseCase{"UpperCaseSortsFirst",
                   [](JsonWriter& out) { out.Object().Key("wrColumn").Null().Key("Code"); }},
        MisuseCase{"KeyTwice", [](JsonWriter& out) { out.Object().Key("a").Null().Key("a"); }},
        MisuseCase{"ValueWithoutKey", [](JsonWriter& out) { out.Object().Bool(true); }},
        MisuseCase{"KeyInArray", [](JsonWriter& out) { out.Array().Key("a"); }},
        MisuseCase{"EndAfterKey", [](JsonWriter& out) { out.Object().Key("a").End(); }},
        MisuseCase{"EndOfNothing", [](JsonWriter& out) { out.End(); }}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(JsonWriter, ArraysAndObjectsTakeCommasBetweenTheirValues) {
    JsonWriter out;
    out.Object().Key("a").Array().Number(1).Number(-2).Object().End().Array().End().End();
    out.Key("b").Written(R"({"x":1})").Key("c").Bool(false).End();
    EXPECT_EQ(out.Json(), R"({"a":[1,-2,{},[]],"b":{"x":1},"c":false})");
}

struct WalkCase {
    const char* Name;
    std::vector<std::string> Actions;
};

class WrittenWalks : public ::testing::TestWithParam<WalkCase> {};

// Every state of the wizard, with its lists, steps and messages: members in the
// tree's order, and the command line's indented text the tree's own.
TEST_P(WrittenWalks, AreTheDocumentTheTreeWouldDump) {
    TempFolder folder;
    WriteTestCatalogue(folder);
    for (const bool steps : {false, true}) {
        service::Session session("/nowhere", folder.Path(), nullptr);
        const service::Reply reply = service::Walk(session, GetParam().Actions, steps);
        ASSERT_FALSE(reply.Json.empty());
        const json tree = json::parse(reply.Json);
        EXPECT_EQ(tree.dump(), reply.Json);
        EXPECT_EQ(reply.DocumentText(true), tree.dump(2));
        EXPECT_EQ(tree["steps"].size(), GetParam().Actions.size());
    }
}

const std::vector<WalkCase> Walks = {
    {"Start", {"back"}},
    {"StraightToScreenTwo",
     {"family=R", "waveguide=WR90", "flangeA=#1", "flangeB=#1", "pick:length=#1", "next", "band=#1",
      "finish=#1", "create"}},
    {"CoaxInFront", {"units=M", "family=C", "waveguide=#1", "flangeA=#1", "coax=#1"}},
    {"LegsAndRefusals",
     {"family=N", "waveguide=WR90", "pick:legA=#1", "family=nothing", "type:legB=x"}},
    {"AppliedPartNumber", {"apply=R090", "quickbuild=r090pc0120usg", "reset"}},
    {"LegsLeftBehindByAStraightSection",
     {"family=N", "waveguide=WR90", "pick:legA=#1", "family=R", "waveguide=WR90"}},
};

INSTANTIATE_TEST_SUITE_P(JsonWriter, WrittenWalks, ::testing::ValuesIn(Walks),
                         [](const auto& info) { return std::string(info.param.Name); });

class ShownViews : public ::testing::TestWithParam<WalkCase> {};

// The view a short list of actions is checked against, written straight out, is
// the whole state less what the window hides.
TEST_P(ShownViews, AreTheStateWithoutWhatTheWindowHides) {
    TempFolder folder;
    WriteTestCatalogue(folder);
    service::Session session("/nowhere", folder.Path(), nullptr);
    const auto form = service::StartWizard(session);
    service::WizardWalk walk(*form, session.App, session.Platform);
    for (const std::string& action : GetParam().Actions)
        walk.Do(action);
    JsonWriter whole;
    service::WriteWizard(whole, *form, session.App, {nullptr, &session.Platform.Log});
    JsonWriter shown;
    service::WriteWizard(shown, *form, session.App,
                         {nullptr, &session.Platform.Log, /*ShownOnly=*/true});
    EXPECT_EQ(json::parse(shown.Json()), service::ShownState(json::parse(whole.Json())));
}

INSTANTIATE_TEST_SUITE_P(JsonWriter, ShownViews, ::testing::ValuesIn(Walks),
                         [](const auto& info) { return std::string(info.param.Name); });

class UnprintedLines : public ::testing::TestWithParam<WalkCase> {};

// A face that prints no lines gets the same document and the same end without
// them.
TEST_P(UnprintedLines, LeaveTheDocumentAndStatusAsTheyAre) {
    TempFolder folder;
    WriteTestCatalogue(folder);
    service::Session printing("/nowhere", folder.Path(), nullptr);
    const service::Reply printed = service::Walk(printing, GetParam().Actions, false);
    service::Session quiet("/nowhere", folder.Path(), nullptr);
    quiet.WantsLines = false;
    const service::Reply answered = service::Walk(quiet, GetParam().Actions, false);
    EXPECT_FALSE(printed.Lines.empty());
    EXPECT_TRUE(answered.Lines.empty());
    EXPECT_EQ(answered.Json, printed.Json);
    EXPECT_EQ(answered.Status, printed.Status);
}

INSTANTIATE_TEST_SUITE_P(JsonWriter, UnprintedLines, ::testing::ValuesIn(Walks),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(JsonWriter, DescribeWritesItsInputAndMessagesInTheirPlaces) {
    TempFolder folder;
    WriteTestCatalogue(folder);
    service::Session session("/nowhere", folder.Path(), nullptr);
    const service::Reply reply = service::Describe(session, "r090\xB0");
    const json tree = json::parse(reply.Json);
    EXPECT_EQ(tree.dump(), reply.Json);
    EXPECT_EQ(tree["input"], std::string("r090\xC2\xB0")) << "as given, in UTF-8";
    EXPECT_TRUE(tree["messages"].is_array());
}

} // namespace
} // namespace pelmora::testing
