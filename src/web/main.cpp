// pelmora-web [--app-dir DIR] [--listen HOST:PORT] [--allow-host NAME]...: the
// configurator in a browser.
#include "ListenAddress.h"
#include "WebServer.h"
#include "catalogue/AppState.h"

#include <CLI/CLI.hpp>
#include <QGuiApplication>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <malloc.h>
#include <pthread.h>
#include <sys/resource.h>
#include <thread>

namespace {

constexpr int UsageFailure = 2;

std::string ProgramFolder() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path().string();
}

int UsageError(const std::string& message) {
    std::cerr << "pelmora-web: " << message << "\nRun pelmora-web --help for more information.\n";
    return UsageFailure;
}

// CLI11's messages may run over several lines; a usage error is one.
std::string OneLine(std::string text) {
    std::ranges::replace(text, '\n', ' ');
    return text;
}

// Every connection is a descriptor: as many as the system lets this process have.
void RaiseDescriptorLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

// Qt looks for a sandbox's marker in the user's runtime folder as it starts, and
// without XDG_RUNTIME_DIR it makes one under the temporary folder and warns. The
// server has no use for it: while Qt starts it is pointed at a temporary folder
// that cannot exist, and its complaints about that are not shown.
class NoRuntimeFolder {
public:
    NoRuntimeFolder() : active_(qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        if (!active_)
            return;
        if (qEnvironmentVariableIsSet("TMPDIR"))
            temporary_ = qgetenv("TMPDIR");
        qputenv("TMPDIR", "/proc/nonexistent");
        previous_ = qInstallMessageHandler(&Filter);
    }
    ~NoRuntimeFolder() {
        if (!active_)
            return;
        qInstallMessageHandler(previous_);
        temporary_ ? qputenv("TMPDIR", *temporary_) : qunsetenv("TMPDIR");
    }
    NoRuntimeFolder(const NoRuntimeFolder&) = delete;
    NoRuntimeFolder& operator=(const NoRuntimeFolder&) = delete;

private:
    static void Filter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.startsWith("QStandardPaths:"))
            previous_(type, context, text);
    }

    bool active_;
    std::optional<QByteArray> temporary_;
    static inline QtMessageHandler previous_ = nullptr;
};

} // namespace

int main(int argc, char* argv[]) {
    // Each worker would otherwise keep an allocator arena of its own, and with it
    // the memory of the largest answer it ever made.
    mallopt(M_ARENA_MAX, 2);

    CLI::App line{"Serves the Pelmora 38 configurator to a browser and its JSON API.",
                  "pelmora-web"};
    std::optional<std::string> appDir;
    std::string listen = "127.0.0.1:8038";
    pelmora::WebOptions options;
    bool quiet = false;
    line.add_option("--app-dir", appDir, "The folder holding Data/ and Images/")->type_name("DIR");
    line.add_option("--listen", listen,
                    "Address and port (default 127.0.0.1:8038; port 0: any free port; an IPv6 "
                    "address in brackets: [::1]:8038)")
        ->type_name("HOST:PORT");
    line.add_option("--allow-host", options.Hosts,
                    "Answer only requests for this host name (repeatable); use it whenever "
                    "listening beyond loopback")
        ->type_name("NAME");
    line.add_flag("--instance-header", options.Instance,
                  "Name the instance (HOST:PORT) in the header X-Pelmora-Instance");
    line.add_flag("--quiet", quiet, "Log only the requests the server failed to answer");
    line.set_version_flag("--version", "pelmora-web " PELMORA_VERSION);
    try {
        line.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << line.help();
        return 0;
    } catch (const CLI::CallForVersion&) {
        std::cout << line.version() << '\n';
        return 0;
    } catch (const CLI::ParseError& error) {
        return UsageError(OneLine(error.what()));
    }
    const auto address = pelmora::web::ParseListenAddress(listen);
    if (!address)
        return UsageError("--listen takes HOST:PORT, not " + listen);
    if (appDir && !std::filesystem::is_directory(*appDir))
        return UsageError("no such folder " + *appDir);
    for (std::string& host : options.Hosts)
        host = pelmora::web::HostName(host);
    options.Log = quiet ? pelmora::RequestLog::Failures : pelmora::RequestLog::All;

    pelmora::AppState app;
    if (appDir)
        app.SetFolders(*appDir);
    else
        app.Locate(ProgramFolder(), pelmora::UserFolders::FromEnvironment());
    if (!app.HoldsCatalogue()) {
        std::cerr << "pelmora-web: no catalogue in " << app.DataDir << '\n';
        return 1;
    }

    // SIGTERM and SIGINT wait for a thread of their own, which stops the server
    // outside any signal handler; blocked before the first thread starts, so that
    // every thread inherits the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    RaiseDescriptorLimit();

    // The specification sheets are drawn with Qt's fonts, without any display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::optional<NoRuntimeFolder> noRuntimeFolder(std::in_place);
    QGuiApplication application(argc, argv);
    noRuntimeFolder.reset();
    Q_INIT_RESOURCE(pelmora);

    pelmora::WebServer server(ProgramFolder(), appDir, options);
    const int bound = server.Bind(address->Host, address->Port);
    if (bound < 0) {
        std::cerr << "pelmora-web: cannot listen on " << listen << ": " << server.BindError()
                  << '\n';
        return 1;
    }
    std::thread stopper([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        server.Stop();
    });
    std::cerr << "pelmora-web: serving http://" << address->Authority(bound) << "/" << std::endl;
    const bool served = server.Serve();
    if (!served)
        pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    return served ? 0 : 1;
}
