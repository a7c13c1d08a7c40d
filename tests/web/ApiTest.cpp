// The JSON API as a browser calls it, over the shipped catalogue: every answer is
// the command line's own, byte for byte, and the order files, sheets and pictures
// are what the command line and the catalogue hold.
#include "Cli.h"
#include "ServedCatalogue.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <tuple>

namespace pelmora::testing {
namespace {

using nlohmann::json;

const std::string Shipped = PELMORA_SHIPPED_DIR;

std::set<std::string> Keys(const json& object) {
    std::set<std::string> keys;
    for (const auto& [key, value] : object.items())
        keys.insert(key);
    return keys;
}

class Api : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new RunningServer("/nowhere", Shipped); }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }

    // The answer's body; the status and the content type must be as for JSON.
    static std::string Get(const std::string& path) {
        httplib::Client client = server->Client();
        const auto answer = client.Get(path.c_str());
        if (!answer)
            ADD_FAILURE() << path << ": " << httplib::to_string(answer.error());
        if (!answer)
            return "";
        EXPECT_EQ(answer->status, 200) << path << "\n" << answer->body;
        EXPECT_EQ(answer->get_header_value("Content-Type"), "application/json; charset=utf-8");
        return answer->body;
    }

    static RunningServer* server;
};

RunningServer* Api::server = nullptr;

// Walks of several families, each asked for action by action as the page asks for
// them (the whole list each time), with refusals, questions and both units.
const std::vector<std::vector<std::string>> Walks = {
    {"family=Straight Section", "waveguide=WR90", "flangeA=U", "flangeB=C", "type:length=12.3",
     "next", "band=S", "finish=G", "create"},
    {"units=M", "family=C", "waveguide=090", "flangeA=#1", "coax=#1", "next", "band=#1",
     "finish=#1", "create", "back", "units=P"},
    {"family=N", "waveguide=WR90", "flangeA=U", "flangeB=C", "pick:legA=#3", "pick:legB=#2", "next",
     "create=swap"},
    {"apply=T090CCG", "next", "create=cancel", "other-ranges", "reset", "family=X",
     "quickbuild= f090pc0240ussg", "type:length=1e70"},
};

TEST_F(Api, StateIsTheWalkCommandsAnswerAtEveryStep) {
    for (const auto& walk : Walks) {
        for (size_t count = 1; count <= walk.size(); ++count) {
            const std::vector<std::string> actions(walk.begin(), walk.begin() + count);
            std::vector<std::string> arguments = {"walk"};
            arguments.insert(arguments.end(), actions.begin(), actions.end());
            EXPECT_EQ(Get(StatePath(actions)), CommandLineJson(Shipped, arguments))
                << actions.back();
        }
        std::vector<std::string> arguments = {"walk", "--steps"};
        arguments.insert(arguments.end(), walk.begin(), walk.end());
        EXPECT_EQ(Get(StatePath(walk, true)), CommandLineJson(Shipped, arguments));
    }
    // No action is the wizard as it starts: the answer of a refused "back".
    EXPECT_EQ(Get("/api/state"), CommandLineJson(Shipped, {"walk", "back"}));
}

struct PrettyCase {
    const char* Name;
    std::string Path;
    std::vector<std::string> Arguments;
};

class PrettyAnswers : public Api, public ::testing::WithParamInterface<PrettyCase> {};

// The page gets one line; a person who asks for indentation gets the command
// line's own indented document, and both are the same document.
TEST_P(PrettyAnswers, AreTheCommandLinesIndentedDocument) {
    const std::string compact = Get(GetParam().Path);
    const std::string pretty =
        Get(GetParam().Path + (GetParam().Path.find('?') == std::string::npos ? "?" : "&") +
            "pretty=1");
    EXPECT_EQ(compact.find('\n'), compact.size() - 1) << "one line";
    EXPECT_EQ(pretty, CommandLineJson(Shipped, GetParam().Arguments, false));
    EXPECT_EQ(json::parse(pretty), json::parse(compact));
}

