#include "WebServer.h"

#include "LogLine.h"
#include "catalogue/AppState.h"

#include <iostream>
#include <mutex>

namespace pelmora {

WebServer::WebServer(std::string programFolder, std::optional<std::string> appDir,
                     WebOptions options)
    : options_(std::move(options)) {
    folders_.ProgramFolder = std::move(programFolder);
    folders_.AppDir = std::move(appDir);
    folders_.Cache = &cache_;
    AppState app;
    if (folders_.AppDir)
        app.SetFolders(*folders_.AppDir);
    else
        app.Locate(folders_.ProgramFolder, UserFolders::FromEnvironment());
    folders_.ImagesFolder = app.ImagesDir;
    // The page belongs to the program, wherever its catalogue comes from.
    AppState program;
    program.Locate(folders_.ProgramFolder, UserFolders::FromEnvironment());
    folders_.PageFolder = program.AppDir + "web/";
    routes_ = web::Routes(folders_);
    policy_.Hosts = options_.Hosts;
    options_.Limits.BodyBytes = web::MaxBody;
    server_ = std::make_unique<web::HttpServer>(
        [this](web::Request request) {
            return web::Answered(routes_, policy_, std::move(request));
        },
        [this](const web::LogEntry& entry) { Log(entry); }, options_.Limits);
}

WebServer::~WebServer() = default;

int WebServer::Bind(const std::string& host, int port) {
    const int bound = server_->Listen(host, port, bindError_);
    if (bound > 0 && options_.Instance) {
        const std::string shown = host.find(':') == std::string::npos ? host : "[" + host + "]";
        policy_.Instance = shown + ":" + std::to_string(bound);
    }
    return bound;
}

bool WebServer::Serve() {
    return server_->Serve();
}

void WebServer::Stop() {
    server_->Stop();
}

void WebServer::Log(const web::LogEntry& entry) const {
    if (options_.Log == RequestLog::Off ||
        (options_.Log == RequestLog::Failures && entry.Status < 500))
        return;
    // One write a line: lines of requests answered at once never interleave.
    static std::mutex writing;
    const std::string line = web::LogLine(entry) + "\n";
    const std::lock_guard lock(writing);
    std::cerr.write(line.data(), static_cast<std::streamsize>(line.size())).flush();
}

} // namespace pelmora
