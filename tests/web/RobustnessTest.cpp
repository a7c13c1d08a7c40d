// What a broken or hostile client sends, many clients at once, and what the server
// leaves behind: every refusal is a JSON document with its message and 4xx status,
// the server goes on serving, concurrent answers are the answers of one client,
// and nothing is written anywhere.
#include "Cli.h"
#include "ServedCatalogue.h"
#include "support/TempFolder.h"

#include <arpa/inet.h>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <netinet/in.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/socket.h>
#include <tuple>
#include <unistd.h>

namespace pelmora::testing {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const std::string Shipped = PELMORA_SHIPPED_DIR;

class Robustness : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new RunningServer("/nowhere", Shipped); }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }

    static void ExpectRefused(const httplib::Result& answer, int status, const std::string& what) {
        ASSERT_TRUE(answer) << what << ": " << httplib::to_string(answer.error());
        EXPECT_EQ(answer->status, status) << what << "\n" << answer->body;
        EXPECT_EQ(answer->get_header_value("Content-Type"), "application/json; charset=utf-8")
            << what;
        const json document = json::parse(answer->body, nullptr, false);
        ASSERT_TRUE(document.is_object() && document.size() == 2 && document.contains("error") &&
                    document.contains("status"))
            << what << "\n"
            << answer->body;
        EXPECT_EQ(document["status"], status) << what;
        EXPECT_FALSE(document["error"].get<std::string>().empty()) << what;
    }

    static RunningServer* server;
};

RunningServer* Robustness::server = nullptr;

TEST_F(Robustness, OversizedRequestsAreRefused) {
    httplib::Client client = server->Client();
    ExpectRefused(client.Get(("/api/state?a=" + std::string(9000, 'x')).c_str()), 414, "address");
    ExpectRefused(client.Post("/api/order", std::string(WebServer::MaxBody + 1, '1'), OrderType),
                  413, "body");
    // A body without a length, sent in chunks, is bounded the same way.
    size_t sent = 0;
    ExpectRefused(client.Post(
                      "/api/order",
                      [&sent](size_t, httplib::DataSink& sink) {
                          const std::string chunk(64 * 1024, '1');
                          sink.write(chunk.data(), chunk.size());
                          sent += chunk.size();
                          if (sent > 2 * WebServer::MaxBody)
                              sink.done();
                          return true;
                      },
                      OrderType),
                  413, "chunked body");

    std::string many;
    for (size_t i = 0; i <= WebServer::MaxActions; ++i)
        many += "a=next&";
    ExpectRefused(client.Get(("/api/sheet.pdf?" + many).c_str()), 400, "too many actions");
    const std::string words(WebServer::MaxText + 1, 'x');
    ExpectRefused(client.Get(("/api/state?a=apply%3D" + words).c_str()), 400, "long action");
    ExpectRefused(client.Get(("/api/describe?part=" + words).c_str()), 400, "long part");
    std::string parts;
    for (size_t i = 0; i <= WebServer::MaxActions; ++i)
        parts += "part=R&";
    ExpectRefused(client.Get(("/api/quote?" + parts).c_str()), 400, "too many parts");

    // Right at the limits the requests are served.
    const auto longest = client.Get(("/api/state?" + many.substr(7)).c_str());
    ASSERT_TRUE(longest);
    EXPECT_EQ(longest->status, 200);
    const auto largest = client.Post("/api/order", std::string(WebServer::MaxBody, '1'), OrderType);
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->status, 200);
}

TEST_F(Robustness, MissingOrWrongParametersAreRefused) {
    httplib::Client client = server->Client();
    for (const auto& [path, status] : std::vector<std::pair<std::string, int>>{
             {"/api/describe", 400},
             {"/api/describe?part=R090&part=C090", 400},
             {"/api/quote", 400},
             {"/api/quote?part=R090PC0120USG&qty=0", 400},
             {"/api/quote?part=R090PC0120USG&qty=abc", 400},
             {"/api/quote?part=R090PC0120USG&qty=100000", 400},
             {"/api/quote?part=R090PC0120USG&qty=1&qty=2", 400},
             {"/api/convert", 400},
             {"/api/sheet.pdf", 400},
             {"/api/nothing", 404},
             {"/api/order", 404},
             {"/images", 404}})
        ExpectRefused(client.Get(path.c_str()), status, path);
    ExpectRefused(client.Post("/api/order?format=doc", "1 R090PC0120USG\n", OrderType), 400,
                  "unknown format");
    ExpectRefused(client.Post("/api/order?format=xls&format=txt", "1 R090PC0120USG\n", OrderType),
                  400, "two formats");
    ExpectRefused(client.Post("/api/order", "<?xml version=\"1.0\"?>\n<order>", OrderType), 400,
                  "a saved order cut short");
    ExpectRefused(client.Post("/api/state", "", "text/plain"), 404, "POST state");
    ExpectRefused(client.Delete("/api/order"), 404, "DELETE order");
    ExpectRefused(client.Put("/api/order", "", "text/plain"), 404, "PUT order");
}

