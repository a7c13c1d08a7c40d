#include "Commands.h"
#include "Utf8.h"
#include "WizardJson.h"
#include "catalogue/TabSeparated.h"
#include "catalogue/Text1252.h"
#include "partnumber/CreateForm.h"
#include "wizard/MainForm.h"

namespace pelmora::service {

std::unique_ptr<MainForm> StartWizard(Session& session) {
    auto form = std::make_unique<MainForm>(session.App, session.Platform.Seams());
    form->FormCreate();
    return form;
}

void QuickBuild(Session& session, MainForm& form, const std::string& partNumber) {
    CreateForm quickBuilder(session.App, session.Platform.Seams(),
                            [&form](const std::string& text) { form.ApplyPartNumber(text); });
    quickBuilder.FormShow();
    quickBuilder.cbxPartNumberText = partNumber;
    quickBuilder.btnCreateClick();
}

std::vector<std::string> WizardLines(const MainForm& form, const AppState& app) {
    std::vector<std::string> lines;
    for (const Selection& s : Selections(form, app))
        lines.push_back(ToUtf8(s.Name.empty() ? TabSeparatedLine({s.Key, s.Code})
                                              : TabSeparatedLine({s.Key, s.Code, s.Name})));
    for (const auto& row : form.grdSpecs) {
        if (!row[1].empty() || !row[2].empty() || !row[3].empty())
            lines.push_back(ToUtf8(TabSeparatedLine({"grid", row[1], row[2], row[3]})));
    }
    lines.push_back(
        TabSeparatedLine({"screenOneComplete", form.ScreenOneComplete() ? "yes" : "no"}));
    lines.push_back(ToUtf8(TabSeparatedLine({"description", form.BuildOrderDescription()})));
    lines.push_back(ToUtf8(TabSeparatedLine({"partNumber", form.txtPartNumber})));
    return lines;
}

Reply WizardReply(Session& session, const MainForm& form, const std::string& input) {
    Reply reply;
    JsonWriter out;
    WriteWizard(out, form, session.App, {&input, &session.Platform.Log});
    reply.Json = out.Take();
    if (session.WantsLines)
        reply.Lines = WizardLines(form, session.App);
    return reply;
}

Reply Describe(Session& session, const std::string& argument) {
    const std::string part = FromUtf8(argument);
    if (TrimControlAndBlank(part).empty())
        throw RequestError("the part number is empty; describe needs one, such as R090PC0120USG");
    auto form = StartWizard(session);
    QuickBuild(session, *form, part);
    const bool recognised = form->Family() != pfUnknown;
    if (recognised)
        form->btnCreateClick();
    Reply reply = WizardReply(session, *form, part);
    // A part number that leaves screen 1 incomplete is no catalogue part.
    const bool complete = recognised && form->ScreenOneComplete();
    reply.Status = complete && !form->txtPartNumber.empty() ? Success : Negative;
    return reply;
}

} // namespace pelmora::service
