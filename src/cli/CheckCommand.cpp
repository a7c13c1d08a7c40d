#include "Cli.h"
#include "PartsCheck.h"
#include "catalogue/CatalogueCheck.h"

namespace pelmora::cli {

// The catalogue maintainer's check of every table, and with parts of every part
// the tables make.
int Check(Cli& cli, bool parts) {
    auto findings = CheckCatalogue(cli.App.DataDir, cli.App.ImagesDir);
    if (parts) {
        const auto partFindings = service::CheckParts(cli.App);
        findings.insert(findings.end(), partFindings.begin(), partFindings.end());
    }
    int errors = 0;
    nlohmann::json list = nlohmann::json::array();
    for (const CatalogueFinding& finding : findings) {
        const bool error = finding.Severity == CatalogueFinding::Error;
        errors += error ? 1 : 0;
        const char* level = error ? "error" : "warning";
        if (cli.Json)
            list.push_back({{"severity", level},
                            {"file", Cli::Text(finding.File)},
                            {"line", finding.Line},
                            {"column", finding.Column},
                            {"message", Cli::Text(finding.Text)}});
        else if (finding.File.empty())
            // A finding of the parts that no one table causes.
            cli.Print(std::string(level) + ": " + finding.Text);
        else
            cli.Print(std::string(level) + ": Data/" + finding.File + ":" +
                      std::to_string(finding.Line) + ":" + std::to_string(finding.Column) + ": " +
                      finding.Text);
    }
    const int warnings = static_cast<int>(findings.size()) - errors;
    if (cli.Json)
        cli.Print(nlohmann::json{{"findings", list}, {"errors", errors}, {"warnings", warnings}});
    else
        cli.Print(std::to_string(errors) + " error(s), " + std::to_string(warnings) +
                  " warning(s)");
    return errors > 0 ? Negative : Success;
}

} // namespace pelmora::cli
