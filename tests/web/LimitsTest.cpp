// What one client can hold of the server: its address's share of the
// connections, and each connection only until its deadline. Many waiting
// connections leave new clients answered at once, with the server's threads
// and memory as they were; a stop closes idle connections without waiting.
#include "RawConnection.h"
#include "ServedCatalogue.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>

namespace pelmora::testing {
namespace {

using namespace std::chrono_literals;
using Connections = std::vector<std::unique_ptr<RawConnection>>;

const std::string Shipped = PELMORA_SHIPPED_DIR;
const std::string Describe =
    "GET /api/describe?part=C090CNSG HTTP/1.1\r\nHost: p\r\nConnection: close\r\n\r\n";

WebOptions Limited(const std::function<void(web::ServerLimits&)>& change) {
    WebOptions options;
    change(options.Limits);
    return options;
}

std::vector<int> Asked(int port, const std::string& from) {
    RawConnection connection(port, from);
    connection.Send(Describe);
    return Statuses(connection.ReadToEnd(30s));
}

TEST(Limits, AnAddressPastItsShareIsToldToComeBackWhileOthersAreServed) {
    // Loopback addresses stand for clients of their own here.
    RunningServer server("/nowhere", Shipped, Limited([](web::ServerLimits& limits) {
                             limits.PerAddress = 4;
                             limits.LimitLoopback = true;
                         }));
    Connections held;
    for (int i = 0; i < 4; ++i) {
        held.push_back(std::make_unique<RawConnection>(server.Port(), "127.0.0.5"));
        ASSERT_TRUE(held.back()->Connected());
    }
    RawConnection fifth(server.Port(), "127.0.0.5");
    ASSERT_TRUE(fifth.Send(Describe));
    const std::string refusal = fifth.ReadToEnd(30s);
    EXPECT_EQ(Statuses(refusal), std::vector<int>{503}) << refusal;
    EXPECT_NE(refusal.find("Retry-After: 1\r\n"), std::string::npos) << refusal;
    EXPECT_EQ(Asked(server.Port(), "127.0.0.6"), std::vector<int>{200});

    // A connection gone gives its place back.
    held.pop_back();
    std::vector<int> statuses;
    for (int i = 0; i < 100 && statuses != std::vector<int>{200}; ++i) {
        std::this_thread::sleep_for(50ms);
        statuses = Asked(server.Port(), "127.0.0.5");
    }
    EXPECT_EQ(statuses, std::vector<int>{200});
}

// Clients that begin large bodies and send them slowly keep out other large
// bodies, which are told to come back, never the small ones.
TEST(Limits, LargeBodiesHeldBackLeaveRoomForSmallOnes) {
    RunningServer server("/nowhere", Shipped);
    const std::string large = "POST /api/order HTTP/1.1\r\nHost: p\r\nContent-Type: "
                              "application/octet-stream\r\nContent-Length: 700000\r\n\r\n1";
    RawConnection first(server.Port());
    RawConnection second(server.Port());
    ASSERT_TRUE(first.Send(large));
    ASSERT_TRUE(second.Send(large));
    const std::string refused = second.ReadToEnd(30s);
    EXPECT_EQ(Statuses(refused), std::vector<int>{503}) << refused;
    RawConnection small(server.Port());
    ASSERT_TRUE(small.Send("POST /api/order HTTP/1.1\r\nHost: p\r\nContent-Type: "
                           "application/octet-stream\r\nContent-Length: 16\r\nConnection: "
                           "close\r\n\r\n1 R090PC0120USG\n"));
    EXPECT_EQ(Statuses(small.ReadToEnd(30s)), std::vector<int>{200});
}

TEST(Limits, LoopbackClientsShareOnlyTheTotal) {
    RunningServer server("/nowhere", Shipped, Limited([](web::ServerLimits& limits) {
                             limits.PerAddress = 4;
                             limits.Connections = 8;
                         }));
    Connections held;
    for (int i = 0; i < 7; ++i)
        held.push_back(std::make_unique<RawConnection>(server.Port()));
    EXPECT_EQ(Asked(server.Port(), "127.0.0.1"), std::vector<int>{200}) << "the eighth";
    held.push_back(std::make_unique<RawConnection>(server.Port()));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(Asked(server.Port(), "127.0.0.1"), std::vector<int>{503}) << "past the total";
}

struct DeadlineCase {
    const char* Name;
    friend void PrintTo(const DeadlineCase& row, std::ostream* out) { *out << row.Name; }
    std::function<void(web::ServerLimits&)> Limits;
    std::string First;
    // Sent every 50 ms after the first bytes, as a slow client would.
    std::string Trickle;
};

class Deadlines : public ::testing::TestWithParam<DeadlineCase> {};

TEST_P(Deadlines, CloseTheConnectionWhateverTheClientSends) {
    const DeadlineCase& row = GetParam();
    RunningServer server("/nowhere", Shipped, Limited(row.Limits));
    RawConnection connection(server.Port());
    ASSERT_TRUE(connection.Connected());
    ASSERT_TRUE(row.First.empty() || connection.Send(row.First));
    const auto start = std::chrono::steady_clock::now();
    bool closed = false;
    while (!closed && std::chrono::steady_clock::now() - start < 10s) {
        closed = connection.ClosedWithin(50ms) ||
                 (!row.Trickle.empty() && !connection.Send(row.Trickle));
    }
    EXPECT_TRUE(closed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Deadlines,
    ::testing::Values(
        DeadlineCase{"IdleAfterConnecting", [](web::ServerLimits& l) { l.Idle = 300ms; }, "", ""},
        DeadlineCase{"IdleAfterAnAnswer", [](web::ServerLimits& l) { l.Idle = 300ms; },
                     "GET /api/describe?part=C090CNSG HTTP/1.1\r\nHost: p\r\n\r\n", ""},
        DeadlineCase{"HeadSentByteByByte", [](web::ServerLimits& l) { l.Head = 500ms; },
                     "GET / HTTP/1.1\r\nHost: p\r\n", "X"},
        DeadlineCase{"BodySentByteByByte", [](web::ServerLimits& l) { l.Body = 500ms; },
                     "POST /api/order HTTP/1.1\r\nHost: p\r\nContent-Type: "
                     "application/octet-stream\r\nContent-Length: 100000\r\n\r\n",
                     "1"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Limits, StopClosesIdleConnectionsAtOnce) {
    WebServer server("/nowhere", Shipped);
    const int port = server.Bind("127.0.0.1", 0);
    ASSERT_GT(port, 0);
    std::atomic<bool> served = false;
    std::thread serving([&] {
        server.Serve();
        served = true;
    });
    RawConnection idle(port);
    ASSERT_TRUE(idle.Send("GET /api/describe?part=C090CNSG HTTP/1.1\r\nHost: p\r\n\r\n"));
    while (Statuses(idle.ReadToEnd(200ms)).empty())
        ;
    RawConnection halfSent(port);
    ASSERT_TRUE(halfSent.Send("GET / HTTP/1.1\r\n"));
    std::this_thread::sleep_for(100ms);
    const auto start = std::chrono::steady_clock::now();
    server.Stop();
    EXPECT_TRUE(idle.ClosedWithin(3s));
    EXPECT_TRUE(halfSent.ClosedWithin(3s));
    serving.join();
    EXPECT_TRUE(served);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

size_t Threads() {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/task"),
                                             std::filesystem::directory_iterator()));
}

// Resident memory in MB.
size_t Resident() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:"))
            return std::stoul(line.substr(6)) / 1024;
    }
    return 0;
}

// Connections from the addresses 127.0.PREFIX.1 and on, `each` an address.
Connections Open(int port, int prefix, size_t count, size_t each) {
    Connections connections;
    for (size_t i = 0; i < count; ++i) {
        const std::string from =
            "127.0." + std::to_string(prefix) + "." + std::to_string(1 + i / each);
        connections.push_back(std::make_unique<RawConnection>(port, from));
    }
    return connections;
}

TEST(Load, NewClientsAreAnsweredAtOnceWhileAThousandIdleAndTwoHundredSlowConnectionsWait) {
    rlimit descriptors{};
    getrlimit(RLIMIT_NOFILE, &descriptors);
    descriptors.rlim_cur = descriptors.rlim_max;
    setrlimit(RLIMIT_NOFILE, &descriptors);
    if (descriptors.rlim_cur < 3000)
        GTEST_SKIP() << "needs 3000 descriptors, has " << descriptors.rlim_cur;

    // The waiting connections stay for the whole test: no deadline frees the server.
    RunningServer server("/nowhere", Shipped, Limited([](web::ServerLimits& limits) {
                             limits.Idle = 120s;
                             limits.Head = 120s;
                         }));
    ASSERT_EQ(Asked(server.Port(), "127.0.0.1"), std::vector<int>{200});
    const size_t threads = Threads();
    const size_t resident = Resident();

    Connections idle = Open(server.Port(), 1, 1000, 50);
    Connections slow = Open(server.Port(), 2, 200, 50);
    for (const auto& connection : slow)
        connection->Send("GET /api/state HTTP/1.1\r\nHost: p\r\n");
    std::atomic<bool> trickling = true;
    std::thread trickle([&] {
        while (trickling) {
            for (const auto& connection : slow)
                connection->Send("X");
            std::this_thread::sleep_for(100ms);
        }
    });

    std::vector<std::chrono::microseconds> took;
    for (int i = 0; i < 200; ++i) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Asked(server.Port(), "127.0.0.1"), std::vector<int>{200});
        took.push_back(std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - start));
    }
    const size_t peakThreads = Threads();
    const size_t peakResident = Resident();
    trickling = false;
    trickle.join();

    std::ranges::sort(took);
    const auto p99 = took[took.size() * 99 / 100 - 1];
    std::cout << "p50 " << took[took.size() / 2].count() << " us, p99 " << p99.count()
              << " us; threads " << threads << " -> " << peakThreads << "; resident " << resident
              << " -> " << peakResident << " MB\n";
    EXPECT_LT(p99, 100ms);
    // Only the test's own thread that trickles.
    EXPECT_LE(peakThreads, threads + 1);
    EXPECT_LT(peakResident, resident + 100);
    size_t open = 0;
    for (const Connections* group : {&idle, &slow}) {
        for (const auto& connection : *group)
            open += connection->Connected() && !connection->ClosedWithin(0ms);
    }
    EXPECT_EQ(open, 1200u) << "every waiting connection was still open";
}

} // namespace
} // namespace pelmora::testing
