#include "WizardReport.h"

#include "WizardJson.h"
#include "partnumber/CreateForm.h"
#include "wizard/MainForm.h"

namespace pelmora::cli {

std::unique_ptr<MainForm> StartWizard(Cli& cli) {
    auto form = std::make_unique<MainForm>(cli.App, cli.Platform.Seams());
    form->FormCreate();
    return form;
}

void QuickBuild(Cli& cli, MainForm& form, const std::string& partNumber) {
    CreateForm quickBuilder(cli.App, cli.Platform.Seams(),
                            [&form](const std::string& text) { form.ApplyPartNumber(text); });
    quickBuilder.FormShow();
    quickBuilder.cbxPartNumberText = partNumber;
    quickBuilder.btnCreateClick();
}

void PrintWizard(Cli& cli, const MainForm& form, const std::string& input) {
    if (cli.Json) {
        nlohmann::json state = view::WizardJson(form, cli.App);
        state["input"] = Cli::Text(input);
        state["messages"] = cli.Messages();
        cli.Print(state);
        return;
    }
    for (const view::Selection& s : view::Selections(form, cli.App))
        cli.Print(std::string(s.Key) + "\t" + s.Code + (s.Name.empty() ? "" : "\t" + s.Name));
    for (const auto& row : form.grdSpecs) {
        if (!row[1].empty() || !row[2].empty() || !row[3].empty())
            cli.Print("grid\t" + row[1] + "\t" + row[2] + "\t" + row[3]);
    }
    cli.Print(std::string("screenOneComplete\t") + (form.ScreenOneComplete() ? "yes" : "no"));
    cli.Print("description\t" + form.BuildOrderDescription());
    cli.Print("partNumber\t" + form.txtPartNumber);
}

} // namespace pelmora::cli
