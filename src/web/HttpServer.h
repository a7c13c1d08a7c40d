#pragma once

#include "Exchange.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace pelmora::web {

// What one server lets clients hold: every wait has a deadline, every buffer a
// bound, and no client address more than its share of the connections.
struct ServerLimits {
    size_t Connections = 2048;
    size_t PerAddress = 64;
    // Clients on loopback share only the total: a reverse proxy on the same
    // machine brings every user from its one address, and limits them itself.
    bool LimitLoopback = false;
    // A connection with no request begun: after an answer, or right after connecting.
    std::chrono::milliseconds Idle{5000};
    // From the first byte of a request to the end of its head.
    std::chrono::milliseconds Head{10000};
    std::chrono::milliseconds Body{30000};
    // Each write of an answer, and a streamed answer as a whole.
    std::chrono::milliseconds Write{30000};
    std::chrono::milliseconds Stream{300000};
    size_t HeadBytes = 16 * 1024;
    size_t TargetBytes = 8192;
    size_t HeaderCount = 100;
    size_t BodyBytes = 1024 * 1024;
    // All request bodies being read or answered at once (one of the largest size
    // beside many small ones: the answer to a large body takes the most memory),
    // and all answers waiting to be written: past these a request is asked to
    // come back.
    size_t BodyBudget = 1280 * 1024;
    // Bodies of a stated length up to this are not counted against the budget.
    size_t SmallBody = 64 * 1024;
    size_t AnswerBudget = 64 * 1024 * 1024;
    size_t Workers = 8;
    // Streamed answers hold a worker while the client reads them.
    size_t Streams = 4;
};

// One request answered: what a log line tells.
struct LogEntry {
    std::chrono::system_clock::time_point Time;
    std::string Client;
    std::string Method;
    std::string Path;
    int Status = 0;
    size_t Bytes = 0;
    std::chrono::milliseconds Took{0};
};

// HTTP/1.1 on one event loop over every connection; answers are made on a pool of
// workers, so that a slow answer never holds up reading and writing. Requests on
// one connection, pipelined too, are answered in order.
class HttpServer {
public:
    // Runs on a worker; what it throws is answered 500.
    using Answer = std::function<Response(Request)>;
    using Log = std::function<void(const LogEntry&)>;

    HttpServer(Answer answer, Log log, ServerLimits limits = {});
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Listens on the host (a name or a numeric address, IPv6 without brackets) and
    // port (0: any free port): the port, or -1 with the reason in error.
    int Listen(const std::string& host, int port, std::string& error);
    // Serves until Stop, then finishes the answers begun; true unless it could not.
    bool Serve();
    // From any thread, also before Serve and more than once: no new connection,
    // idle ones and half-sent heads closed at once, the rest closed once answered.
    void Stop();

    // The connections' shared state, which each of them reaches.
    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

} // namespace pelmora::web
