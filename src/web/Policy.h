#pragma once

#include "Exchange.h"

#include <optional>
#include <string>
#include <vector>

namespace pelmora::web {

// What every answer is held to, whatever its route.
struct Policy {
    // Host names (or addresses) the server answers for; empty: any. A page on
    // another site cannot then reach the server through a name of its own that
    // resolves to the server's address.
    std::vector<std::string> Hosts;
    // Sent as X-Pelmora-Instance when set, to tell instances behind one proxy apart.
    std::optional<std::string> Instance;
};

// The host of a Host header: lower case, without port, an IPv6 address without
// brackets.
std::string HostName(const std::string& header);

// The route's answer to the request, refused when it names a host the server
// does not answer for, with the headers that keep a browser from reading it as
// another type or showing it in another site's frame.
Response Answered(const std::vector<Route>& routes, const Policy& policy, Request request);

} // namespace pelmora::web
