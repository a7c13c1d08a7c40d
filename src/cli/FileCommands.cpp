// The commands whose input or output the command line reads or writes itself:
// order files, scripts, and the check written as it goes.
#include "Cli.h"
#include "Commands.h"
#include "catalogue/FileSystem.h"
#include "catalogue/Text1252.h"
#include "order/BillOfMaterials.h"
#include "order/OrderFiles.h"

#include <algorithm>
#include <optional>

namespace pelmora::cli {

namespace {

// The kind of order file the name's extension names; a usage error for any other name.
OrderFileKind KindFor(const std::string& path) {
    const size_t point = path.rfind('.');
    const std::string extension = point == std::string::npos ? "" : path.substr(point);
    if (SameTextNoCase(extension, ".xls"))
        return SpreadsheetFile;
    if (SameTextNoCase(extension, ".txt"))
        return TextFile;
    if (SameTextNoCase(extension, ".xml"))
        return XmlFile;
    throw UsageError("--out must end in .xls, .txt or .xml");
}

std::string InputName(const std::string& path) {
    return path == "-" ? StandardInputName : path;
}

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

// Every argument is checked before anything is written.
int Order(Cli& cli, const OrderFiles& files) {
    // Without --out the kind is not used; a plain value, where an optional one
    // draws a false warning from the optimiser.
    const OrderFileKind kind = files.Out ? KindFor(*files.Out) : SpreadsheetFile;
    const service::Order order =
        service::MakeOrder(cli.Session, cli.ReadInput(files.In), InputName(files.In));
    int result = order.Status;
    if (files.Out) {
        const char* format = kind == XmlFile ? "xml" : kind == TextFile ? "txt" : "xls";
        result = std::max(result, service::TellLostCharacters(cli.Session, order, format));
    }
    if (files.Bom)
        result = std::max(result, service::TellLostCharacters(cli.Session, order, "bom"));
    cli.TellLineMessages(InputName(files.In));
    if (files.Out)
        WriteOrderFile(*files.Out, order.Lines, kind, order.Wide);
    if (files.Bom)
        WriteBillOfMaterials(order.Lines, *files.Bom, cli.Session.App.Tables(cli.Session.Platform));
    if (!files.Out)
        cli.Print(service::OrderReply(cli.Session, order));
    return result;
}

int Check(Cli& cli, bool parts) {
    bool first = true;
    if (cli.Json)
        cli.Out << "{\n  \"findings\": [";
    const service::CheckTotals totals = service::Check(
        cli.Session,
        [&](const nlohmann::json& finding, const std::string& line) {
            if (cli.Json)
                cli.Out << (first ? "\n" : ",\n") << Indented(finding.dump(2), "    ");
            else
                cli.Out << line << '\n';
            first = false;
        },
        parts);
    if (cli.Json)
        cli.Out << (first ? "]" : "\n  ]") << ",\n  \"errors\": " << totals.Errors
                << ",\n  \"warnings\": " << totals.Warnings << "\n}\n";
    else
        cli.Out << totals.Errors << " error(s), " << totals.Warnings << " warning(s)\n";
    return totals.Status;
}

Arguments ScriptOf(Cli& cli, const std::string& path) {
    return service::ScriptActions(cli.ReadInput(path), InputName(path));
}

} // namespace pelmora::cli
