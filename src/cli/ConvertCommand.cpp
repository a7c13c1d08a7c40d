#include "Cli.h"
#include "Utf8.h"
#include "catalogue/TabSeparated.h"
#include "partnumber/ConvertForm.h"

namespace pelmora::cli {

// The conversion dialog's lookup of an old part number.
int Convert(Cli& cli, const std::string& oldPart) {
    ConvertForm dialog(cli.App, cli.Platform.Seams(), [](const std::string&) {});
    dialog.FormShow();
    dialog.cbxOldPartNumberText = view::FromUtf8(oldPart);
    dialog.cbxOldPartNumberChange();
    dialog.btnConvertClick();
    const bool converted = dialog.btnContinueEnabled;
    if (cli.Json)
        cli.Print(nlohmann::json{
            {"oldPartNumber", Cli::Text(dialog.cbxOldPartNumberText)},
            {"newPartNumber", converted ? Cli::Text(dialog.txtNewPartNumber) : nlohmann::json()},
            {"comment", converted ? Cli::Text(dialog.memComments) : nlohmann::json()},
            {"messages", cli.Messages()}});
    else if (converted)
        cli.Print(TabSeparatedLine({dialog.txtNewPartNumber, dialog.memComments}));
    return converted ? Success : Negative;
}

} // namespace pelmora::cli