INSTANTIATE_TEST_SUITE_P(
    Api, PrettyAnswers,
    ::testing::Values(
        PrettyCase{"StateAtStart", "/api/state", {"walk", "back"}},
        PrettyCase{"StateWithSteps",
                   StatePath({"family=C", "waveguide=090", "flangeA=#1", "coax=#1"}, true),
                   {"walk", "--steps", "family=C", "waveguide=090", "flangeA=#1", "coax=#1"}},
        PrettyCase{"Describe", "/api/describe?part=D090CC060USG", {"describe", "D090CC060USG"}},
        PrettyCase{"Quote",
                   "/api/quote?part=R090PC0120USG&qty=3",
                   {"quote", "R090PC0120USG", "--qty", "3"}},
        PrettyCase{"Convert", "/api/convert?old=WS-90-12-C40", {"convert", "WS-90-12-C40"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Api, StateFieldsArePinned) {
    const json walked = json::parse(Get(StatePath(Walks[0], true)));
    EXPECT_EQ(Keys(walked), (std::set<std::string>{"steps", "state", "actions"}));
    EXPECT_EQ(Keys(walked["steps"][0]),
              (std::set<std::string>{"action", "done", "refusal", "messages", "state"}));
    const json& state = walked["state"];
    EXPECT_EQ(Keys(state),
              (std::set<std::string>{"selections", "grid", "screenOneComplete", "description",
                                     "partNumber", "lists", "messages"}));
    EXPECT_EQ(state["partNumber"], "R090PC0125USG");
    EXPECT_EQ(Keys(state["selections"]),
              (std::set<std::string>{"family", "waveguide", "flangeA", "flangeB", "length", "units",
                                     "band", "finish"}));
    EXPECT_EQ(Keys(state["selections"]["family"]), (std::set<std::string>{"code", "name"}));
    EXPECT_EQ(Keys(state["grid"][0]), (std::set<std::string>{"code", "item", "value"}));
    const json& lists = state["lists"];
    EXPECT_EQ(Keys(lists),
              (std::set<std::string>{"screen", "screenCaption", "productType", "waveguide",
                                     "flangeA", "flangeB", "coax", "lengthPage", "lengthUnit",
                                     "length", "legA", "legB", "preset", "adaptor", "pictures",
                                     "bands", "finish", "addToOrderEnabled", "viewSpecsEnabled"}));
    EXPECT_EQ(Keys(lists["waveguide"]),
              (std::set<std::string>{"columns", "rows", "selected", "enabled", "wrColumn",
                                     "columnWidths", "dropDownWidth"}));
    EXPECT_EQ(Keys(lists["flangeB"]), (std::set<std::string>{"columns", "rows", "selected",
                                                             "enabled", "caption", "visible"}));
    EXPECT_EQ(Keys(lists["length"]),
              (std::set<std::string>{"entries", "selected", "text", "enabled", "editable"}));
    EXPECT_EQ(Keys(lists["preset"]), (std::set<std::string>{"text", "unit"}));
    EXPECT_EQ(Keys(lists["adaptor"]), (std::set<std::string>{"visible", "checked"}));
    EXPECT_EQ(Keys(lists["pictures"]),
              (std::set<std::string>{"product", "length", "flangeA", "flangeB"}));
    EXPECT_EQ(Keys(lists["pictures"]["product"]), (std::set<std::string>{"file", "stretched"}));
    EXPECT_EQ(Keys(lists["bands"]), (std::set<std::string>{"headings", "buttons", "selected"}));
    EXPECT_EQ(Keys(lists["bands"]["buttons"][0]),
              (std::set<std::string>{"code", "caption", "top", "checked"}));

    const json refused = json::parse(Get(StatePath({"family=X"})));
    EXPECT_EQ(refused["steps"][0]["done"], false);
    EXPECT_EQ(refused["steps"][0]["refusal"].get<std::string>().substr(0, 42),
              "family: \"X\" is not offered; the list offer");
    const json asked = json::parse(Get(StatePath(Walks[2])));
    EXPECT_EQ(Keys(asked["state"]["messages"][0]), (std::set<std::string>{"kind", "text"}));
    EXPECT_EQ(asked["state"]["messages"][0]["kind"], "question");
}

TEST_F(Api, DescribeQuoteAndConvertAreTheCommandsAnswers) {
    for (const char* part : {"e090pc030u030sg", "D090CC060USG", "R090", "PW090C", "nonsense"})
        EXPECT_EQ(Get("/api/describe?part=" + httplib::detail::encode_query_param(part)),
                  CommandLineJson(Shipped, {"describe", part}))
            << part;
    const json described = json::parse(Get("/api/describe?part=e090pc030u030sg"));
    EXPECT_EQ(Keys(described),
              (std::set<std::string>{"input", "selections", "grid", "screenOneComplete",
                                     "description", "partNumber", "lists", "messages"}));
    EXPECT_EQ(described["partNumber"], "E090PC030U030SG");

    EXPECT_EQ(
        Get("/api/quote?part=R090PC0120USG&part=C090CNSG&part=PW090C&qty=3"),
        CommandLineJson(Shipped, {"quote", "R090PC0120USG", "C090CNSG", "PW090C", "--qty", "3"}));
    EXPECT_EQ(Get("/api/quote?part=R090PC3E17USG"),
              CommandLineJson(Shipped, {"quote", "R090PC3E17USG"}));
    const json quoted = json::parse(Get("/api/quote?part=R090PC0120USG&qty=3"));
    EXPECT_EQ(Keys(quoted), (std::set<std::string>{"quotes", "messages"}));
    EXPECT_EQ(quoted["quotes"][0], (json{{"partNumber", "R090PC0120USG"},
                                         {"family", "Straight Section"},
                                         {"quantity", 3},
                                         {"total", "$793.50"},
                                         {"unitPrice", "$264.50"},
                                         {"delivery", "Stock - 1 week"}}));

    for (const char* old : {"WS-90-12-C40", "ws-90-24-cpr", "none"})
        EXPECT_EQ(Get("/api/convert?old=" + httplib::detail::encode_query_param(old)),
                  CommandLineJson(Shipped, {"convert", old}))
            << old;
    const json converted = json::parse(Get("/api/convert?old=WS-90-12-C40"));
    EXPECT_EQ(Keys(converted),
              (std::set<std::string>{"oldPartNumber", "newPartNumber", "comment", "messages"}));
    EXPECT_EQ(converted["newPartNumber"], "R090PK0120USG");
}

// Each format of the order download holds exactly the bytes the order command
// writes for the same list, and a saved order converts as it does.
TEST_F(Api, OrderFilesAreTheOrderCommandsFiles) {
    TempFolder folder;
    const std::string rfq = "# RFQ\r\n2 R090PC0120USG\r\n1\tC090CNSG\tCoax \xE9 more\r\n"
                            "x R090PC0120USG\r\n5 R090PC0120USG\r\n1 ST090S\r\n1 NOPE\r\n";
    const std::string list = folder.Write("rfq.txt", rfq);
    std::ostringstream out;
    std::ostringstream errors;
    ASSERT_EQ(cli::RunCommandLine({"--app-dir", Shipped, "order", "--in", list, "--out",
                                   folder.Path() + "o.xml", "--bom", folder.Path() + "o.lom"},
                                  "/nowhere", out, errors),
              1)
        << "a skipped line and an unknown part";
    for (const char* format : {"xls", "txt"})
        ASSERT_EQ(cli::RunCommandLine({"--app-dir", Shipped, "order", "--in", list, "--out",
                                       folder.Path() + "o." + format},
                                      "/nowhere", out, errors),
                  1);

    httplib::Client client = server->Client();
    for (const std::string format : {"xls", "txt", "xml", "bom"}) {
        const auto answer = client.Post(("/api/order?format=" + format).c_str(), rfq, OrderType);
        ASSERT_TRUE(answer) << format;
        EXPECT_EQ(answer->status, 200) << format;
        EXPECT_EQ(answer->body, folder.Read(format == "bom" ? "o.lom" : "o." + format)) << format;
        EXPECT_EQ(answer->get_header_value("Content-Type"), "application/octet-stream");
        const std::string name = format == "bom" ? "pelmora38.lom" : "order." + format;
        EXPECT_EQ(answer->get_header_value("Content-Disposition"),
                  "attachment; filename=\"" + name + "\"; filename*=UTF-8''" + name);
    }
    const auto answer = client.Post("/api/order", rfq, OrderType);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->body, CommandLineJson(Shipped, {"order", "--in", list}));
    const json order = json::parse(answer->body);
    EXPECT_EQ(Keys(order),
              (std::set<std::string>{"lines", "total", "unpriced", "skipped", "messages"}));
    EXPECT_EQ(Keys(order["lines"][0]), (std::set<std::string>{"quantity", "price", "delivery",
                                                              "partNumber", "description"}));
    EXPECT_EQ(Keys(order["skipped"][0]), (std::set<std::string>{"line", "reason"}));
    EXPECT_EQ(order["lines"][1]["description"], "Coax \xC3\xA9 more") << "Windows-1252 read";
    EXPECT_EQ(order["messages"][0]["kind"], "error");

    const std::string saved = folder.Read("o.xml");
    ASSERT_EQ(cli::RunCommandLine({"--app-dir", Shipped, "order", "--in", folder.Path() + "o.xml",
                                   "--out", folder.Path() + "c.xls"},
                                  "/nowhere", out, errors),
              0);
    const auto converted = client.Post("/api/order?format=xls", saved, "application/xml");
    ASSERT_TRUE(converted);
    EXPECT_EQ(converted->body, folder.Read("c.xls"));
    EXPECT_EQ(client.Post("/api/order?format=json", saved, "application/xml")->body,
              CommandLineJson(Shipped, {"order", "--in", folder.Path() + "o.xml"}));
}

// A download carries what Windows-1252 lacks where its format can, and its messages
// go with it, as the command line tells them.
TEST_F(Api, OrderDownloadsKeepOrTellCharactersBeyondTheCodePage) {
    const std::string rfq = "1 C090CNSG\n2 R090PC0120USG\tsite \xCE\xB1\n";
    httplib::Client client = server->Client();
    const auto xml = client.Post("/api/order?format=xml", rfq, OrderType);
    ASSERT_TRUE(xml);
    EXPECT_NE(xml->body.find("<description>site &#x3B1;</description>"), std::string::npos);
    EXPECT_FALSE(xml->has_header("X-Order-Messages"));

    for (const std::string format : {"xls", "txt", "bom"}) {
        const auto answer = client.Post(("/api/order?format=" + format).c_str(), rfq, OrderType);
        ASSERT_TRUE(answer) << format;
        EXPECT_EQ(answer->status, 200) << format;
        const json told = json::parse(answer->get_header_value("X-Order-Messages"));
        ASSERT_EQ(told.size(), 1u) << format;
        EXPECT_EQ(told[0]["kind"], "error");
        const std::string file =
            format == "bom" ? std::string("the bill of materials") : "the ." + format + " file";
        EXPECT_EQ(told[0]["text"], "line 2: the description's U+03B1 cannot be written in "
                                   "Windows-1252; " +
                                       file + " holds \"?\" for each");
    }
    const json order = json::parse(client.Post("/api/order", rfq, OrderType)->body);
    EXPECT_EQ(order["lines"][1]["description"], "site \xCE\xB1");
}

size_t Count(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

// The price book streamed in chunks is the parts command's output, in each format;
// what it cannot serve is refused before the first byte.
TEST_F(Api, PartsStreamTheCommandsPriceBook) {
    struct Case {
        std::string Query;
        std::vector<std::string> Arguments;
        const char* Type;
    };
    const std::vector<Case> cases = {
        {"family=D&format=tsv&qty=2",
         {"parts", "--family", "D", "--qty", "2"},
         "text/tab-separated-values; charset=utf-8"},
        {"family=R&waveguide=WR90",
         {"parts", "--family", "R", "--waveguide", "WR90", "--format", "csv"},
         "text/csv; charset=utf-8"},
        {"family=S&format=jsonl",
         {"parts", "--family", "S", "--format", "jsonl"},
         "application/x-ndjson; charset=utf-8"},
    };
    httplib::Client client = server->Client();
    for (const Case& c : cases) {
        const auto answer = client.Get(("/api/parts?" + c.Query).c_str());
        ASSERT_TRUE(answer) << c.Query;
        EXPECT_EQ(answer->status, 200);
        EXPECT_EQ(answer->get_header_value("Transfer-Encoding"), "chunked");
        EXPECT_EQ(answer->get_header_value("Content-Type"), c.Type);
        std::vector<std::string> arguments = {"--app-dir", Shipped};
        arguments.insert(arguments.end(), c.Arguments.begin(), c.Arguments.end());
        std::ostringstream out;
        std::ostringstream errors;
        cli::RunCommandLine(arguments, "/nowhere", out, errors);
        EXPECT_EQ(answer->body, out.str()) << c.Query;
    }
    for (const char* bad : {"", "family=D&format=xml", "family=D&qty=0", "family=D&family=E"}) {
        const auto answer = client.Get((std::string("/api/parts?") + bad).c_str());
        ASSERT_TRUE(answer) << bad;
        EXPECT_EQ(answer->status, 400) << bad;
    }
}

TEST_F(Api, SheetIsAOnePagePdfOfAPartCreateMakes) {
    httplib::Client client = server->Client();
    const auto sheet = client.Get("/api/sheet.pdf?part=E090PC030U030SG");
    ASSERT_TRUE(sheet);
    ASSERT_EQ(sheet->status, 200) << sheet->body;
    EXPECT_EQ(sheet->get_header_value("Content-Type"), "application/pdf");
    EXPECT_EQ(sheet->get_header_value("Content-Disposition"),
              "inline; filename=\"E090PC030U030SG.pdf\"; filename*=UTF-8''E090PC030U030SG.pdf");
    const std::string& pdf = sheet->body;
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("%%EOF", pdf.size() - 8), std::string::npos);
    EXPECT_EQ(Count(pdf, "/Type /Page") - Count(pdf, "/Type /Pages"), 1u);

    // An incomplete screen 1, a part without a sheet in the window, no part at all,
    // parts quote would not take for the catalogue's.
    for (const char* part :
         {"R090", "PW090C", "S090CC", "junk", "e090pc030u030sg", "E090PC030U030SGX"}) {
        const auto refused = client.Get(("/api/sheet.pdf?part=" + std::string(part)).c_str());
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->status, 404) << part;
        EXPECT_EQ(json::parse(refused->body)["status"], 404) << part;
    }
}

TEST_F(Api, PicturesComeOnlyFromImages) {
    TempFolder folder;
    std::filesystem::copy(Shipped, folder.Path(), std::filesystem::copy_options::recursive);
    folder.Write("secret.gif", "outside Images");
    std::filesystem::create_symlink(folder.Path() + "secret.gif", folder.Path() + "Images/out.gif");
    std::filesystem::create_symlink("/etc/passwd", folder.Path() + "Images/passwd.gif");
    std::filesystem::create_directory(folder.Path() + "Images/sub.gif");
    RunningServer own(folder.Path(), Shipped);
    httplib::Client client = own.Client();

    const auto picture = client.Get("/images/WG.gif");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->status, 200);
    EXPECT_EQ(picture->get_header_value("Content-Type"), "image/gif");
    EXPECT_EQ(picture->body, folder.Read("Images/WG.gif"));
    EXPECT_EQ(client.Get("/images/wg.GIF")->body, picture->body) << "any letter case";

    for (const char* path :
         {"/images/..", "/images/%2e%2e", "/images/%2E%2E%2Fsecret.gif", "/images/..%2fsecret.gif",
          "/images/%2Fetc%2Fpasswd", "/images//etc/passwd", "/images/../secret.gif",
          "/images/out.gif", "/images/passwd.gif", "/images/sub.gif", "/images/", "/images/%00",
          "/images/WG.gif%00.png", "/Images/WG.gif", "/images/Data%2FFamily.tbl"}) {
        const auto refused = client.Get(path);
        ASSERT_TRUE(refused) << path;
        EXPECT_EQ(refused->status, 404) << path;
        EXPECT_EQ(refused->get_header_value("Content-Type"), "application/json; charset=utf-8")
            << path;
        EXPECT_NE(refused->body.find("\"status\": 404"), std::string::npos) << path;
    }
}

