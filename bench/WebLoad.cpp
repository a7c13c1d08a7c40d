// pelmora-web under load on loopback: keep-alive clients send a fixed number of
// mixed requests (the wizard's state after walks of every length, quotes,
// descriptions) to one server started here, and every answer must be the one a
// single client gets. Prints p50/p99 latency per kind and the requests per
// second, then the same for a picture served as a plain file, the anchor: what
// the HTTP server alone costs on this machine. Fails on a wrong or missing answer
// only, never on a time: at the time limit it stops and says how far it came.
//
// The clients are connections driven by one thread with poll, as load tools do:
// fifty client threads of their own would take the cores from the server and
// measure their own scheduling.
//
// With --walk8, every request is the state after the same walk of eight actions,
// the page's most frequent question; with --walk8 --varied, each request is the
// state after another walk of eight actions (every family, other sizes, flanges,
// lengths, bands and finishes, some with a choice changed on the way), as a crowd
// of users asks, so that no cache of answers could make the figure; with --nginx-port, the same
// picture served by nginx on that port is a second anchor: what a static file server costs. Each
// run also prints the processor time of this whole process (server and clients)
// per request, the cost that holds on a loaded machine.
//
//   pelmora_web_load [--clients N] [--requests N] [--seconds N] [--walk8 [--varied]]
//                    [--nginx-port N]
#include "WebServer.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <httplib.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <nlohmann/json.hpp>
#include <optional>
#include <poll.h>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

enum Kind { State, Quote, Describe, Picture, Kinds };
const char* const KindNames[Kinds] = {"state", "quote", "describe", "picture"};

struct Request {
    Kind Of;
    std::string Path;
    std::string Expected;
};

// The requests a page sends while users configure parts: the state after each
// action of whole walks through several families, quotes and descriptions.
std::vector<Request> Mix() {
    const std::vector<std::vector<std::string>> walks = {
        {"family=Straight Section", "waveguide=WR90", "flangeA=U", "flangeB=C", "type:length=12.3",
         "next", "band=S", "finish=G", "create"},
        {"units=M", "family=C", "waveguide=090", "flangeA=#1", "coax=#1", "next", "band=#1",
         "create"},
        {"family=N", "waveguide=WR90", "flangeA=U", "flangeB=C", "pick:legA=#3", "pick:legB=#2",
         "next", "create=swap"},
        {"family=E", "waveguide=#1", "flangeA=#1", "flangeB=#1", "next", "create"},
        {"family=F", "waveguide=090", "flangeA=C", "flangeB=C", "type:length=18", "next"},
        {"apply=T090CCG", "next", "create", "back", "reset"},
    };
    std::vector<Request> states;
    for (const auto& walk : walks) {
        std::string path = "/api/state?";
        for (size_t i = 0; i < walk.size(); ++i) {
            path += (i ? "&a=" : "a=") + httplib::detail::encode_query_param(walk[i]);
            states.push_back({State, path, ""});
        }
    }
    const std::vector<Request> others = {
        {Quote, "/api/quote?part=R090PC0120USG&qty=3", ""},
        {Quote, "/api/quote?part=C090CNSG&part=E090PC030U030SG&part=T090CCG", ""},
        {Quote, "/api/quote?part=PW090C&part=R090PC0125USG&qty=250", ""},
        {Describe, "/api/describe?part=e090pc030u030sg", ""},
        {Describe, "/api/describe?part=N090PC030U025SG", ""},
        {Describe, "/api/describe?part=C090CNSG", ""},
    };
    // Seven states to three others, as a configuring user asks.
    std::vector<Request> mix = states;
    for (size_t i = 0; i < states.size() * 3 / 7; ++i)
        mix.push_back(others[i % others.size()]);
    return mix;
}

double Percentile(std::vector<double>& samples, double share) {
    if (samples.empty())
        return 0;
    const auto at = static_cast<size_t>(share * static_cast<double>(samples.size() - 1) + 0.5);
    std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(at),
                     samples.end());
    return samples[at];
}

