#include "LogLine.h"

#include <cstdio>
#include <ctime>

namespace pelmora::web {

namespace {

std::string Escaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x21 || byte > 0x7E || c == '"' || c == '\\') {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02X", byte);
            escaped += code;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

} // namespace

std::string LogLine(const LogEntry& entry) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(entry.Time);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    char time[40];
    std::strftime(time, sizeof time, "[%d/%b/%Y:%H:%M:%S +0000]", &parts);
    return Escaped(entry.Client) + " - - " + time + " \"" + Escaped(entry.Method) + " " +
           Escaped(entry.Path) + "\" " + std::to_string(entry.Status) + " " +
           std::to_string(entry.Bytes) + " " + std::to_string(entry.Took.count());
}

} // namespace pelmora::web
