#include "Commands.h"
#include "Utf8.h"
#include "WizardJson.h"
#include "catalogue/TabSeparated.h"
#include "partnumber/ConvertForm.h"

namespace pelmora::service {

Reply Convert(Session& session, const std::string& oldPart) {
    ConvertForm dialog(session.App, session.Platform.Seams(), [](const std::string&) {});
    dialog.FormShow();
    dialog.cbxOldPartNumberText = FromUtf8(oldPart);
    dialog.cbxOldPartNumberChange();
    dialog.btnConvertClick();
    const bool converted = dialog.btnContinueEnabled;
    Reply reply;
    reply.Status = converted ? Success : Negative;
    reply.Document = {
        {"oldPartNumber", Text(dialog.cbxOldPartNumberText)},
        {"newPartNumber", converted ? Text(dialog.txtNewPartNumber) : nlohmann::json()},
        {"comment", converted ? Text(dialog.memComments) : nlohmann::json()},
        {"messages", session.Messages()}};
    if (converted)
        reply.Lines.push_back(
            ToUtf8(TabSeparatedLine({dialog.txtNewPartNumber, dialog.memComments})));
    return reply;
}

} // namespace pelmora::service
