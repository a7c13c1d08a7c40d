#pragma once

#include <optional>
#include <string>

namespace pelmora::web {

// HOST:PORT as given to --listen: a name, an IPv4 address, or an IPv6 address in
// brackets ([::1]:8080), and a port from 0 to 65535.
struct ListenAddress {
    // Without brackets, as a resolver takes it.
    std::string Host;
    int Port = 0;

    // HOST:PORT as a URL writes it, an IPv6 address in brackets.
    std::string Authority(int port) const;
};

std::optional<ListenAddress> ParseListenAddress(const std::string& text);

} // namespace pelmora::web