// The page is the program's own, beside it, wherever the catalogue comes from.
TEST_F(Api, PageFilesComeFromTheProgramsWebFolder) {
    TempFolder folder;
    folder.Write("Data/readme.txt", "a portable folder");
    folder.Write("web/index.html", "<!doctype html>");
    folder.Write("web/app.js", "start();");
    folder.Write("web/style.css", "body {}");
    folder.Write("web/Upper.js", "not served");
    folder.Write("secret.html", "outside");
    RunningServer own(folder.Path(), Shipped);
    httplib::Client client = own.Client();
    for (const auto& [path, body, type] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {"/", "<!doctype html>", "text/html; charset=utf-8"},
             {"/index.html", "<!doctype html>", "text/html; charset=utf-8"},
             {"/app.js", "start();", "text/javascript; charset=utf-8"},
             {"/style.css", "body {}", "text/css; charset=utf-8"}}) {
        const auto page = client.Get(path.c_str());
        ASSERT_TRUE(page) << path;
        EXPECT_EQ(page->status, 200) << path;
        EXPECT_EQ(page->body, body) << path;
        EXPECT_EQ(page->get_header_value("Content-Type"), type) << path;
        EXPECT_EQ(page->get_header_value("Cache-Control"), "no-cache") << path;
    }
    for (const char* path : {"/Upper.js", "/../secret.html", "/%2e%2e/secret.html", "/none.html"})
        EXPECT_EQ(client.Get(path)->status, 404) << path;
}

} // namespace
} // namespace pelmora::testing
