#pragma once

#include "platform/Date.h"

#include <optional>
#include <string>

namespace pelmora {

// Stored as ISO 8601, "2026-12-07", whatever the locale.
std::string DateText(Date date);
// ISO 8601, or the month/day/year and day.month.year forms older settings files
// hold; nothing for any other text.
std::optional<Date> ParseDate(const std::string& text);

} // namespace pelmora
