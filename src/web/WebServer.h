#pragma once

#include "HttpServer.h"
#include "Policy.h"
#include "Routes.h"
#include "catalogue/TableSource.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pelmora {

// Which requests get a line on standard error.
enum class RequestLog { Off, Failures, All };

// How one pelmora-web instance answers, beyond its catalogue.
struct WebOptions {
    // Host names it answers for; empty: any.
    std::vector<std::string> Hosts;
    // Names the instance ("HOST:PORT") in X-Pelmora-Instance on every answer.
    bool Instance = false;
    // Failures: only answers the server failed to make (5xx).
    RequestLog Log = RequestLog::Off;
    web::ServerLimits Limits;
};

// What pelmora-web serves: the JSON API over the same forms as the command line
// (each request carries the whole configuration and gets a wizard of its own), the
// catalogue's pictures, the specification sheet as a PDF, and the page. It keeps
// no state between requests and writes no file; tables are shared between the
// workers through one checked cache.
class WebServer {
public:
    static constexpr size_t MaxBody = web::MaxBody;
    static constexpr size_t MaxActions = web::MaxActions;
    static constexpr size_t MaxText = web::MaxText;

    // The catalogue as the command line finds it: from the program's folder, or
    // all in appDir.
    WebServer(std::string programFolder, std::optional<std::string> appDir,
              WebOptions options = {});
    ~WebServer();

    // Listens on the address (port 0: any free port): the port, or -1 with the
    // reason in BindError.
    int Bind(const std::string& host, int port);
    const std::string& BindError() const { return bindError_; }
    // Serves on the bound address until Stop.
    bool Serve();
    // Ends Serve from any thread, also before Serve has begun and more than once.
    void Stop();

private:
    void Log(const web::LogEntry& entry) const;

    WebOptions options_;
    TableCache cache_;
    web::Served folders_;
    std::vector<web::Route> routes_;
    web::Policy policy_;
    std::string bindError_;
    std::unique_ptr<web::HttpServer> server_;
};

} // namespace pelmora
