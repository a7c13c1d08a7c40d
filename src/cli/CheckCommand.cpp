#include "Cli.h"
#include "catalogue/CatalogueCheck.h"

#include <string>

namespace pelmora::cli {

namespace {

// The text with every line moved right, as an entry of a list nested that deep.
std::string Indented(const std::string& text, const std::string& margin) {
    std::string moved = margin;
    for (const char c : text) {
        moved += c;
        if (c == '\n')
            moved += margin;
    }
    return moved;
}

} // namespace

// The catalogue maintainer's check of every table. Each finding is written as it
// comes, the JSON document too, so that millions of them are never held at once.
int Check(Cli& cli) {
    int errors = 0;
    int warnings = 0;
    if (cli.Json)
        cli.Out << "{\n  \"findings\": [";
    CheckCatalogue(cli.App.DataDir, cli.App.ImagesDir, [&](const CatalogueFinding& finding) {
        const bool error = finding.Severity == CatalogueFinding::Error;
        const char* level = error ? "error" : "warning";
        if (cli.Json)
            cli.Out << (errors + warnings == 0 ? "\n" : ",\n")
                    << Indented(nlohmann::json{{"severity", level},
                                               {"file", Cli::Text(finding.File)},
                                               {"line", finding.Line},
                                               {"column", finding.Column},
                                               {"message", Cli::Text(finding.Text)}}
                                    .dump(2),
                                "    ");
        else
            cli.Print(std::string(level) + ": Data/" + finding.File + ":" +
                      std::to_string(finding.Line) + ":" + std::to_string(finding.Column) + ": " +
                      finding.Text);
        ++(error ? errors : warnings);
    });
    if (cli.Json)
        cli.Out << (errors + warnings == 0 ? "]" : "\n  ]") << ",\n  \"errors\": " << errors
                << ",\n  \"warnings\": " << warnings << "\n}\n";
    else
        cli.Print(std::to_string(errors) + " error(s), " + std::to_string(warnings) +
                  " warning(s)");
    return errors > 0 ? Negative : Success;
}

} // namespace pelmora::cli
