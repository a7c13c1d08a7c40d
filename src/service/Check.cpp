#include "Commands.h"
#include "Utf8.h"
#include "WizardJson.h"
#include "catalogue/CatalogueCheck.h"

namespace pelmora::service {

CheckTotals Check(Session& session, const FindingSink& found) {
    CheckTotals totals;
    CheckCatalogue(session.App.DataDir, session.App.ImagesDir,
                   [&](const CatalogueFinding& finding) {
                       const bool error = finding.Severity == CatalogueFinding::Error;
                       const char* level = error ? "error" : "warning";
                       found({{"severity", level},
                              {"file", Text(finding.File)},
                              {"line", finding.Line},
                              {"column", finding.Column},
                              {"message", Text(finding.Text)}},
                             ToUtf8(std::string(level) + ": Data/" + finding.File + ":" +
                                    std::to_string(finding.Line) + ":" +
                                    std::to_string(finding.Column) + ": " + finding.Text));
                       ++(error ? totals.Errors : totals.Warnings);
                   });
    totals.Status = totals.Errors > 0 ? Negative : Success;
    return totals;
}

} // namespace pelmora::service
