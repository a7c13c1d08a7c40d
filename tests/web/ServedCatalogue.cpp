#include "ServedCatalogue.h"

#include "Cli.h"

#include <cctype>
#include <sstream>
#include <stdexcept>

namespace pelmora::testing {

RunningServer::RunningServer(const std::string& programFolder,
                             const std::optional<std::string>& appDir)
    : server_(programFolder, appDir), port_(server_.Bind("127.0.0.1", 0)) {
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

std::string Encoded(const std::string& text) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '-' || c == '_' || c == '.' || c == '~') {
            encoded += c;
        } else {
            encoded += '%';
            encoded += Hex[byte >> 4];
            encoded += Hex[byte & 15];
        }
    }
    return encoded;
}

std::string StatePath(const std::vector<std::string>& actions, bool steps) {
    std::string query;
    for (const std::string& action : actions)
        query += (query.empty() ? "a=" : "&a=") + Encoded(action);
    if (steps)
        query += query.empty() ? "steps=1" : "&steps=1";
    return "/api/state?" + query;
}

std::string CommandLineJson(const std::string& appDir, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--app-dir", appDir, "--json"});
    std::ostringstream out;
    std::ostringstream errors;
    cli::RunCommandLine(arguments, "/nowhere", out, errors);
    return out.str();
}

} // namespace pelmora::testing
