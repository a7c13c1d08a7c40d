#pragma once

#include "Session.h"

#include <optional>
#include <string>

namespace pelmora {

// A session of the server: its messages name the catalogue's files, never the
// folders they lie in on the server.
class WebSession : public service::Session {
public:
    WebSession(const std::string& programFolder, const std::optional<std::string>& appDir,
               TableCache& cache);
};

} // namespace pelmora
