#include "Commands.h"
#include "Utf8.h"
#include "WizardJson.h"
#include "catalogue/CatalogueCheck.h"

namespace pelmora::service {

Reply Check(Session& session) {
    const auto findings = CheckCatalogue(session.App.DataDir, session.App.ImagesDir);
    int errors = 0;
    Reply reply;
    nlohmann::json list = nlohmann::json::array();
    for (const CatalogueFinding& finding : findings) {
        const bool error = finding.Severity == CatalogueFinding::Error;
        errors += error ? 1 : 0;
        const char* level = error ? "error" : "warning";
        list.push_back({{"severity", level},
                        {"file", Text(finding.File)},
                        {"line", finding.Line},
                        {"column", finding.Column},
                        {"message", Text(finding.Text)}});
        reply.Lines.push_back(ToUtf8(std::string(level) + ": Data/" + finding.File + ":" +
                                     std::to_string(finding.Line) + ":" +
                                     std::to_string(finding.Column) + ": " + finding.Text));
    }
    const int warnings = static_cast<int>(findings.size()) - errors;
    reply.Document = {{"findings", list}, {"errors", errors}, {"warnings", warnings}};
    reply.Lines.push_back(std::to_string(errors) + " error(s), " + std::to_string(warnings) +
                          " warning(s)");
    reply.Status = errors > 0 ? Negative : Success;
    return reply;
}

} // namespace pelmora::service
