#pragma once

#include <chrono>

namespace pelmora {

// A calendar day, without time of day.
using Date = std::chrono::year_month_day;

inline Date AddDays(Date date, int days) {
    return Date(std::chrono::sys_days(date) + std::chrono::days(days));
}

} // namespace pelmora
