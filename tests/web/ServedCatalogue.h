#pragma once

#include "WebServer.h"

#include <httplib.h>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace pelmora::testing {

// A pelmora-web server in this process on a free loopback port, serving from a
// thread of its own until the object goes.
class RunningServer {
public:
    RunningServer(const std::string& programFolder, const std::optional<std::string>& appDir,
                  WebOptions options = {});
    ~RunningServer();
    RunningServer(const RunningServer&) = delete;
    RunningServer& operator=(const RunningServer&) = delete;

    int Port() const { return port_; }
    // A keep-alive client with timeouts that suit a sanitized build.
    httplib::Client Client() const;

private:
    WebServer server_;
    int port_;
    std::thread serving_;
};

// The type POST /api/order takes: one a cross-site form cannot send.
inline constexpr const char* OrderType = "application/octet-stream";

// "/api/state?a=..&a=.." for the actions, in order.
std::string StatePath(const std::vector<std::string>& actions, bool steps = false);

// What `pelmora-cli --app-dir DIR --json --compact ARGUMENTS...` prints on standard
// output, the bytes the server sends; without compact, the indented document.
std::string CommandLineJson(const std::string& appDir, std::vector<std::string> arguments,
                            bool compact = true);

} // namespace pelmora::testing
