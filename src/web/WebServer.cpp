#include "WebServer.h"

#include "catalogue/AppState.h"

#include <httplib.h>
#include <thread>

namespace pelmora {

namespace {

std::string BodyTooLong() {
    return "the body is longer than " + std::to_string(web::MaxBody) + " bytes";
}

} // namespace

WebServer::WebServer(std::string programFolder, std::optional<std::string> appDir)
    : server_(std::make_unique<httplib::Server>()) {
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
    Route();
}

WebServer::~WebServer() = default;

int WebServer::Bind(const std::string& host, int port) {
    const int bound = port == 0                           ? server_->bind_to_any_port(host)
                      : server_->bind_to_port(host, port) ? port
                                                          : -1;
    // Debian's httplib listens with a backlog of 5: fifty browsers connecting at
    // once would see most connections dropped and retried a second later. Listening
    // again on the same socket only raises the backlog.
    if (bound > 0) {
        ::listen(listening_, SOMAXCONN);
        server_->set_default_headers({{"X-Pelmora-Instance", host + ":" + std::to_string(bound)}});
    }
    return bound;
}

bool WebServer::Serve() {
    serving_ = true;
    const bool served = stopping_ || server_->listen_after_bind();
    served_ = true;
    return served;
}

void WebServer::Stop() {
    stopping_ = true;
    while (serving_ && !served_ && !server_->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (server_->is_running() && !stopped_.exchange(true))
        server_->stop();
}

void WebServer::Route() {
    routes_ = web::Routes(folders_);
    httplib::Server& server = *server_;
    server.set_payload_max_length(MaxBody);
    // httplib's default adds SO_REUSEPORT, with which a second server on the same
    // port would silently share its requests with the first.
    server.set_socket_options([this](socket_t socket) {
        const int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        listening_ = socket;
    });
    server.set_read_timeout(10);
    server.set_write_timeout(10);
    server.new_task_queue = [] { return new httplib::ThreadPool(WorkerThreads); };
    server.set_keep_alive_max_count(1000);
    server.set_tcp_nodelay(true);

    auto send = [](const web::Response& answer, httplib::Response& response) {
        response.status = answer.Status;
        for (const auto& [name, value] : answer.Headers)
            response.set_header(name, value);
        if (!answer.Stream)
            return response.set_content(answer.Body, answer.ContentType);
        response.set_chunked_content_provider(
            answer.ContentType, [stream = answer.Stream](size_t, httplib::DataSink& sink) {
                if (stream([&](std::string_view bytes) {
                        return sink.write(bytes.data(), bytes.size());
                    }))
                    sink.done();
                return true;
            });
    };
    auto neutral = [](const httplib::Request& request) {
        web::Request asked;
        asked.Method = request.method;
        asked.Path = request.path;
        const size_t question = request.target.find('?');
        if (question != std::string::npos)
            asked.Query = request.target.substr(question + 1);
        for (const auto& [name, value] : request.headers)
            asked.Headers.emplace_back(name, value);
        asked.Client = request.remote_addr;
        return asked;
    };
    server.Get(".*",
               [this, send, neutral](const httplib::Request& request, httplib::Response& response) {
                   send(web::Dispatch(routes_, neutral(request)), response);
               });
    server.Post(".*",
                [this, send, neutral](const httplib::Request& request, httplib::Response& response,
                                      const httplib::ContentReader& reader) {
                    web::Request asked = neutral(request);
                    bool tooLong = false;
                    const bool read = reader([&](const char* data, size_t length) {
                        tooLong = tooLong || asked.Body.size() + length > MaxBody;
                        if (!tooLong)
                            asked.Body.append(data, length);
                        return true;
                    });
                    if (tooLong || response.status == 413)
                        return send(web::ErrorResponse(413, BodyTooLong()), response);
                    if (!read)
                        return send(web::ErrorResponse(400, "the body cannot be read"), response);
                    send(web::Dispatch(routes_, std::move(asked)), response);
                });
    server.set_error_handler([send](const httplib::Request& request, httplib::Response& response) {
        if (!response.body.empty())
            return;
        switch (response.status) {
        case 404:
            return send(
                web::ErrorResponse(404, "nothing at " + request.method + " " + request.path),
                response);
        case 413:
            return send(web::ErrorResponse(413, BodyTooLong()), response);
        case 414:
            return send(web::ErrorResponse(
                            414, "the address is longer than " +
                                     std::to_string(CPPHTTPLIB_REQUEST_URI_MAX_LENGTH) + " bytes"),
                        response);
        case 400:
            return send(web::ErrorResponse(400, "the request is malformed"), response);
        default:
            return send(web::ErrorResponse(response.status, "the request cannot be served"),
                        response);
        }
    });
}

} // namespace pelmora
