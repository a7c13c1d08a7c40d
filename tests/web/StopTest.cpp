// The server stops when asked, whenever asked: the program on SIGTERM or SIGINT
// with connections open, the class from another thread before or while it serves.
#include "ServedCatalogue.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace pelmora::testing {
namespace {

const std::string Shipped = PELMORA_SHIPPED_DIR;

// pelmora-web started with the arguments; its standard error read line by line.
class Program {
public:
    explicit Program(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), PELMORA_WEB_PROGRAM);
        int pipe[2];
        EXPECT_EQ(::pipe(pipe), 0);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_adddup2(&files, pipe[1], STDERR_FILENO);
        posix_spawn_file_actions_addclose(&files, pipe[0]);
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        EXPECT_EQ(::posix_spawn(&pid_, argv[0], &files, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&files);
        ::close(pipe[1]);
        errors_ = pipe[0];
    }
    ~Program() {
        if (!status_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(errors_);
    }

    // The next line it writes on standard error, waiting at most the time given.
    std::optional<std::string> Line(std::chrono::seconds wait = std::chrono::seconds(60)) {
        const auto deadline = std::chrono::steady_clock::now() + wait;
        for (;;) {
            if (const size_t end = told_.find('\n'); end != std::string::npos) {
                std::string line = told_.substr(0, end);
                told_.erase(0, end + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd ready{errors_, POLLIN, 0};
            char buffer[512];
            if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0)
                return std::nullopt;
            const ssize_t got = ::read(errors_, buffer, sizeof buffer);
            if (got <= 0)
                return std::nullopt;
            told_.append(buffer, static_cast<size_t>(got));
        }
    }

    // The port it serves on, from the line it writes when it starts.
    int Port() {
        const std::string serving = "pelmora-web: serving http://127.0.0.1:";
        while (const auto line = Line()) {
            if (line->starts_with(serving))
                return std::stoi(line->substr(serving.size()));
        }
        return -1;
    }

    void Signal(int signal) const { ::kill(pid_, signal); }

    // Its wait status once it has ended, nothing if it runs on past the time given.
    std::optional<int> Ended(std::chrono::seconds wait) {
        const auto deadline = std::chrono::steady_clock::now() + wait;
        while (!status_ && std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_)
                status_ = status;
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return status_;
    }

private:
    pid_t pid_ = 0;
    int errors_ = -1;
    std::string told_;
    std::optional<int> status_;
};

bool ExitedWith(const std::optional<int>& status, int code) {
    return status && WIFEXITED(*status) && WEXITSTATUS(*status) == code;
}

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
