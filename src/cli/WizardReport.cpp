#include "WizardReport.h"

#include "WizardJson.h"
#include "catalogue/TabSeparated.h"
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
        cli.Print(s.Name.empty() ? TabSeparatedLine({s.Key, s.Code})
                                 : TabSeparatedLine({s.Key, s.Code, s.Name}));
    for (const auto& row : form.grdSpecs) {
        if (!row[1].empty() || !row[2].empty() || !row[3].empty())
            cli.Print(TabSeparatedLine({"grid", row[1], row[2], row[3]}));
    }
    cli.Print(TabSeparatedLine({"screenOneComplete", form.ScreenOneComplete() ? "yes" : "no"}));
    cli.Print(TabSeparatedLine({"description", form.BuildOrderDescription()}));
    cli.Print(TabSeparatedLine({"partNumber", form.txtPartNumber}));
}

} // namespace pelmora::cli
