// pelmora-web [--app-dir DIR] [--listen HOST:PORT]: the configurator in a browser.
#include "WebServer.h"

#include <CLI/CLI.hpp>
#include <QGuiApplication>
#include <charconv>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <pthread.h>
#include <thread>

namespace {

std::string ProgramFolder() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path().string();
}

// The port of HOST:PORT, 0 to 65535; -1 for anything else.
int PortOf(const std::string& address) {
    const size_t colon = address.rfind(':');
    if (colon == std::string::npos)
        return -1;
    const char* first = address.data() + colon + 1;
    const char* last = address.data() + address.size();
    int port = -1;
    const auto [end, error] = std::from_chars(first, last, port);
    return first == last || end != last || error != std::errc() || port > 65535 ? -1 : port;
}

} // namespace

int main(int argc, char* argv[]) {
    CLI::App line{"Serves the Pelmora 38 configurator to a browser and its JSON API.",
                  "pelmora-web"};
    std::optional<std::string> appDir;
    std::string listen = "127.0.0.1:8038";
    line.add_option("--app-dir", appDir, "The folder holding Data/ and Images/")->type_name("DIR");
    line.add_option("--listen", listen,
                    "Address and port (default 127.0.0.1:8038; port 0: any free port)")
        ->type_name("HOST:PORT");
    CLI11_PARSE(line, argc, argv);
    const int port = PortOf(listen);
    if (port < 0) {
        std::cerr << "pelmora-web: --listen takes HOST:PORT, not " << listen << '\n';
        return 2;
    }
    if (appDir && !std::filesystem::is_directory(*appDir)) {
        std::cerr << "pelmora-web: no such folder " << *appDir << '\n';
        return 2;
    }

    // SIGTERM and SIGINT wait for a thread of their own, which stops the server
    // outside any signal handler; blocked before the first thread starts, so that
    // every thread inherits the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    // The specification sheets are drawn with Qt's fonts, without any display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    Q_INIT_RESOURCE(pelmora);

    pelmora::WebServer server(ProgramFolder(), appDir);
    const std::string host = listen.substr(0, listen.rfind(':'));
    const int bound = server.Bind(host, port);
    if (bound < 0) {
        std::cerr << "pelmora-web: cannot listen on " << listen << '\n';
        return 1;
    }
    std::thread stopper([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        server.Stop();
    });
    std::cerr << "pelmora-web: serving http://" << host << ':' << bound << "/" << std::endl;
    const bool served = server.Serve();
    if (!served)
        pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    return served ? 0 : 1;
}
