// How long a window program takes from exec to its first mapped window, in wall
// time and in the processor time of all its threads, and its resident size once
// it has sat idle for a while. Run under an X server of its own (Xvfb), where no
// other window is mapped meanwhile.
//
//   pelmora_window_start IDLE_MS PROGRAM [ARGUMENT...]
// prints one line of JSON: {"mappedMs", "cpuMs", "idleRssKb"}.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <xcb/xcb.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// The processor time of the process so far, in ms: every thread's, those that
// have ended included, to the nanosecond (not the 10 ms ticks of /proc/PID/stat).
double ProcessorMs(pid_t pid) {
    clockid_t clock{};
    timespec used{};
    if (::clock_getcpuclockid(pid, &clock) != 0 || ::clock_gettime(clock, &used) != 0)
        return 0;
    return used.tv_sec * 1e3 + used.tv_nsec / 1e6;
}

long ResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pelmora_window_start IDLE_MS PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    const int idleMs = std::atoi(argv[1]);
    // A server busy with the last run's client going away may refuse a moment.
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    for (int attempt = 0; attempt < 40 && xcb_connection_has_error(x); ++attempt) {
        xcb_disconnect(x);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        x = xcb_connect(nullptr, nullptr);
    }
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "pelmora_window_start: no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    pid_t pid = 0;
    const auto start = Clock::now();
    if (::posix_spawn(&pid, argv[2], nullptr, nullptr, argv + 2, environ) != 0) {
        std::fprintf(stderr, "pelmora_window_start: cannot start %s\n", argv[2]);
        return 2;
    }
    double mappedMs = -1;
    double cpuMs = 0;
    // Until the first window is mapped, or the program ends without one.
    pollfd server{xcb_get_file_descriptor(x), POLLIN, 0};
    while (mappedMs < 0 && !xcb_connection_has_error(x)) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const bool mapped =
                (event->response_type & 0x7F) == XCB_MAP_NOTIFY &&
                !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
            std::free(event);
            if (mapped && mappedMs < 0) {
                mappedMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                cpuMs = ProcessorMs(pid);
            }
        }
        if (mappedMs < 0 && ::waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "pelmora_window_start: %s ended without a window\n", argv[2]);
            return 1;
        }
        ::poll(&server, 1, 10);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(idleMs));
    const long rss = ResidentKb(pid);
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    xcb_disconnect(x);
    std::printf("{\"mappedMs\": %.2f, \"cpuMs\": %.2f, \"idleRssKb\": %ld}\n", mappedMs, cpuMs,
                rss);
    return mappedMs < 0 ? 1 : 0;
}
