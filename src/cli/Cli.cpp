#include "Cli.h"

namespace pelmora::cli {

Cli::Cli(const std::string& programFolder, const std::optional<std::string>& appDir, bool json,
         std::ostream& out, std::ostream& errors)
    : Session(programFolder, appDir, &errors), Json(json), Out(out) {}

int Cli::Print(const service::Reply& reply) {
    if (Json) {
        Out << reply.Document.dump(2) << '\n';
    } else {
        for (const std::string& line : reply.Lines)
            Out << line << '\n';
    }
    return reply.Status;
}

} // namespace pelmora::cli
