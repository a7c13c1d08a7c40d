// pelmora-web under load on loopback: keep-alive clients send a fixed number of
// mixed requests (the wizard's state after walks of every length, quotes,
// descriptions) to one server started here, and every answer must be the one a
// single client gets. Prints p50/p99 latency per kind and the requests per
// second. Fails on a wrong or missing answer only, never on a time: at the time
// limit it stops and says how far it came.
//
//   pelmora_web_load [--clients N] [--requests N] [--seconds N]
#include "WebServer.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <httplib.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

enum Kind { State, Quote, Describe, Kinds };
const char* const KindNames[Kinds] = {"state", "quote", "describe"};

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

httplib::Client Client(int port) {
    httplib::Client client("127.0.0.1", port);
    client.set_keep_alive(true);
    client.set_connection_timeout(10);
    client.set_read_timeout(60);
    return client;
}

} // namespace

int main(int argc, char* argv[]) {
    size_t clients = 50;
    size_t requests = 20000;
    size_t seconds = 600;
    for (int i = 1; i < argc; i += 2) {
        const std::string option = argv[i];
        size_t* value = option == "--clients"    ? &clients
                        : option == "--requests" ? &requests
                        : option == "--seconds"  ? &seconds
                                                 : nullptr;
        const char* text = i + 1 < argc ? argv[i + 1] : "";
        const char* end = text + std::strlen(text);
        if (!value || std::from_chars(text, end, *value).ptr != end || *value == 0) {
            std::fprintf(stderr,
                         "usage: pelmora_web_load [--clients N] [--requests N] [--seconds N]\n");
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

    // What one client alone gets for each request.
    std::vector<Request> mix = Mix();
    {
        httplib::Client alone = Client(port);
        for (Request& request : mix) {
            const auto answer = alone.Get(request.Path.c_str());
            request.Expected = answer && answer->status == 200 ? answer->body : "";
        }
    }

    std::atomic<size_t> next = 0;
    std::atomic<size_t> errors = 0;
    std::mutex reporting;
    std::vector<std::vector<double>> latencies(Kinds);
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::seconds(seconds);
    std::vector<std::thread> threads;
    for (size_t c = 0; c < clients; ++c) {
        threads.emplace_back([&] {
            httplib::Client client = Client(port);
            std::vector<std::vector<double>> own(Kinds);
            for (size_t i = next++; i < requests && Clock::now() < deadline; i = next++) {
                const Request& request = mix[i % mix.size()];
                const auto sent = Clock::now();
                const auto answer = client.Get(request.Path.c_str());
                own[request.Of].push_back(
                    std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
                if (!answer || answer->status != 200 || request.Expected.empty() ||
                    answer->body != request.Expected) {
                    if (errors++ < 5) {
                        const std::lock_guard lock(reporting);
                        std::fprintf(stderr, "wrong answer to %s: %s\n", request.Path.c_str(),
                                     answer ? std::to_string(answer->status).c_str()
                                            : httplib::to_string(answer.error()).c_str());
                    }
                }
            }
            const std::lock_guard lock(reporting);
            for (size_t k = 0; k < Kinds; ++k)
                latencies[k].insert(latencies[k].end(), own[k].begin(), own[k].end());
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    server.Stop();
    serving.join();

    std::vector<double> all;
    std::printf("%zu clients, %zu distinct requests\n%-9s %8s %9s %9s %9s\n", clients, mix.size(),
                "kind", "count", "p50 ms", "p99 ms", "max ms");
    for (size_t k = 0; k <= Kinds; ++k) {
        std::vector<double>& samples = k < Kinds ? latencies[k] : all;
        if (k < Kinds)
            all.insert(all.end(), samples.begin(), samples.end());
        const double most = samples.empty() ? 0 : *std::max_element(samples.begin(), samples.end());
        std::printf("%-9s %8zu %9.2f %9.2f %9.2f\n", k < Kinds ? KindNames[k] : "all",
                    samples.size(), Percentile(samples, 0.5), Percentile(samples, 0.99), most);
    }
    std::printf("%zu requests in %.2f s: %.0f requests/s, %zu errors\n", all.size(), elapsed,
                static_cast<double>(all.size()) / elapsed, errors.load());
    if (all.size() < requests)
        std::printf("stopped at the time limit of %zu s\n", seconds);
    return errors == 0 ? 0 : 1;
}
