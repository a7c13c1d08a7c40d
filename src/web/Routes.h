#pragma once

#include "Exchange.h"
#include "catalogue/TableSource.h"

#include <optional>
#include <string>
#include <vector>

namespace pelmora::web {

// Where the routes find the catalogue, its pictures and the page.
struct Served {
    std::string ProgramFolder;
    std::optional<std::string> AppDir;
    std::string PageFolder;
    std::string ImagesFolder;
    TableCache* Cache = nullptr;
};

// Request bodies and the values of one request are bounded. An order's answer
// may be some fifteen times its body (a message for every line of junk), and
// the making of it several times more.
inline constexpr size_t MaxBody = 1024 * 1024;
inline constexpr size_t MaxActions = 200;
inline constexpr size_t MaxText = 200;

// Every route pelmora-web answers, in one table.
std::vector<Route> Routes(const Served& served);

} // namespace pelmora::web
