// pelmora-web [--app-dir DIR] [--listen HOST:PORT]: the configurator in a browser.
#include "WebServer.h"

#include <CLI/CLI.hpp>
#include <QGuiApplication>
#include <csignal>
#include <filesystem>
#include <iostream>

namespace {

std::string ProgramFolder() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path().string();
}

pelmora::WebServer* running = nullptr;

} // namespace

int main(int argc, char* argv[]) {
    CLI::App line{"Serves the Pelmora 38 configurator to a browser and its JSON API.",
                  "pelmora-web"};
    std::optional<std::string> appDir;
    std::string listen = "127.0.0.1:8038";
    line.add_option("--app-dir", appDir, "The folder holding Data/ and Images/")->type_name("DIR");
    line.add_option("--listen", listen, "Address and port (default 127.0.0.1:8038)")
        ->type_name("HOST:PORT");
    CLI11_PARSE(line, argc, argv);
    const size_t colon = listen.rfind(':');
    int port = 0;
    try {
        port = colon == std::string::npos ? 0 : std::stoi(listen.substr(colon + 1));
    } catch (const std::exception&) {
        port = 0;
    }
    if (port <= 0 || port > 65535) {
        std::cerr << "pelmora-web: --listen takes HOST:PORT, not " << listen << '\n';
        return 2;
    }
    if (appDir && !std::filesystem::is_directory(*appDir)) {
        std::cerr << "pelmora-web: no such folder " << *appDir << '\n';
        return 2;
    }

    // The specification sheets are drawn with Qt's fonts, without any display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    Q_INIT_RESOURCE(pelmora);

    pelmora::WebServer server(ProgramFolder(), appDir);
    running = &server;
    std::signal(SIGTERM, [](int) { running->Stop(); });
    std::signal(SIGINT, [](int) { running->Stop(); });
    std::cerr << "pelmora-web: serving http://" << listen << "/\n";
    if (!server.Listen(listen.substr(0, colon), port)) {
        std::cerr << "pelmora-web: cannot listen on " << listen << '\n';
        return 1;
    }
    return 0;
}
