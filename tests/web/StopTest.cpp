// The server stops when asked, whenever asked: the program on SIGTERM or SIGINT
// with connections open, the class from another thread before or while it serves.
#include "ServedCatalogue.h"
#include "WebProgram.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

const std::string Shipped = PELMORA_SHIPPED_DIR;

TEST(Stop, TermEndsTheProgramWithConnectionsOpen) {
    for (const int signal : {SIGTERM, SIGINT}) {
        Program program({"--app-dir", Shipped, "--listen", "127.0.0.1:0", "--instance-header"});
        const int port = program.Port();
        ASSERT_GT(port, 0);
        httplib::Client client("127.0.0.1", port);
        client.set_read_timeout(60);
        client.set_keep_alive(true);
        const auto answer = client.Get("/api/state?a=family%3DR");
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 200);
        EXPECT_EQ(answer->get_header_value("X-Pelmora-Instance"),
                  "127.0.0.1:" + std::to_string(port));
        // The connection stays open; so does a second client's, idle.
        httplib::Client idle("127.0.0.1", port);
        ASSERT_TRUE(idle.Get("/api/describe?part=R090PC0120USG"));
        program.Signal(signal);
        // A second signal while stopping changes nothing.
        program.Signal(SIGTERM);
        EXPECT_TRUE(ExitedWith(program.Ended(std::chrono::seconds(20)), 0)) << signal;
    }
}

TEST(Stop, TermAtStartEndsTheProgram) {
    Program program({"--app-dir", Shipped, "--listen", "127.0.0.1:0"});
    ASSERT_TRUE(program.Line());
    program.Signal(SIGTERM);
    EXPECT_TRUE(program.Ended(std::chrono::seconds(20)));
}

TEST(Stop, AddressesAreChecked) {
    for (const char* address : {"127.0.0.1", "127.0.0.1:", "127.0.0.1:x", "127.0.0.1:65536",
                                "127.0.0.1:-1", "127.0.0.1:80 "}) {
        Program program({"--app-dir", Shipped, "--listen", address});
        EXPECT_TRUE(ExitedWith(program.Ended(std::chrono::seconds(30)), 2)) << address;
    }
    RunningServer taken("/nowhere", Shipped);
    Program program(
        {"--app-dir", Shipped, "--listen", "127.0.0.1:" + std::to_string(taken.Port())});
    EXPECT_TRUE(ExitedWith(program.Ended(std::chrono::seconds(30)), 1));
}

TEST(Stop, StopWorksBeforeAndWhileServingAndTwice) {
    {
        WebServer server("/nowhere", Shipped);
        ASSERT_GT(server.Bind("127.0.0.1", 0), 0);
        server.Stop();
        EXPECT_TRUE(server.Serve()) << "returns at once";
        server.Stop();
    }
    // Stopped right as the thread starts serving: never a lost stop.
    for (int i = 0; i < 20; ++i) {
        WebServer server("/nowhere", Shipped);
        ASSERT_GT(server.Bind("127.0.0.1", 0), 0);
        std::thread serving([&] { server.Serve(); });
        server.Stop();
        server.Stop();
        serving.join();
    }
}

} // namespace
} // namespace pelmora::testing
