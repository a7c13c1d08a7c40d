#pragma once

#include "Exchange.h"
#include "Session.h"

#include <optional>
#include <string>
#include <vector>

namespace pelmora {

// GET /api/sheet.pdf: the specification sheet of the configuration the actions
// make (the page's own), or of a catalogue part; one of the two is given.
// Refusals are thrown as web::HttpError.
void SheetAnswer(service::Session& session, const std::vector<std::string>& actions,
                 const std::optional<std::string>& part, web::Response& response);

} // namespace pelmora
