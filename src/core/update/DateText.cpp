#include "DateText.h"

#include "catalogue/Numbers.h"
#include "catalogue/Text1252.h"

#include <cstdio>
#include <string>
#include <vector>

namespace pelmora {

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::optional<Date> Make(const std::string& year, const std::string& month,
                         const std::string& day) {
    const auto y = ParseInteger(year);
    const auto m = ParseInteger(month);
    const auto d = ParseInteger(day);
    if (!y || !m || !d || *y < 0 || *y > 9999 || *m < 1 || *m > 12 || *d < 1 || *d > 31)
        return std::nullopt;
    // Two-digit years of old files belong to this century.
    const int fullYear = year.size() <= 2 ? 2000 + static_cast<int>(*y) : static_cast<int>(*y);
    const Date date{std::chrono::year(fullYear), std::chrono::month(static_cast<unsigned>(*m)),
                    std::chrono::day(static_cast<unsigned>(*d))};
    if (!date.ok())
        return std::nullopt;
    return date;
}

} // namespace

std::string DateText(Date date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::optional<Date> ParseDate(const std::string& raw) {
    const std::string text(TrimControlAndBlank(raw));
    if (const auto parts = Split(text, '-'); parts.size() == 3 && parts[0].size() == 4)
        return Make(parts[0], parts[1], parts[2]);
    if (const auto parts = Split(text, '/'); parts.size() == 3)
        return Make(parts[2], parts[0], parts[1]);
    if (const auto parts = Split(text, '.'); parts.size() == 3)
        return Make(parts[2], parts[1], parts[0]);
    return std::nullopt;
}

} // namespace pelmora
