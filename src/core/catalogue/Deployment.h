#pragma once

#include <string>

// Where the maker can be reached: the one place that names its server.
namespace pelmora {

constexpr const char* MakerWebAddress = "www.corvane.com";
constexpr const char* UpdateScheme = "https";
constexpr const char* UpdateHost = "www.corvane.com";
constexpr const char* UpdatePath = "/darerazudivivu/pelmora.exe";

inline std::string InstallerUrl() {
    return std::string(UpdateScheme) + "://" + UpdateHost + UpdatePath;
}

} // namespace pelmora