// What httplib itself refuses before any route, over a raw connection.
std::string Exchange(int port, const std::string& request) {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    // The server answers at once; a busy machine may take its time.
    timeval timeout{30, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::string answer;
    if (::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::send(socket, request.data(), request.size(), MSG_NOSIGNAL) ==
            static_cast<ssize_t>(request.size())) {
        char buffer[4096];
        for (ssize_t got; (got = ::recv(socket, buffer, sizeof buffer, 0)) > 0;)
            answer.append(buffer, static_cast<size_t>(got));
    }
    ::close(socket);
    return answer;
}

TEST_F(Robustness, MalformedRequestsGetJsonToo) {
    for (const std::string request :
         {"GARBAGE\r\n\r\n", "GET /api/state HTTP/9.9\r\n\r\n", "GET\r\n\r\n",
          "POST /api/order HTTP/1.1\r\nContent-Length: 12x\r\nConnection: close\r\n\r\n"}) {
        const std::string answer = Exchange(server->Port(), request);
        EXPECT_EQ(answer.substr(0, 13), "HTTP/1.1 400 ") << request << answer;
        const size_t body = answer.find("\r\n\r\n");
        ASSERT_NE(body, std::string::npos) << request << answer;
        const json document = json::parse(answer.substr(body + 4), nullptr, false);
        EXPECT_EQ(document["status"], 400) << request << answer;
    }
}

// Parameters are UTF-8 as a browser sends them; anything else is read as the
// command line reads its arguments (as Windows-1252), and every answer and
// refusal stays valid UTF-8.
TEST_F(Robustness, TextThatIsNotUtf8IsReadAsTheCommandLineReadsIt) {
    httplib::Client client = server->Client();
    auto get = [&](const std::string& path) {
        const auto answer = client.Get(path.c_str());
        EXPECT_TRUE(answer) << path;
        EXPECT_EQ(answer->status, 200) << path << "\n" << answer->body;
        EXPECT_FALSE(json::parse(answer->body, nullptr, false).is_discarded()) << path;
        return answer->body;
    };
    for (const std::vector<std::string>& walk :
         std::vector<std::vector<std::string>>{{"family=\xFF"},
                                               {"quickbuild=\xFF"},
                                               {"family=R", "waveguide=\xC0\x80"},
                                               {"family=R\x80", "type:length=1\xE2\x82"},
                                               {"apply=R090PC\xE9", "pick:length=\xFF"}}) {
        std::vector<std::string> arguments = {"walk", "--steps"};
        arguments.insert(arguments.end(), walk.begin(), walk.end());
        EXPECT_EQ(get(StatePath(walk, true)), CommandLineJson(Shipped, arguments)) << walk[0];
    }
    EXPECT_EQ(get("/api/describe?part=%FF"), CommandLineJson(Shipped, {"describe", "\xFF"}));
    EXPECT_EQ(get("/api/quote?part=R090%FF&part=%C3%A9"),
              CommandLineJson(Shipped, {"quote", "R090\xFF", "\xC3\xA9"}));
    EXPECT_EQ(get("/api/convert?old=%E9%80"), CommandLineJson(Shipped, {"convert", "\xE9\x80"}));

    // An action that does not exist refuses the whole walk, in UTF-8 too.
    ExpectRefused(client.Get(StatePath({"\xFF"}).c_str()), 400, "action");
    ExpectRefused(client.Get(StatePath({"family=R", "pick:\xFF=1"}).c_str()), 400, "box");
    ExpectRefused(client.Get("/api/quote?part=R&qty=%FF"), 400, "quantity");
    ExpectRefused(client.Get("/images/%FF.gif"), 404, "picture");
    ExpectRefused(client.Get("/api/sheet.pdf?part=%FF"), 404, "sheet");
    ExpectRefused(client.Get("/%FF"), 404, "page");
}

// Every route at once from several clients, while the catalogue's files are
// rewritten under the shared cache: each answer is the one a single client gets.
TEST_F(Robustness, ConcurrentRequestsGetTheAnswersOfOneClient) {
    TempFolder folder;
    fs::copy(Shipped, folder.Path(), fs::copy_options::recursive);
    RunningServer own("/nowhere", folder.Path());

    const std::string rfq = "2 R090PC0120USG\n1 C090CNSG\n3 E090PC030U030SG\n";
    std::vector<std::tuple<std::string, std::string>> requests = {
        {"/api/state", ""},
        {StatePath({"family=R", "waveguide=WR90", "flangeA=U", "flangeB=C", "type:length=12.3",
                    "next", "band=S", "create"}),
         ""},
        {StatePath({"units=M", "family=C", "waveguide=090", "flangeA=#1", "coax=#1", "next"}), ""},
        {StatePath({"family=N", "waveguide=WR90", "flangeA=U", "flangeB=C", "pick:legA=#3",
                    "pick:legB=#2", "next", "create=swap"}),
         ""},
        {"/api/describe?part=e090pc030u030sg", ""},
        {"/api/quote?part=R090PC0120USG&part=C090CNSG&qty=7", ""},
        {"/api/convert?old=WS-90-12-C40", ""},
        {"/api/order?format=json", rfq},
        {"/api/order?format=bom", rfq},
        {"/images/WG.gif", ""},
    };
    auto ask = [](httplib::Client& client, const std::tuple<std::string, std::string>& request) {
        const auto& [path, body] = request;
        const auto answer =
            body.empty() ? client.Get(path.c_str()) : client.Post(path.c_str(), body, OrderType);
        return answer ? std::to_string(answer->status) + "\n" + answer->body
                      : "failed: " + httplib::to_string(answer.error());
    };
    std::vector<std::string> expected;
    httplib::Client alone = own.Client();
    for (const auto& request : requests)
        expected.push_back(ask(alone, request));

    std::atomic<bool> asking = true;
    std::thread rewriting([&] {
        // Same bytes, new identity: touched, and replaced by a copy.
        const std::string sizes = folder.Read("Data/WGSize.tbl");
        while (asking) {
            fs::last_write_time(folder.Path() + "Data/Flange.tbl",
                                fs::file_time_type::clock::now());
            folder.Write("Data/WGSize.new", sizes);
            fs::rename(folder.Path() + "Data/WGSize.new", folder.Path() + "Data/WGSize.tbl");
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    constexpr size_t Clients = 8;
    constexpr size_t Rounds = 3;
    std::vector<std::vector<std::string>> answers(Clients);
    std::vector<std::thread> clients;
    for (size_t c = 0; c < Clients; ++c) {
        clients.emplace_back([&, c] {
            httplib::Client client = own.Client();
            for (size_t i = 0; i < Rounds * requests.size(); ++i)
                answers[c].push_back(ask(client, requests[(i + c) % requests.size()]));
        });
    }
    std::string sheet;
    for (int i = 0; i < 3; ++i) {
        httplib::Client client = own.Client();
        const auto answer = client.Get("/api/sheet.pdf?part=R090PC0120USG");
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 200);
        sheet = answer->body;
    }
    for (std::thread& client : clients)
        client.join();
    asking = false;
    rewriting.join();

    EXPECT_EQ(sheet.substr(0, 5), "%PDF-");
    for (size_t c = 0; c < Clients; ++c) {
        for (size_t i = 0; i < answers[c].size(); ++i)
            EXPECT_EQ(answers[c][i], expected[(i + c) % requests.size()])
                << std::get<0>(requests[(i + c) % requests.size()]);
    }
}

// Every file below the folder: its kind, size, modification time and bytes.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        std::ostringstream state;
        state << static_cast<int>(entry.symlink_status().type()) << ' '
              << entry.last_write_time().time_since_epoch().count();
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            state << ' ' << in.rdbuf();
        }
        files[entry.path().string()] = state.str();
    }
    return files;
}

