#include "Commands.h"
#include "Utf8.h"
#include "WizardJson.h"
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
        lines.push_back(
            ToUtf8(std::string(s.Key) + "\t" + s.Code + (s.Name.empty() ? "" : "\t" + s.Name)));
    for (const auto& row : form.grdSpecs) {
        if (!row[1].empty() || !row[2].empty() || !row[3].empty())
            lines.push_back(ToUtf8("grid\t" + row[1] + "\t" + row[2] + "\t" + row[3]));
    }
    lines.push_back(std::string("screenOneComplete\t") + (form.ScreenOneComplete() ? "yes" : "no"));
    lines.push_back(ToUtf8("description\t" + form.BuildOrderDescription()));
    lines.push_back(ToUtf8("partNumber\t" + form.txtPartNumber));
    return lines;
}

Reply WizardReply(Session& session, const MainForm& form, const std::string& input) {
    Reply reply;
    reply.Document = WizardJson(form, session.App);
    reply.Document["input"] = Text(input);
    reply.Document["messages"] = session.Messages();
    reply.Lines = WizardLines(form, session.App);
    return reply;
}

Reply Describe(Session& session, const std::string& argument) {
    const std::string part = FromUtf8(argument);
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