// One client: a keep-alive connection with at most one request under way.
struct Connection {
    int Socket = -1;
    const Request* Asked = nullptr;
    Clock::time_point Sent;
    std::string Answer;
};

int Connect(int port) {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int yes = 1;
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(socket);
        return -1;
    }
    return socket;
}

bool Send(Connection& connection, const Request& request) {
    const std::string text = "GET " + request.Path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
    connection.Asked = &request;
    connection.Answer.clear();
    connection.Sent = Clock::now();
    return ::send(connection.Socket, text.data(), text.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(text.size());
}

struct Answer {
    int Status = 0;
    std::string Body;
    // The server ends a keep-alive connection after so many requests, as it says.
    bool Closing = false;
};

// The answer once it is all in; the server states every body's length.
std::optional<Answer> Complete(const std::string& answer) {
    const size_t headerEnd = answer.find("\r\n\r\n");
    if (headerEnd == std::string::npos)
        return std::nullopt;
    std::string header = answer.substr(0, headerEnd);
    std::transform(header.begin(), header.end(), header.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const size_t field = header.find("\r\ncontent-length:");
    const size_t length =
        field == std::string::npos ? 0 : std::strtoul(header.c_str() + field + 17, nullptr, 10);
    if (answer.size() < headerEnd + 4 + length)
        return std::nullopt;
    return Answer{std::atoi(answer.c_str() + 9), answer.substr(headerEnd + 4, length),
                  header.find("\r\nconnection: close") != std::string::npos};
}

// The request with what one client alone gets for it.
Request Expect(int port, Request request) {
    httplib::Client alone("127.0.0.1", port);
    alone.set_read_timeout(60);
    const auto answer = alone.Get(request.Path.c_str());
    request.Expected = answer && answer->status == 200 ? answer->body : "";
    return request;
}

struct Run {
    std::vector<std::vector<double>> Latencies = std::vector<std::vector<double>>(Kinds);
    size_t Errors = 0;
    double Seconds = 0;
    double ProcessorSeconds = 0;
};

double ProcessorSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::string Encoded(const std::vector<std::string>& walk) {
    std::string path = "/api/state?";
    for (const std::string& action : walk)
        path += (path.back() == '?' ? "a=" : "&a=") + httplib::detail::encode_query_param(action);
    return path;
}

// Walks of eight actions through every family, each done as asked: each of a
// family's first four sizes with its first or second flanges, length, band and
// finish, and one walk in four with the waveguide chosen twice, as a user who
// changes their mind does. A walk the catalogue refuses a step of is left out.
std::vector<Request> VariedWalks(int port) {
    httplib::Client alone("127.0.0.1", port);
    alone.set_read_timeout(60);
    auto state = [&](const std::vector<std::string>& walk) {
        const auto answer = alone.Get(Encoded(walk).c_str());
        return answer && answer->status == 200 ? nlohmann::json::parse(answer->body)
                                               : nlohmann::json();
    };
    std::vector<Request> walks;
    std::set<std::string> seen;
    size_t count = 0;
    for (const char* family : {"C", "D", "E", "F", "H", "M", "N", "W", "R", "S", "T"}) {
        const nlohmann::json start = state({std::string("family=") + family});
        if (start.is_null())
            continue;
        const nlohmann::json& lists = start["state"]["lists"];
        const std::string page = lists["lengthPage"];
        const bool coax = lists["coax"]["visible"];
        for (int size = 1; size <= 4; ++size) {
            for (int flange = 1; flange <= 2; ++flange) {
                for (int finish = 1; finish <= 2; ++finish) {
                    const std::string at = "#" + std::to_string(flange);
                    std::vector<std::string> walk = {"family=" + std::string(family)};
                    if (++count % 4 == 0)
                        walk.push_back("waveguide=#" + std::to_string(size % 4 + 1));
                    walk.push_back("waveguide=#" + std::to_string(size));
                    walk.push_back("flangeA=" + at);
                    walk.push_back((coax ? "coax=" : "flangeB=") + at);
                    if (page == "length")
                        walk.push_back("pick:length=#" + std::to_string(size));
                    if (page == "legs") {
                        walk.push_back("pick:legA=#1");
                        walk.push_back("pick:legB=#" + std::to_string(flange));
                    }
                    walk.push_back("next");
                    walk.push_back("band=#" + std::to_string(flange));
                    walk.push_back("finish=#" + std::to_string(finish));
                    if (walk.size() < 8)
                        walk.insert(walk.begin(), "units=M");
                    walk.resize(8);
                    // A second flange, band or finish is not offered everywhere: the
                    // first then.
                    for (const bool second : {true, false}) {
                        if (!second)
                            for (std::string& action : walk)
                                if (!action.starts_with("waveguide=") && action.ends_with("#2"))
                                    action.back() = '1';
                        const nlohmann::json walked = state(walk);
                        const bool done =
                            !walked.is_null() &&
                            std::all_of(walked["steps"].begin(), walked["steps"].end(),
                                        [](const auto& step) { return step["done"]; });
                        if (done && seen.insert(Encoded(walk)).second)
                            walks.push_back({State, Encoded(walk), ""});
                        if (done)
                            break;
                    }
                }
            }
        }
    }
    // One family after another would be one family at a time under load.
    std::vector<Request> mixed;
    for (size_t stride = 0; stride < 7; ++stride)
        for (size_t i = stride; i < walks.size(); i += 7)
            mixed.push_back(walks[i]);
    return mixed;
}

// The state after one walk of eight actions, asked again and again.
std::vector<Request> WalkOfEight() {
    return {{State,
             Encoded({"family=Straight Section", "waveguide=WR90", "flangeA=U", "flangeB=C",
                      "type:length=12.3", "next", "band=S", "finish=G"}),
             ""}};
}

// The requests of the mix in turn, until the count or the deadline, each client
// sending its next as soon as its answer is in.
Run Load(int port, const std::vector<Request>& mix, size_t clients, size_t requests,
         Clock::time_point deadline) {
    Run run;
    size_t next = 0;
    const auto fail = [&](const Request& request, const std::string& why) {
        if (run.Errors++ < 5)
            std::fprintf(stderr, "wrong answer to %s: %s\n", request.Path.c_str(), why.c_str());
    };
    const auto start = Clock::now();
    const double processorStart = ProcessorSeconds();
    std::vector<Connection> connections(clients);
    std::vector<pollfd> ready;
    size_t open = 0;
    for (Connection& connection : connections) {
        connection.Socket = Connect(port);
        const Request& first = mix[next++ % mix.size()];
        if (connection.Socket >= 0 && Send(connection, first))
            ++open;
        else
            fail(first, "no connection");
        ready.push_back({connection.Socket, POLLIN, 0});
    }
    while (open > 0) {
        if (::poll(ready.data(), ready.size(), 60000) <= 0) {
            fail(*connections.front().Asked, "no answer for a minute");
            break;
        }
        for (size_t c = 0; c < clients; ++c) {
            Connection& connection = connections[c];
            if (!(ready[c].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buffer[65536];
            const ssize_t got = ::recv(connection.Socket, buffer, sizeof buffer, 0);
            if (got > 0)
                connection.Answer.append(buffer, static_cast<size_t>(got));
            const auto answer = Complete(connection.Answer);
            if (got > 0 && !answer)
                continue;
            const Request& request = *connection.Asked;
            run.Latencies[request.Of].push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - connection.Sent).count());
            if (!answer)
                fail(request, "the connection was closed");
            else if (answer->Status != 200 || request.Expected.empty() ||
                     answer->Body != request.Expected)
                fail(request, "status " + std::to_string(answer->Status));
            if (answer && answer->Closing) {
                ::close(connection.Socket);
                connection.Socket = ready[c].fd = Connect(port);
            }
            if (!answer || connection.Socket < 0 || next >= requests || Clock::now() >= deadline ||
                !Send(connection, mix[next++ % mix.size()])) {
                ::close(connection.Socket);
                ready[c].fd = -1;
                --open;
            }
        }
    }
    run.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.ProcessorSeconds = ProcessorSeconds() - processorStart;
    return run;
}

void Report(Run& run, size_t requests, size_t seconds) {
    std::vector<double> all;
    std::printf("%-9s %8s %9s %9s %9s\n", "kind", "count", "p50 ms", "p99 ms", "max ms");
    for (size_t k = 0; k <= Kinds; ++k) {
        std::vector<double>& samples = k < Kinds ? run.Latencies[k] : all;
        if (samples.empty())
            continue;
        if (k < Kinds)
            all.insert(all.end(), samples.begin(), samples.end());
        std::printf("%-9s %8zu %9.2f %9.2f %9.2f\n", k < Kinds ? KindNames[k] : "all",
                    samples.size(), Percentile(samples, 0.5), Percentile(samples, 0.99),
                    *std::max_element(samples.begin(), samples.end()));
    }
    std::printf("%zu requests in %.2f s: %.0f requests/s, %zu errors\n", all.size(), run.Seconds,
                static_cast<double>(all.size()) / run.Seconds, run.Errors);
    std::printf("processor time per request: %.1f us\n",
                run.ProcessorSeconds * 1e6 / static_cast<double>(std::max<size_t>(all.size(), 1)));
    if (all.size() < requests)
        std::printf("stopped at the time limit of %zu s\n", seconds);
}

} // namespace

int main(int argc, char* argv[]) {
    size_t clients = 50;
    size_t requests = 20000;
    size_t seconds = 600;
    size_t nginxPort = 0;
    bool walk8 = false;
    bool varied = false;
    for (int i = 1; i < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--walk8" || option == "--varied") {
            (option == "--walk8" ? walk8 : varied) = true;
            --i;
            continue;
        }
        size_t* value = option == "--clients"      ? &clients
                        : option == "--requests"   ? &requests
                        : option == "--seconds"    ? &seconds
                        : option == "--nginx-port" ? &nginxPort
                                                   : nullptr;
        const char* text = i + 1 < argc ? argv[i + 1] : "";
        const char* end = text + std::strlen(text);
        if (!value || std::from_chars(text, end, *value).ptr != end || *value == 0) {
            std::fprintf(stderr,
                         "usage: pelmora_web_load [--clients N] [--requests N] [--seconds N] "
                         "[--walk8 [--varied]] [--nginx-port N]\n");
            return 2;
        }
    }

    pelmora::WebServer server("/nowhere", PELMORA_SHIPPED_DIR);
    const int port = server.Bind("127.0.0.1", 0);
    if (port <= 0) {
        std::fprintf(stderr, "pelmora_web_load: no free loopback port\n");
        return 1;
    }
    std::thread serving([&] { server.Serve(); });

    std::vector<Request> mix = !walk8 && !varied ? Mix()
                               : varied          ? VariedWalks(port)
                                                 : WalkOfEight();
    for (Request& request : mix)
        request = Expect(port, request);

    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    Run mixed = Load(port, mix, clients, requests, deadline);
    Run anchor =
        Load(port, {Expect(port, {Picture, "/images/WG.gif", ""})}, clients, requests, deadline);
    std::optional<Run> nginx;
    if (nginxPort > 0) {
        const int nginxAt = static_cast<int>(nginxPort);
        nginx =
            Load(nginxAt, {Expect(nginxAt, {Picture, "/WG.gif", ""})}, clients, requests, deadline);
    }
    server.Stop();
    serving.join();

    std::printf("%zu clients, %zu distinct requests\n", clients, mix.size());
    Report(mixed, requests, seconds);
    std::printf("anchor: the same clients asking for a picture, a plain file\n");
    Report(anchor, requests, seconds);
    if (nginx) {
        std::printf("anchor: the same picture from nginx\n");
        Report(*nginx, requests, seconds);
    }
    return mixed.Errors + anchor.Errors + (nginx ? nginx->Errors : 0) == 0 ? 0 : 1;
}
