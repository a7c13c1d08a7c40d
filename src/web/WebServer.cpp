#include "WebServer.h"

#include "Cli.h"
#include "SheetPdf.h"
#include "Utf8.h"
#include "WizardReport.h"
#include "catalogue/AppState.h"
#include "catalogue/Errors.h"
#include "catalogue/FileSystem.h"
#include "catalogue/TxtTable.h"
#include "order/BillOfMaterials.h"
#include "order/OrderFiles.h"
#include "print/PrintedPages.h"
#include "wizard/MainForm.h"

#include <httplib.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace pelmora {

namespace {

using nlohmann::json;

// A request that cannot be answered as asked: a 4xx status and its message.
struct BadRequest {
    int Status;
    std::string Message;
};

void SendJson(httplib::Response& response, const json& document, int status = 200) {
    response.status = status;
    response.set_content(document.dump(2) + "\n", "application/json; charset=utf-8");
}

void SendError(httplib::Response& response, int status, const std::string& message) {
    SendJson(response, json{{"error", message}, {"status", status}}, status);
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

std::string Value(const httplib::Request& request, const char* name) {
    const std::vector<std::string> values = Values(request, name);
    if (values.size() != 1)
        throw BadRequest{400, std::string("give one ") + name};
    return values.front();
}

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

bool WebServer::Listen(const std::string& host, int port) {
    return server_->listen(host, port);
}

void WebServer::Stop() {
    server_->stop();
}

void WebServer::Route() {
    httplib::Server& server = *server_;
    server.set_payload_max_length(MaxBody);
    server.set_read_timeout(10);
    server.set_write_timeout(10);

    // Every answer of the API comes from the command line's own commands, run in
    // this process on a wizard of their own: the same bytes the command line prints.
    auto answer = [this](httplib::Response& response,
                         const std::function<int(cli::Cli&)>& command) {
        std::ostringstream out;
        std::ostringstream errors;
        cli::Cli cli(programFolder_, appDir_, true, out, errors, &cache_);
        command(cli);
        response.set_content(out.str(), "application/json; charset=utf-8");
    };
    auto guarded = [](const httplib::Server::Handler& handler) {
        return [handler](const httplib::Request& request, httplib::Response& response) {
            try {
                handler(request, response);
            } catch (const BadRequest& bad) {
                SendError(response, bad.Status, bad.Message);
            } catch (const cli::UsageError& error) {
                SendError(response, 400, error.what());
            } catch (const std::exception& error) {
                SendError(response, 422, error.what());
            }
        };
    };

    server.Get("/api/state",
               guarded([answer](const httplib::Request& request, httplib::Response& response) {
                   const std::vector<std::string> actions = Values(request, "a");
                   if (actions.size() > MaxActions)
                       throw BadRequest{400, "at most " + std::to_string(MaxActions) + " actions"};
                   const bool steps = request.has_param("steps");
                   answer(response, [&](cli::Cli& cli) {
                       // No action at all is the wizard as it starts.
                       return cli::Walk(
                           cli, actions.empty() ? std::vector<std::string>{"back"} : actions,
                           std::nullopt, steps);
                   });
               }));
    server.Get("/api/describe",
               guarded([answer](const httplib::Request& request, httplib::Response& response) {
                   const std::string part = Value(request, "part");
                   answer(response, [&](cli::Cli& cli) { return cli::Describe(cli, part); });
               }));
    server.Get(
        "/api/quote",
        guarded([answer](const httplib::Request& request, httplib::Response& response) {
            const std::vector<std::string> parts = Values(request, "part");
            if (parts.empty() || parts.size() > MaxActions)
                throw BadRequest{400, "give 1 to " + std::to_string(MaxActions) + " part numbers"};
            const std::optional<std::string> quantity =
                request.has_param("qty") ? std::optional(Value(request, "qty")) : std::nullopt;
            answer(response, [&](cli::Cli& cli) { return cli::Quote(cli, parts, quantity); });
        }));
    server.Get("/api/convert",
               guarded([answer](const httplib::Request& request, httplib::Response& response) {
                   const std::string old = Value(request, "old");
                   answer(response, [&](cli::Cli& cli) { return cli::Convert(cli, old); });
               }));
    server.Post(
        "/api/order", guarded([this](const httplib::Request& request, httplib::Response& response) {
            const std::string format =
                request.has_param("format") ? Value(request, "format") : std::string("json");
            std::ostringstream out;
            std::ostringstream errors;
            cli::Cli cli(programFolder_, appDir_, true, out, errors, &cache_);
            TTxtTable lines;
            json skipped;
            cli::MakeOrder(cli, request.body, "order", lines, skipped);
            const std::map<std::string, OrderFileKind> files = {
                {"xls", SpreadsheetFile}, {"txt", TextFile}, {"xml", XmlFile}};
            if (format == "json") {
                json document = cli::OrderJson(lines, skipped);
                document["messages"] = cli.Messages();
                return SendJson(response, document);
            }
            std::string bytes;
            if (const auto kind = files.find(format); kind != files.end())
                bytes = Joined(OrderFileLines(lines, kind->second));
            else if (format == "bom")
                bytes = Joined(BillOfMaterialsLines(lines, cli.App.Tables(cli.Platform)));
            else
                throw BadRequest{400, "format is json, xls, txt, xml or bom"};
            const std::string name = format == "bom" ? "pelmora38.lom" : "order." + format;
            response.set_header("Content-Disposition", "attachment; filename=\"" + name + "\"");
            response.set_content(bytes, "application/octet-stream");
        }));
    server.Get("/api/sheet.pdf",
               guarded([this](const httplib::Request& request, httplib::Response& response) {
                   const std::string part = Value(request, "part");
                   std::ostringstream out;
                   std::ostringstream errors;
                   cli::Cli cli(programFolder_, appDir_, true, out, errors, &cache_);
                   auto form = cli::StartWizard(cli);
                   form->ApplyPartNumber(view::FromUtf8(part));
                   if (form->Family() != pfUnknown)
                       form->btnCreateClick();
                   if (!form->btnViewSpecsEnabled)
                       throw BadRequest{404, "no specification sheet for \"" + part + "\""};
                   TTxtTable rows;
                   form->CollectSpecRows(rows);
                   const QByteArray pdf =
                       SpecificationSheetPdf(cli.App.ImagesDir, form->CollectSpecHeader(), rows);
                   response.set_header("Content-Disposition",
                                       "inline; filename=\"" + view::FromUtf8(part) + ".pdf\"");
                   response.set_content(pdf.toStdString(), "application/pdf");
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
    server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.body.empty())
            SendError(response, response.status,
                      response.status == 404 ? "no such address" : "the request cannot be served");
    });
}

} // namespace pelmora
