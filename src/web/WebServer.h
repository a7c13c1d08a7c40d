#pragma once

#include "Routes.h"
#include "catalogue/TableSource.h"

#include <atomic>
#include <memory>
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
    static constexpr size_t MaxBody = web::MaxBody;
    static constexpr size_t MaxActions = web::MaxActions;
    static constexpr size_t MaxText = web::MaxText;
    static constexpr size_t WorkerThreads = 64;

    // The catalogue as the command line finds it: from the program's folder, or
    // all in appDir.
    WebServer(std::string programFolder, std::optional<std::string> appDir);
    ~WebServer();

    // Binds the address (port 0: any free port); the port bound, or -1. Every
    // answer then names the instance in X-Pelmora-Instance: "HOST:PORT".
    int Bind(const std::string& host, int port);
    // Serves on the bound address until Stop.
    bool Serve();
    // Ends Serve from any thread, also before Serve has begun and more than once.
    void Stop();

private:
    void Route();

    TableCache cache_;
    web::Served folders_;
    std::vector<web::Route> routes_;
    std::unique_ptr<httplib::Server> server_;
    // httplib's own stop is lost before its accept loop runs and may be called
    // only once.
    std::atomic<bool> serving_ = false;
    std::atomic<bool> served_ = false;
    std::atomic<bool> stopping_ = false;
    std::atomic<bool> stopped_ = false;
    // The socket httplib made last, which after Bind is the one it listens on.
    int listening_ = -1;
};

} // namespace pelmora
