#include "WebAnswer.h"

#include <nlohmann/json.hpp>

namespace pelmora {

WebAnswer ErrorAnswer(int status, const std::string& message) {
    // The message may quote the request, which need not be UTF-8.
    const nlohmann::json document{{"error", message}, {"status", status}};
    return {status,
            "application/json; charset=utf-8",
            document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n",
            {}};
}

std::pair<std::string, std::string> Disposition(const std::string& kind, const std::string& name) {
    std::string safe = name;
    for (char& c : safe) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        if (!plain)
            c = '_';
    }
    return {"Content-Disposition", kind + "; filename=\"" + safe + "\""};
}

} // namespace pelmora
