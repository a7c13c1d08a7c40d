#include "Routes.h"

#include "Commands.h"
#include "PriceBook.h"
#include "SheetAnswer.h"
#include "SheetPdf.h"
#include "Utf8.h"
#include "WebSession.h"
#include "catalogue/AppState.h"
#include "catalogue/FileSystem.h"
#include "catalogue/TxtTable.h"
#include "order/BillOfMaterials.h"
#include "order/OrderFiles.h"
#include "order/OrderList.h"
#include "print/PrintedPages.h"
#include "wizard/MainForm.h"

#include <map>
#include <nlohmann/json.hpp>

namespace pelmora::web {

namespace {

using nlohmann::json;

// As `pelmora-cli --json --compact` prints it, or indented as without --compact.
// A document already written goes into the answer as it is, not copied.
void SendJson(Response& response, service::Reply reply, bool pretty) {
    response.ContentType = "application/json; charset=utf-8";
    response.Body =
        pretty || reply.Json.empty() ? reply.DocumentText(pretty) : std::move(reply.Json);
    response.Body += '\n';
}

std::vector<std::string> Values(const Request& request, const char* name) {
    return QueryValues(request, name, MaxText);
}

std::optional<std::string> OptionalValue(const Request& request, const char* name) {
    const std::vector<std::string> values = Values(request, name);
    if (values.size() > 1)
        throw HttpError{400, std::string("give one ") + name};
    return values.empty() ? std::nullopt : std::optional(values.front());
}

std::string Value(const Request& request, const char* name) {
    const auto value = OptionalValue(request, name);
    if (!value)
        throw HttpError{400, std::string("give one ") + name};
    return *value;
}

// The page needs no indentation; a person reading the answer may ask for it.
bool Pretty(const Request& request) {
    return OptionalValue(request, "pretty").value_or("0") != "0";
}

// The actions of a walk, bounded as the state's.
std::vector<std::string> Actions(const Request& request) {
    std::vector<std::string> actions = Values(request, "a");
    if (actions.size() > MaxActions)
        throw HttpError{400, "at most " + std::to_string(MaxActions) + " actions"};
    return actions;
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

const char* PageType(const std::string& name) {
    if (name.ends_with(".js"))
        return "text/javascript; charset=utf-8";
    if (name.ends_with(".css"))
        return "text/css; charset=utf-8";
    return "text/html; charset=utf-8";
}

// Only pictures: anything else in the folder is not served, whatever its name.
const char* ImageType(const std::string& name) {
    const std::string extension = name.substr(std::min(name.rfind('.'), name.size()));
    std::string lower;
    for (const char c : extension)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == ".gif")
        return "image/gif";
    if (lower == ".bmp")
        return "image/bmp";
    if (lower == ".png")
        return "image/png";
    if (lower == ".jpg" || lower == ".jpeg")
        return "image/jpeg";
    return nullptr;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// Every answer of the API is a command of the service, run on a wizard of its
// own: the same document the command line prints with --json.
void Answer(const Served& served, const Request& request, Response& response,
            const std::function<service::Reply(service::Session&)>& command) {
    WebSession session(served.ProgramFolder, served.AppDir, *served.Cache);
    SendJson(response, command(session), Pretty(request));
}

void State(const Served& served, const Request& request, Response& response) {
    const std::vector<std::string> actions = Values(request, "a");
    const bool steps = !Values(request, "steps").empty();
    Answer(served, request, response, [&](service::Session& session) {
        // No action at all is the wizard as it starts; a link holding too many
        // opens the state after the first of them, with a message.
        return service::WalkAtMost(session,
                                   actions.empty() ? std::vector<std::string>{"back"} : actions,
                                   steps, MaxActions);
    });
}

void Describe(const Served& served, const Request& request, Response& response) {
    const std::string part = Value(request, "part");
    Answer(served, request, response,
           [&](service::Session& session) { return service::Describe(session, part); });
}

void Quote(const Served& served, const Request& request, Response& response) {
    const std::vector<std::string> parts = Values(request, "part");
    if (parts.empty() || parts.size() > MaxActions)
        throw HttpError{400, "give 1 to " + std::to_string(MaxActions) + " part numbers"};
    const std::optional<std::string> quantity = OptionalValue(request, "qty");
    Answer(served, request, response,
           [&](service::Session& session) { return service::Quote(session, parts, quantity); });
}

// The price book of one family, or of one of its sizes, made as it is sent: the
// parameters are bounded as everywhere, the answer by the family.
void Parts(const Served& served, const Request& request, Response& response) {
    service::PriceBookRequest book;
    book.Filter.Family = service::FromUtf8(Value(request, "family"));
    book.Filter.Waveguide = service::FromUtf8(OptionalValue(request, "waveguide").value_or(""));
    const std::string format = OptionalValue(request, "format").value_or("csv");
    const auto parsed = service::ParseBookFormat(format);
    if (!parsed)
        throw HttpError{400, "format is tsv, csv or jsonl"};
    book.Format = *parsed;
    const std::string quantity = OptionalValue(request, "qty").value_or("1");
    const auto count = ParseQuantity(quantity);
    if (!count)
        throw HttpError{400, "qty is a whole number from 1 to 99999"};
    book.Quantity = *count;
    const WebSession session(served.ProgramFolder, served.AppDir, *served.Cache);
    const AppState app = session.App;
    response.ContentType = BookType(book.Format);
    response.SetHeader("Content-Disposition", Disposition("attachment", "price-list." + format));
    response.Stream = [app, book](const Sink& sink) {
        try {
            service::WritePriceBook(app, book, [&](std::string_view bytes) {
                if (!sink(bytes))
                    throw Disconnected{};
            });
        } catch (...) {
            return false;
        }
        return true;
    };
}

void Convert(const Served& served, const Request& request, Response& response) {
    const std::string old = Value(request, "old");
    Answer(served, request, response,
           [&](service::Session& session) { return service::Convert(session, old); });
}

// A page of another site can make a browser post text and form bodies without
// asking the server first; an order must come with another type.
void RefuseCrossSiteTypes(const Request& request) {
    std::string type = request.Header("Content-Type").value_or("");
    type = type.substr(0, type.find(';'));
    std::erase_if(type, [](char c) { return c == ' ' || c == '\t'; });
    std::ranges::transform(type, type.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (type.empty() || type == "text/plain" || type == "application/x-www-form-urlencoded" ||
        type == "multipart/form-data")
        throw HttpError{415, "send the order as Content-Type: application/octet-stream"};
}

void Order(const Served& served, const Request& request, Response& response) {
    RefuseCrossSiteTypes(request);
    const std::string format = OptionalValue(request, "format").value_or("json");
    const std::map<std::string, OrderFileKind> files = {
        {"xls", SpreadsheetFile}, {"txt", TextFile}, {"xml", XmlFile}};
    if (format != "json" && format != "bom" && format != "pdf" && !files.contains(format))
        throw HttpError{400, "format is json, xls, txt, xml, bom or pdf"};
    WebSession session(served.ProgramFolder, served.AppDir, *served.Cache);
    const service::Order order = service::MakeOrder(session, request.Body, "order");
    if (format == "json")
        return SendJson(response, service::OrderReply(session, order), Pretty(request));
    // A file holds no messages: they go with it, for a client that shows them.
    service::TellLostCharacters(session, order, format);
    if (!session.Platform.Log.empty())
        response.SetHeader("X-Order-Messages", session.Messages().dump(-1, ' ', true));
    response.Body =
        format == "pdf" ? PrintedOrderPdf(order.Lines).toStdString()
        : format == "bom"
            ? Joined(BillOfMaterialsLines(order.Lines, session.App.Tables(session.Platform)))
            : Joined(OrderFileLines(order.Lines, files.at(format), order.Wide));
    const std::string name = format == "bom" ? "pelmora38.lom" : "order." + format;
    response.SetHeader("Content-Disposition", Disposition("attachment", name));
    response.ContentType = format == "pdf" ? "application/pdf" : "application/octet-stream";
}

void Sheet(const Served& served, const Request& request, Response& response) {
    WebSession session(served.ProgramFolder, served.AppDir, *served.Cache);
    SheetAnswer(session, Actions(request), OptionalValue(request, "part"), response);
}

void Image(const Served& served, const Request& request, Response& response) {
    const std::string& name = request.Rest;
    const char* type = ImageType(name);
    const auto file = type ? FileInFolder(served.ImagesFolder, name) : std::nullopt;
    if (!file)
        throw HttpError{404, "no picture " + name};
    response.ContentType = type;
    response.Body = ReadWholeFile(*file);
}

// The page's own files: lower-case names of HTML, script and style sheets.
bool IsPageName(const std::string& name) {
    const size_t dot = name.find('.');
    const std::string stem = name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    return !stem.empty() &&
           std::ranges::all_of(stem, [](char c) { return c >= 'a' && c <= 'z'; }) &&
           (extension == ".html" || extension == ".js" || extension == ".css");
}

void Page(const Served& served, const Request& request, Response& response) {
    const std::string name = request.Rest.empty() ? "index.html" : request.Rest;
    const auto file = IsPageName(name) ? FileInFolder(served.PageFolder, name) : std::nullopt;
    if (!file)
        throw HttpError{404, "no page " + name};
    response.SetHeader("Cache-Control", "no-cache");
    response.ContentType = PageType(name);
    response.Body = ReadWholeFile(*file);
}

} // namespace

std::vector<Route> Routes(const Served& served) {
    auto with = [&served](void (*handle)(const Served&, const Request&, Response&)) {
        return [&served, handle](const Request& request, Response& response) {
            handle(served, request, response);
        };
    };
    return {
        {"GET", "/api/state", with(State)},
        {"GET", "/api/describe", with(Describe)},
        {"GET", "/api/quote", with(Quote)},
        {"GET", "/api/parts", with(Parts)},
        {"GET", "/api/convert", with(Convert)},
        {"POST", "/api/order", with(Order)},
        {"GET", "/api/sheet.pdf", with(Sheet)},
        {"GET", "/images/", with(Image)},
        {"GET", "/", with(Page)},
    };
}

} // namespace pelmora::web
