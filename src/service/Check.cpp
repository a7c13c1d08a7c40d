#include "Commands.h"
#include "PartsCheck.h"
#include "Utf8.h"
#include "WizardJson.h"
#include "catalogue/CatalogueCheck.h"

namespace pelmora::service {

CheckTotals Check(Session& session, const FindingSink& found, bool parts) {
    CheckTotals totals;
    auto hand = [&](const CatalogueFinding& finding) {
        const bool error = finding.Severity == CatalogueFinding::Error;
        const char* level = error ? "error" : "warning";
        found({{"severity", level},
               {"file", Text(finding.File)},
               {"line", finding.Line},
               {"column", finding.Column},
               {"message", Text(finding.Text)}},
              // A finding of the parts that no one table causes names no file.
              ToUtf8(finding.File.empty()
                         ? std::string(level) + ": " + finding.Text
                         : std::string(level) + ": Data/" + finding.File + ":" +
                               std::to_string(finding.Line) + ":" + std::to_string(finding.Column) +
                               ": " + finding.Text));
        ++(error ? totals.Errors : totals.Warnings);
    };
    CheckCatalogue(session.App.DataDir, session.App.ImagesDir, hand);
    if (parts) {
        for (const CatalogueFinding& finding : CheckParts(session.App))
            hand(finding);
    }
    totals.Status = totals.Errors > 0 ? Negative : Success;
    return totals;
}

} // namespace pelmora::service
