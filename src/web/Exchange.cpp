#include "Exchange.h"

#include "Commands.h"
#include "catalogue/TableSource.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace pelmora::web {

namespace {

bool SameText(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b,
                              [](char x, char y) { return std::tolower(x) == std::tolower(y); });
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The route for the path and whether any route has it under another method.
const Route* Find(const std::vector<Route>& routes, const Request& request, std::string& rest) {
    const Route* found = nullptr;
    for (const Route& route : routes) {
        if (route.Method != request.Method)
            continue;
        if (route.Path == request.Path)
            return &route;
        const bool below = route.Path.ends_with('/') && request.Path.starts_with(route.Path);
        if (below && (!found || route.Path.size() > found->Path.size())) {
            found = &route;
            rest = request.Path.substr(route.Path.size());
        }
    }
    return found;
}

} // namespace

std::optional<std::string> Request::Header(std::string_view name) const {
    for (const auto& [key, value] : Headers) {
        if (SameText(key, name))
            return value;
    }
    return std::nullopt;
}

void Response::SetHeader(std::string name, std::string value) {
    Headers.emplace_back(std::move(name), std::move(value));
}

Response ErrorResponse(int status, const std::string& message) {
    using nlohmann::json;
    Response response;
    response.Status = status;
    response.ContentType = "application/json; charset=utf-8";
    response.Body = json{{"error", message}, {"status", status}}.dump(
                        2, ' ', false, json::error_handler_t::replace) +
                    "\n";
    return response;
}

Response Dispatch(const std::vector<Route>& routes, Request request) {
    const Route* route = Find(routes, request, request.Rest);
    if (!route)
        return ErrorResponse(404, "nothing at " + request.Method + " " + request.Path);
    // A request sees one version of every table, however the catalogue changes
    // meanwhile.
    const TableScope tables;
    try {
        Response response;
        route->Handle(request, response);
        return response;
    } catch (const HttpError& error) {
        return ErrorResponse(error.Status, error.Message);
    } catch (const service::RequestError& error) {
        return ErrorResponse(400, error.what());
    } catch (const std::exception& error) {
        return ErrorResponse(422, error.what());
    }
}

std::string Disposition(std::string_view kind, std::string_view name) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string plain;
    std::string encoded;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        const bool printable = byte >= 0x20 && byte < 0x7F;
        plain += printable && c != '"' && c != '\\' ? c : '_';
        if (std::isalnum(byte) ||
            std::string_view("!#$&+-.^_`|~").find(c) != std::string_view::npos)
            encoded += c;
        else
            encoded += {'%', Hex[byte >> 4], Hex[byte & 15]};
    }
    return std::string(kind) + "; filename=\"" + plain + "\"; filename*=UTF-8''" + encoded;
}

std::string PercentDecoded(std::string_view text, bool plus) {
    std::string decoded;
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const int high = text[i] == '%' && i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
        if (low >= 0) {
            decoded += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            decoded += plus && text[i] == '+' ? ' ' : text[i];
        }
    }
    return decoded;
}

std::vector<std::string> QueryValues(const Request& request, std::string_view name,
                                     size_t maxLength) {
    std::vector<std::string> values;
    std::string_view query(request.Query);
    while (!query.empty()) {
        const std::string_view pair = query.substr(0, query.find('&'));
        query.remove_prefix(std::min(pair.size() + 1, query.size()));
        const std::string_view key = pair.substr(0, pair.find('='));
        if (PercentDecoded(key, true) != name)
            continue;
        std::string value =
            PercentDecoded(pair.substr(std::min(key.size() + 1, pair.size())), true);
        if (value.size() > maxLength)
            throw HttpError{400, std::string(name) + " is longer than " +
                                     std::to_string(maxLength) + " characters"};
        values.push_back(std::move(value));
    }
    return values;
}

} // namespace pelmora::web
