#include "Cli.h"
#include "catalogue/CatalogueCheck.h"

namespace pelmora::cli {

// The catalogue maintainer's check of every table.
int Check(Cli& cli) {
    const auto findings = CheckCatalogue(cli.App.DataDir, cli.App.ImagesDir);
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
