#pragma once

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace pelmora::testing {

// pelmora-web started with the arguments; what it writes (standard error and
// output) read line by line.
class Program {
public:
    explicit Program(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), PELMORA_WEB_PROGRAM);
        int pipe[2];
        EXPECT_EQ(::pipe(pipe), 0);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_adddup2(&files, pipe[1], STDERR_FILENO);
        posix_spawn_file_actions_adddup2(&files, pipe[1], STDOUT_FILENO);
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

    // The next line it writes, waiting at most the time given.
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

inline bool ExitedWith(const std::optional<int>& status, int code) {
    return status && WIFEXITED(*status) && WEXITSTATUS(*status) == code;
}

} // namespace pelmora::testing
