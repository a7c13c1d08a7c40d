#include "WebServer.h"

#include "Commands.h"
#include "PriceBook.h"
#include "SheetAnswer.h"
#include "SheetPdf.h"
#include "Utf8.h"
#include "WebSession.h"
#include "catalogue/AppState.h"
#include "catalogue/Errors.h"
#include "catalogue/FileSystem.h"
#include "catalogue/TxtTable.h"
#include "order/BillOfMaterials.h"
#include "order/OrderFiles.h"
#include "order/OrderList.h"
#include "print/PrintedPages.h"
#include "wizard/MainForm.h"

#include <httplib.h>
#include <nlohmann/json.hpp>
#include <thread>

namespace pelmora {

namespace {

using nlohmann::json;

// A request that cannot be answered as asked: a 4xx status and its message.
struct BadRequest {
    int Status;
    std::string Message;
};

// As `pelmora-cli --json --compact` prints it, or indented as without --compact.
void SendJson(httplib::Response& response, const service::Reply& reply, bool pretty) {
    response.set_content(reply.DocumentText(pretty) + "\n", "application/json; charset=utf-8");
}

// The message may quote the request, which need not be UTF-8.
void SendError(httplib::Response& response, int status, const std::string& message) {
    response.status = status;
    response.set_content(json{{"error", message}, {"status", status}}.dump(
                             2, ' ', false, json::error_handler_t::replace) +
                             "\n",
                         "application/json; charset=utf-8");
}

// Every value of a query parameter, in the order given, read from the request line:
// the library's own parameters keep a repeated name=value pair only once, and the
// same action done twice is another walk.
std::vector<std::string> Values(const httplib::Request& request, const char* name) {
    std::vector<std::string> values;
    const size_t question = request.target.find('?');
    if (question == std::string::npos)
        return values;
    std::string_view query(request.target);
    query.remove_prefix(question + 1);
    while (!query.empty()) {
        const std::string_view pair = query.substr(0, query.find('&'));
        query.remove_prefix(std::min(pair.size() + 1, query.size()));
        const std::string_view key = pair.substr(0, pair.find('='));
        if (httplib::detail::decode_url(std::string(key), true) != name)
            continue;
        std::string value = httplib::detail::decode_url(
            std::string(pair.substr(std::min(key.size() + 1, pair.size()))), true);
        if (value.size() > WebServer::MaxText)
            throw BadRequest{400, std::string(name) + " is longer than " +
                                      std::to_string(WebServer::MaxText) + " characters"};
        values.push_back(std::move(value));
    }
    return values;
}

std::optional<std::string> OptionalValue(const httplib::Request& request, const char* name) {
    const std::vector<std::string> values = Values(request, name);
    if (values.size() > 1)
        throw BadRequest{400, std::string("give one ") + name};
    return values.empty() ? std::nullopt : std::optional(values.front());
}

std::string Value(const httplib::Request& request, const char* name) {
    const auto value = OptionalValue(request, name);
    if (!value)
        throw BadRequest{400, std::string("give one ") + name};
    return *value;
}

void Send(httplib::Response& response, const WebAnswer& answer) {
    response.status = answer.Status;
    for (const auto& [name, value] : answer.Headers)
        response.set_header(name, value);
    response.set_content(answer.Body, answer.ContentType);
}

// The actions of a walk, bounded as the state's.
std::vector<std::string> Actions(const httplib::Request& request) {
    std::vector<std::string> actions = Values(request, "a");
    if (actions.size() > WebServer::MaxActions)
        throw BadRequest{400, "at most " + std::to_string(WebServer::MaxActions) + " actions"};
    return actions;
}

// The page needs no indentation; a person reading the answer may ask for it.
bool Pretty(const httplib::Request& request) {
    return OptionalValue(request, "pretty").value_or("0") != "0";
}

const char* BookType(service::BookFormat format) {
    switch (format) {
    case service::BookFormat::Csv:
        return "text/csv; charset=utf-8";
    case service::BookFormat::Jsonl:
        return "application/x-ndjson; charset=utf-8";
    case service::BookFormat::Tsv:
        break;
    }
    return "text/tab-separated-values; charset=utf-8";
}

// The client went away while the price book was streamed.
struct Disconnected {};

const char* MimeType(const std::string& name) {
    const std::string extension = name.substr(std::min(name.rfind('.'), name.size()));
    if (extension == ".gif" || extension == ".GIF")
        return "image/gif";
    if (extension == ".bmp" || extension == ".BMP")
        return "image/bmp";
    if (extension == ".png")
        return "image/png";
    if (extension == ".js")
        return "text/javascript; charset=utf-8";
    if (extension == ".css")
        return "text/css; charset=utf-8";
    if (extension == ".html")
        return "text/html; charset=utf-8";
    return "application/octet-stream";
}

std::string BodyTooLong() {
    return "the body is longer than " + std::to_string(WebServer::MaxBody) + " bytes";
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

} // namespace

WebServer::WebServer(std::string programFolder, std::optional<std::string> appDir)
    : programFolder_(std::move(programFolder)), appDir_(std::move(appDir)),
      server_(std::make_unique<httplib::Server>()) {
    AppState app;
    if (appDir_)
        app.SetFolders(*appDir_);
    else
        app.Locate(programFolder_, UserFolders::FromEnvironment());
    imagesFolder_ = app.ImagesDir;
    // The page belongs to the program, wherever its catalogue comes from.
    AppState program;
    program.Locate(programFolder_, UserFolders::FromEnvironment());
    pageFolder_ = program.AppDir + "web/";
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
    // A thread serves one keep-alive connection at a time: with httplib's eight, a
    // ninth browser or proxy connection waits for a free thread, so each request
    // waits in a queue. Threads that mostly wait on their sockets are cheap.
    server.new_task_queue = [] { return new httplib::ThreadPool(WorkerThreads); };
    server.set_keep_alive_max_count(1000);
    // An answer goes out in two writes, header and body; with Nagle's algorithm the
    // second waits for the client's delayed acknowledgement, some 40 ms.
    server.set_tcp_nodelay(true);

    // Every answer of the API is a command of the service, run on a wizard of its
    // own: the same document the command line prints with --json.
    auto answer = [this](const httplib::Request& request, httplib::Response& response,
                         const std::function<service::Reply(service::Session&)>& command) {
        WebSession session(programFolder_, appDir_, cache_);
        SendJson(response, command(session), Pretty(request));
    };
    auto guarded = [](const httplib::Server::Handler& handler) {
        return [handler](const httplib::Request& request, httplib::Response& response) {
            // A request sees one version of every table, however the catalogue
            // changes meanwhile.
            const TableScope tables;
            try {
                handler(request, response);
            } catch (const BadRequest& bad) {
                SendError(response, bad.Status, bad.Message);
            } catch (const service::RequestError& error) {
                SendError(response, 400, error.what());
            } catch (const std::exception& error) {
                SendError(response, 422, error.what());
            }
        };
    };

    server.Get("/api/state",
               guarded([answer](const httplib::Request& request, httplib::Response& response) {
                   const std::vector<std::string> actions = Values(request, "a");
                   const bool steps = !Values(request, "steps").empty();
                   answer(request, response, [&](service::Session& session) {
                       // No action at all is the wizard as it starts.
                       return service::WalkAtMost(
                           session, actions.empty() ? std::vector<std::string>{"back"} : actions,
                           steps, MaxActions);
                   });
               }));
    server.Get("/api/describe",
               guarded([answer](const httplib::Request& request, httplib::Response& response) {
                   const std::string part = Value(request, "part");
                   answer(request, response, [&](service::Session& session) {
                       return service::Describe(session, part);
                   });
               }));
    server.Get(
        "/api/quote",
        guarded([answer](const httplib::Request& request, httplib::Response& response) {
            const std::vector<std::string> parts = Values(request, "part");
            if (parts.empty() || parts.size() > MaxActions)
                throw BadRequest{400, "give 1 to " + std::to_string(MaxActions) + " part numbers"};
            const std::optional<std::string> quantity = OptionalValue(request, "qty");
            answer(request, response, [&](service::Session& session) {
                return service::Quote(session, parts, quantity);
            });
        }));
    // The price book of one family, or of one of its sizes, streamed in chunks as it
    // is made: the parameters are bounded as everywhere, the answer by the family.
    server.Get("/api/parts",
               guarded([this](const httplib::Request& request, httplib::Response& response) {
                   service::PriceBookRequest book;
                   book.Filter.Family = service::FromUtf8(Value(request, "family"));
                   book.Filter.Waveguide =
                       service::FromUtf8(OptionalValue(request, "waveguide").value_or(""));
                   const std::string format = OptionalValue(request, "format").value_or("csv");
                   const auto parsed = service::ParseBookFormat(format);
                   if (!parsed)
                       throw BadRequest{400, "format is tsv, csv or jsonl"};
                   book.Format = *parsed;
                   const std::string quantity = OptionalValue(request, "qty").value_or("1");
                   const auto count = ParseQuantity(quantity);
                   if (!count)
                       throw BadRequest{400, "qty is a whole number from 1 to 99999"};
                   book.Quantity = *count;
                   const WebSession session(programFolder_, appDir_, cache_);
                   const AppState app = session.App;
                   response.set_header("Content-Disposition",
                                       "attachment; filename=\"price-list." + format + "\"");
                   response.set_chunked_content_provider(
                       BookType(book.Format), [app, book](size_t, httplib::DataSink& sink) {
                           // An answer cut short ends without its last chunk, so that
                           // the client sees it was not whole.
                           try {
                               service::WritePriceBook(app, book, [&](std::string_view bytes) {
                                   if (!sink.write(bytes.data(), bytes.size()))
                                       throw Disconnected{};
                               });
                           } catch (...) {
                               return false;
                           }
                           sink.done();
                           return true;
                       });
               }));
    server.Get("/api/convert",
               guarded([answer](const httplib::Request& request, httplib::Response& response) {
                   const std::string old = Value(request, "old");
                   answer(request, response, [&](service::Session& session) {
                       return service::Convert(session, old);
                   });
               }));
    // The body is read here rather than by httplib, which bounds a body of a
    // stated length but not one sent in chunks.
    server.Post("/api/order", [this, guarded](const httplib::Request& request,
                                              httplib::Response& response,
                                              const httplib::ContentReader& reader) {
        std::string body;
        bool tooLong = false;
        const bool read = reader([&](const char* data, size_t length) {
            // Past the limit the body is read on and dropped, as httplib drops a
            // body whose stated length is too large: the connection stays usable.
            tooLong = tooLong || body.size() + length > MaxBody;
            if (!tooLong)
                body.append(data, length);
            return true;
        });
        if (tooLong || response.status == 413)
            return SendError(response, 413, BodyTooLong());
        if (!read)
            return SendError(response, 400, "the body cannot be read");
        guarded([this, &body](const httplib::Request& request, httplib::Response& response) {
            const std::string format = OptionalValue(request, "format").value_or("json");
            const std::map<std::string, OrderFileKind> files = {
                {"xls", SpreadsheetFile}, {"txt", TextFile}, {"xml", XmlFile}};
            if (format != "json" && format != "bom" && format != "pdf" && !files.contains(format))
                throw BadRequest{400, "format is json, xls, txt, xml, bom or pdf"};
            WebSession session(programFolder_, appDir_, cache_);
            const service::Order order = service::MakeOrder(session, body, "order");
            if (format == "json")
                return SendJson(response, service::OrderReply(session, order), Pretty(request));
            // A file holds no messages: they go with it, for a client that shows them.
            service::TellLostCharacters(session, order, format);
            if (!session.Platform.Log.empty())
                response.set_header("X-Order-Messages", session.Messages().dump(-1, ' ', true));
            const std::string bytes =
                format == "pdf" ? PrintedOrderPdf(order.Lines).toStdString()
                : format == "bom"
                    ? Joined(
                          BillOfMaterialsLines(order.Lines, session.App.Tables(session.Platform)))
                    : Joined(OrderFileLines(order.Lines, files.at(format), order.Wide));
            const std::string name = format == "bom" ? "pelmora38.lom" : "order." + format;
            response.set_header("Content-Disposition", "attachment; filename=\"" + name + "\"");
            response.set_content(bytes,
                                 format == "pdf" ? "application/pdf" : "application/octet-stream");
        })(request, response);
    });
    server.Get("/api/sheet.pdf",
               guarded([this](const httplib::Request& request, httplib::Response& response) {
                   WebSession session(programFolder_, appDir_, cache_);
                   Send(response,
                        SheetAnswer(session, Actions(request), OptionalValue(request, "part")));
               }));
    server.Get(R"(/images/([^/]+))",
               guarded([this](const httplib::Request& request, httplib::Response& response) {
                   const std::string name = request.matches[1];
                   const auto file = FileInFolder(imagesFolder_, name);
                   if (!file)
                       throw BadRequest{404, "no picture " + name};
                   response.set_content(ReadWholeFile(*file), MimeType(*file));
               }));
    server.Get(R"(/([a-z]+\.(html|js|css))?)",
               guarded([this](const httplib::Request& request, httplib::Response& response) {
                   const std::string name =
                       request.matches[1].str().empty() ? "index.html" : request.matches[1].str();
                   const auto file = FileInFolder(pageFolder_, name);
                   if (!file)
                       throw BadRequest{404, "no page " + name};
                   response.set_header("Cache-Control", "no-cache");
                   response.set_content(ReadWholeFile(*file), MimeType(name));
               }));
    // What httplib itself refuses, before any route: a JSON document as well.
    server.set_error_handler([](const httplib::Request& request, httplib::Response& response) {
        if (!response.body.empty())
            return;
        switch (response.status) {
        case 404:
            return SendError(response, 404, "nothing at " + request.method + " " + request.path);
        case 413:
            return SendError(response, 413, BodyTooLong());
        case 414:
            return SendError(response, 414,
                             "the address is longer than " +
                                 std::to_string(CPPHTTPLIB_REQUEST_URI_MAX_LENGTH) + " bytes");
        case 400:
            return SendError(response, 400, "the request is malformed");
        default:
            return SendError(response, response.status, "the request cannot be served");
        }
    });
}

} // namespace pelmora
