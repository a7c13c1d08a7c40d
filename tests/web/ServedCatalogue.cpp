#include "ServedCatalogue.h"

#include "Cli.h"

#include <sstream>
#include <stdexcept>

namespace pelmora::testing {

RunningServer::RunningServer(const std::string& programFolder,
                             const std::optional<std::string>& appDir, WebOptions options)
    : server_(programFolder, appDir, std::move(options)), port_(server_.Bind("127.0.0.1", 0)) {
    if (port_ <= 0)
        throw std::runtime_error("no free loopback port");
    serving_ = std::thread([this] { server_.Serve(); });
}

RunningServer::~RunningServer() {
    server_.Stop();
    serving_.join();
}

httplib::Client RunningServer::Client() const {
    httplib::Client client("127.0.0.1", port_);
    client.set_connection_timeout(10);
    client.set_read_timeout(60);
    client.set_write_timeout(60);
    return client;
}

std::string StatePath(const std::vector<std::string>& actions, bool steps) {
    std::string query;
    for (const std::string& action : actions)
        query += (query.empty() ? "a=" : "&a=") + httplib::detail::encode_query_param(action);
    if (steps)
        query += query.empty() ? "steps=1" : "&steps=1";
    return "/api/state?" + query;
}

std::string CommandLineJson(const std::string& appDir, std::vector<std::string> arguments,
                            bool compact) {
    arguments.insert(arguments.begin(), {"--app-dir", appDir, "--json"});
    if (compact)
        arguments.insert(arguments.begin() + 3, "--compact");
    std::ostringstream out;
    std::ostringstream errors;
    cli::RunCommandLine(arguments, "/nowhere", out, errors);
    return out.str();
}

} // namespace pelmora::testing
