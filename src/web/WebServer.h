#pragma once

#include "catalogue/TableSource.h"

#include <optional>
#include <string>

namespace httplib {
class Server;
}

namespace pelmora {

// What pelmora-web serves: the JSON API over the same forms as the command line
// (each request carries the whole configuration and gets a wizard of its own), the
// catalogue's pictures, the specification sheet as a PDF, and the page. It keeps
// no state between requests and writes no file; tables are shared between the
// request threads through one checked cache.
class WebServer {
public:
    // Request bodies and the actions of one request are bounded.
    static constexpr size_t MaxBody = 4 * 1024 * 1024;
    static constexpr size_t MaxActions = 200;
    static constexpr size_t MaxText = 200;

    // The catalogue as the command line finds it: from the program's folder, or
    // all in appDir.
    WebServer(std::string programFolder, std::optional<std::string> appDir);
    ~WebServer();

    // Serves until Stop; false when the address cannot be bound.
    bool Listen(const std::string& host, int port);
    void Stop();

private:
    void Route();

    std::string programFolder_;
    std::optional<std::string> appDir_;
    std::string pageFolder_;
    std::string imagesFolder_;
    TableCache cache_;
    std::unique_ptr<httplib::Server> server_;
};

} // namespace pelmora
