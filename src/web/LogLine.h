#pragma once

#include "HttpServer.h"

#include <string>

namespace pelmora::web {

// The Common Log Format line of a request with the milliseconds it took last:
//   127.0.0.1 - - [07/Dec/2026:21:16:12 +0000] "GET /api/state" 200 1234 12
// The path is without its query, and bytes a terminal would act on are escaped.
std::string LogLine(const LogEntry& entry);

} // namespace pelmora::web
