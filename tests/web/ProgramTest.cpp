// pelmora-web as a service runs it: a usage error or a server that cannot start
// says why in one line with the program's name and the exit status a script
// expects; IPv6 addresses are taken and shown bracketed; a line per request,
// only failures when quiet; nothing made on disk as Qt starts.
#include "RawConnection.h"
#include "ServedCatalogue.h"
#include "WebProgram.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

using namespace std::chrono_literals;

const std::string Shipped = PELMORA_SHIPPED_DIR;

struct StartCase {
    const char* Name;
    friend void PrintTo(const StartCase& row, std::ostream* out) { *out << row.Name; }
    std::vector<std::string> Arguments;
    int Code;
    std::string Line;
};

class Start : public ::testing::TestWithParam<StartCase> {};

TEST_P(Start, EndsWithItsStatusAndSaysWhy) {
    const StartCase& row = GetParam();
    Program program(row.Arguments);
    const auto line = program.Line();
    ASSERT_TRUE(line);
    EXPECT_TRUE(line->starts_with(row.Line)) << *line;
    EXPECT_TRUE(ExitedWith(program.Ended(30s), row.Code));
    if (row.Code == 1) {
        EXPECT_EQ(program.Line(5s), std::nullopt) << "one line";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Start,
    ::testing::Values(
        StartCase{"UnknownOption", {"--bogus"}, 2, "pelmora-web: "},
        StartCase{"OptionWithoutValue", {"--listen"}, 2, "pelmora-web: "},
        StartCase{"ListenWithoutPort",
                  {"--listen", "127.0.0.1"},
                  2,
                  "pelmora-web: --listen takes HOST:PORT, not 127.0.0.1"},
        StartCase{"Ipv6WithoutBrackets", {"--listen", "::1:0"}, 2, "pelmora-web: --listen"},
        StartCase{"NoSuchFolder",
                  {"--app-dir", "/nonexistent"},
                  2,
                  "pelmora-web: no such folder /nonexistent"},
        StartCase{"FolderWithoutCatalogue",
                  {"--app-dir", Shipped + "Images"},
                  1,
                  "pelmora-web: no catalogue in " + Shipped + "Images/Data/"},
        StartCase{"NoSuchHost",
                  {"--app-dir", Shipped, "--listen", "no-such-host.invalid:0"},
                  1,
                  "pelmora-web: cannot listen on no-such-host.invalid:0: no such host"},
        StartCase{"Version", {"--version"}, 0, "pelmora-web " PELMORA_VERSION},
        StartCase{"Help", {"--help"}, 0, "Serves the Pelmora 38 configurator"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Program, AnAddressInUseIsSaidInOneLine) {
    RunningServer taken("/nowhere", Shipped);
    const std::string address = "127.0.0.1:" + std::to_string(taken.Port());
    Program program({"--app-dir", Shipped, "--listen", address});
    EXPECT_EQ(program.Line(),
              "pelmora-web: cannot listen on " + address + ": Address already in use");
    EXPECT_TRUE(ExitedWith(program.Ended(30s), 1));
}

TEST(Program, Ipv6AddressesAreTakenAndTheUrlIsBracketed) {
    for (const std::string host : {"::1", "::"}) {
        Program program({"--app-dir", Shipped, "--listen", "[" + host + "]:0"});
        const auto line = program.Line();
        ASSERT_TRUE(line);
        const std::string serving = "pelmora-web: serving http://[" + host + "]:";
        EXPECT_TRUE(line->starts_with(serving) && line->ends_with("/")) << *line;
        program.Signal(SIGTERM);
        EXPECT_TRUE(ExitedWith(program.Ended(30s), 0));
    }
}

std::string Answer(int port, const std::string& target) {
    RawConnection connection(port);
    connection.Send("GET " + target + " HTTP/1.1\r\nHost: p\r\nConnection: close\r\n\r\n");
    return connection.ReadToEnd();
}

TEST(Program, EveryRequestHasALineUnlessQuiet) {
    Program program({"--app-dir", Shipped, "--listen", "127.0.0.1:0"});
    const int port = program.Port();
    ASSERT_GT(port, 0);
    const std::string answer = Answer(port, "/api/describe?part=C090CNSG");
    EXPECT_EQ(answer.find("X-Pelmora-Instance"), std::string::npos) << "only when asked for";
    Answer(port, "/api/nothing?x=1");
    for (const std::string request : {"\"GET /api/describe\" 200 ", "\"GET /api/nothing\" 404 "}) {
        const auto line = program.Line();
        ASSERT_TRUE(line);
        EXPECT_TRUE(line->starts_with("127.0.0.1 - - [")) << *line;
        EXPECT_NE(line->find(request), std::string::npos) << *line;
    }

    Program quiet({"--app-dir", Shipped, "--listen", "127.0.0.1:0", "--quiet"});
    const int quietPort = quiet.Port();
    ASSERT_GT(quietPort, 0);
    Answer(quietPort, "/api/describe?part=C090CNSG");
    Answer(quietPort, "/api/nothing");
    quiet.Signal(SIGTERM);
    EXPECT_TRUE(ExitedWith(quiet.Ended(30s), 0));
    EXPECT_EQ(quiet.Line(5s), std::nullopt);
}

// The environment variable set for the test's time.
class Variable {
public:
    Variable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~Variable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
    Variable(const Variable&) = delete;
    Variable& operator=(const Variable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(Program, StartsWithoutARuntimeFolderOrAWarning) {
    TempFolder temporary;
    const Variable runtime("XDG_RUNTIME_DIR", nullptr);
    const Variable folder("TMPDIR", temporary.Path().c_str());
    Program program({"--app-dir", Shipped, "--listen", "127.0.0.1:0"});
    const auto line = program.Line();
    ASSERT_TRUE(line);
    EXPECT_TRUE(line->starts_with("pelmora-web: serving http://127.0.0.1:")) << *line;
    EXPECT_TRUE(std::filesystem::is_empty(temporary.Path()));
}

} // namespace
} // namespace pelmora::testing
