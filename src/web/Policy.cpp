#include "Policy.h"

#include <algorithm>

namespace pelmora::web {

namespace {

// The page's own scripts, styles and pictures, and requests to its own server:
// nothing inline, nothing from elsewhere, never in a frame.
constexpr const char* PagePolicy = "default-src 'none'; script-src 'self'; style-src 'self'; "
                                   "img-src 'self' data:; connect-src 'self'; base-uri 'none'; "
                                   "form-action 'none'; frame-ancestors 'none'";

} // namespace

std::string HostName(const std::string& header) {
    std::string host = header;
    std::ranges::transform(host, host.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (host.starts_with('['))
        return host.substr(1, host.find(']') - 1);
    const size_t colon = host.find(':');
    if (colon != std::string::npos && host.find(':', colon + 1) == std::string::npos)
        host.erase(colon);
    if (host.ends_with('.'))
        host.pop_back();
    return host;
}

Response Answered(const std::vector<Route>& routes, const Policy& policy, Request request) {
    const std::optional<std::string> host = request.Header("Host");
    const bool known =
        policy.Hosts.empty() ||
        (host && std::ranges::find(policy.Hosts, HostName(*host)) != policy.Hosts.end());
    Response response = known ? Dispatch(routes, std::move(request))
                              : ErrorResponse(421, "this server does not answer for the host \"" +
                                                       host.value_or("") + "\"");
    response.SetHeader("X-Content-Type-Options", "nosniff");
    response.SetHeader("X-Frame-Options", "DENY");
    response.SetHeader("Referrer-Policy", "no-referrer");
    response.SetHeader("Content-Security-Policy", response.ContentType.starts_with("text/html")
                                                      ? PagePolicy
                                                      : "frame-ancestors 'none'");
    if (policy.Instance)
        response.SetHeader("X-Pelmora-Instance", *policy.Instance);
    return response;
}

} // namespace pelmora::web
