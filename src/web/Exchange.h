#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pelmora::web {

// One request as every route sees it, whatever reads it off the network.
struct Request {
    std::string Method;
    // Percent-decoded, without the query.
    std::string Path;
    // As sent, after the '?'.
    std::string Query;
    // Names in lower case, in the order sent.
    std::vector<std::pair<std::string, std::string>> Headers;
    std::string Body;
    // The client's address, for the log.
    std::string Client;
    // For a route that ends in '/': the rest of the path after it.
    std::string Rest;

    // The value of the header (any case), nothing when absent.
    std::optional<std::string> Header(std::string_view name) const;
};

// Writes the bytes of an answer made as it is sent; false once the client has gone.
using Sink = std::function<bool(std::string_view)>;

struct Response {
    int Status = 200;
    std::string ContentType;
    std::vector<std::pair<std::string, std::string>> Headers;
    std::string Body;
    // Set for an answer too long to hold: it writes the body through the sink and
    // returns whether it ended whole.
    std::function<bool(const Sink&)> Stream;

    void SetHeader(std::string name, std::string value);
};

// A request that cannot be answered as asked: a 4xx status and its message.
struct HttpError {
    int Status;
    std::string Message;
};

using Handler = std::function<void(const Request&, Response&)>;

// A path ending in '/' takes every path below it, handing the rest in Request::Rest.
struct Route {
    std::string Method;
    std::string Path;
    Handler Handle;
};

// The answer of the route for the request, or the JSON refusal; a refusal made
// of any exception the route throws (HttpError: its status; anything else: 422).
Response Dispatch(const std::vector<Route>& routes, Request request);

// The JSON document of a refusal; the message may quote the request, which need
// not be UTF-8.
Response ErrorResponse(int status, const std::string& message);

// A Content-Disposition value ("attachment" or "inline") for the file name given
// in UTF-8: a quoted ASCII name for any client, and the name itself for those
// that read RFC 6266's filename*.
std::string Disposition(std::string_view kind, std::string_view name);

// %XX decoded; '+' as a space when plus is true, as in a query.
std::string PercentDecoded(std::string_view text, bool plus);

// Every value of the query parameter, in the order given: the same action twice
// is another walk. A value longer than maxLength is refused.
std::vector<std::string> QueryValues(const Request& request, std::string_view name,
                                     size_t maxLength);

} // namespace pelmora::web
