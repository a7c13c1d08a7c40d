#include "ListenAddress.h"

#include <charconv>

namespace pelmora::web {

std::string ListenAddress::Authority(int port) const {
    const bool v6 = Host.find(':') != std::string::npos;
    return (v6 ? "[" + Host + "]" : Host) + ":" + std::to_string(port);
}

std::optional<ListenAddress> ParseListenAddress(const std::string& text) {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return std::nullopt;
    ListenAddress address;
    address.Host = text.substr(0, colon);
    if (address.Host.starts_with('[') || address.Host.ends_with(']')) {
        if (!address.Host.starts_with('[') || !address.Host.ends_with(']') ||
            address.Host.size() < 3)
            return std::nullopt;
        address.Host = address.Host.substr(1, address.Host.size() - 2);
    } else if (address.Host.find(':') != std::string::npos) {
        // An IPv6 address without brackets leaves its port unclear.
        return std::nullopt;
    }
    const char* first = text.data() + colon + 1;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, address.Port);
    if (first == last || end != last || error != std::errc() || address.Port < 0 ||
        address.Port > 65535)
        return std::nullopt;
    return address;
}

} // namespace pelmora::web