// Every route that would change a file in the window: units, settings reset,
// Create and the Quick Builder's history, the conversion history, order files.
void AskEverything(const RunningServer& server) {
    httplib::Client client = server.Client();
    for (const std::string& path :
         {StatePath({"units=M", "family=R", "waveguide=WR90", "flangeA=U", "flangeB=C",
                     "type:length=300", "next", "band=S", "create", "reset"}),
          StatePath({"quickbuild=E090PC030U030SG", "apply=C090CNSG", "units=P"}),
          std::string("/api/describe?part=T090CCG"), std::string("/api/quote?part=T090CCG"),
          std::string("/api/convert?old=WS-90-12-C40"), std::string("/api/convert?old=none"),
          std::string("/api/sheet.pdf?part=R090PC0120USG"), std::string("/images/WG.gif"),
          std::string("/")}) {
        const auto answer = client.Get(path.c_str());
        ASSERT_TRUE(answer) << path;
        EXPECT_LT(answer->status, 500) << path;
    }
    for (const char* format : {"json", "xls", "txt", "xml", "bom"}) {
        const auto answer = client.Post(("/api/order?format=" + std::string(format)).c_str(),
                                        "2 R090PC0120USG\n1 C090CNSG\n", OrderType);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 200) << format;
    }
}

// The environment variable set for the test's time.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST_F(Robustness, ServerWritesNoFile) {
    TempFolder root;
    fs::copy(Shipped, root.Path() + "catalogue", fs::copy_options::recursive);
    fs::create_directories(root.Path() + "share");
    fs::copy(Shipped, root.Path() + "share/pelmora38", fs::copy_options::recursive);
    fs::create_directories(root.Path() + "bin");
    fs::create_directories(root.Path() + "home");
    const ScopedVariable home("HOME", (root.Path() + "home").c_str());
    const ScopedVariable config("XDG_CONFIG_HOME", nullptr);
    const ScopedVariable data("XDG_DATA_HOME", nullptr);
    const auto before = Snapshot(root.Path());
    {
        // Given a folder, found beside the program, and installed.
        RunningServer given("/nowhere", root.Path() + "catalogue");
        AskEverything(given);
        RunningServer beside(root.Path() + "catalogue", std::nullopt);
        AskEverything(beside);
        RunningServer installed(root.Path() + "bin", std::nullopt);
        AskEverything(installed);
    }
    EXPECT_EQ(Snapshot(root.Path()), before);
}

} // namespace
} // namespace pelmora::testing
