#include "Cli.h"

#include "Utf8.h"

namespace pelmora::cli {

Cli::Cli(const std::string& programFolder, const std::optional<std::string>& appDir, bool json,
         std::ostream& out, std::ostream& errors)
    : Session(programFolder, appDir, &errors), Json(json), Out(out) {}

int Cli::Print(const service::Reply& reply) {
    if (Json) {
        Out << reply.DocumentText(!Compact) << '\n';
    } else {
        for (const std::string& line : reply.Lines)
            Out << line << '\n';
    }
    return reply.Status;
}

void Cli::Print(const std::string& bytes) {
    Out << service::ToUtf8(bytes) << '\n';
}

void Cli::Print(const nlohmann::json& document) {
    Out << document.dump(Compact ? -1 : 2) << '\n';
}

} // namespace pelmora::cli
