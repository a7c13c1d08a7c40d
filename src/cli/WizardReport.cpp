#include "WizardReport.h"

#include "partnumber/CreateForm.h"
#include "wizard/MainForm.h"

namespace pelmora::cli {

namespace {

const std::vector<std::string>* Selected(const ComboState& list) {
    if (!list.HasSelection() || list.ItemIndex >= static_cast<int>(list.Items.size()))
        return nullptr;
    return &list.Items[static_cast<size_t>(list.ItemIndex)];
}

struct Selection {
    const char* Key;
    std::string Code;
    std::string Name;
};

std::vector<Selection> Selections(const Cli& cli, const MainForm& form) {
    std::vector<Selection> selections;
    auto add = [&](const char* key, const ComboState& list, size_t nameColumn) {
        if (const auto* row = Selected(list))
            selections.push_back(
                {key, row->at(0), row->size() > nameColumn ? row->at(nameColumn) : ""});
    };
    add("family", form.cbxProductType, 1);
    add("waveguide", form.cbxWaveguide, 1);
    add("flangeA", form.cbxFlangeA, 1);
    add(form.Family() == pfCoax ? "coax" : "flangeB",
        form.Family() == pfCoax ? form.cbxCoax : form.cbxFlangeB, 1);
    switch (form.ActiveLengthPage) {
    case MainForm::MultiPage:
        selections.push_back({"length", form.cbxLength.Text, ""});
        break;
    case MainForm::DualPage:
        selections.push_back({"legA", form.cbxLegALength.Text, ""});
        selections.push_back({"legB", form.cbxLegBLength.Text, ""});
        break;
    case MainForm::SinglePage:
        selections.push_back({"length", form.txtPresetLength, ""});
        break;
    }
    selections.push_back({"units", cli.App.ImperialUnits ? "P" : "M", ""});
    if (const TPelmoraRadioButton* band = form.rgFrequency.SelectedBand())
        selections.push_back({"band", band->BandCode, band->Caption()});
    add("finish", form.cbxFinish, 1);
    return selections;
}

} // namespace

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
    const std::vector<Selection> selections = Selections(cli, form);
    const bool complete = form.ScreenOneComplete();
    const std::string description = form.BuildOrderDescription();

    if (cli.Json) {
        nlohmann::json selected = nlohmann::json::object();
        for (const Selection& s : selections)
            selected[s.Key] = {{"code", Cli::Text(s.Code)}, {"name", Cli::Text(s.Name)}};
        nlohmann::json grid = nlohmann::json::array();
        for (const auto& row : form.grdSpecs) {
            if (!row[1].empty() || !row[2].empty() || !row[3].empty())
                grid.push_back({{"code", Cli::Text(row[1])},
                                {"item", Cli::Text(row[2])},
                                {"value", Cli::Text(row[3])}});
        }
        cli.Print(nlohmann::json{{"input", Cli::Text(input)},
                                 {"selections", selected},
                                 {"grid", grid},
                                 {"screenOneComplete", complete},
                                 {"description", Cli::Text(description)},
                                 {"partNumber", Cli::Text(form.txtPartNumber)},
                                 {"messages", cli.Messages()}});
        return;
    }
    for (const Selection& s : selections)
        cli.Print(std::string(s.Key) + "\t" + s.Code + (s.Name.empty() ? "" : "\t" + s.Name));
    for (const auto& row : form.grdSpecs) {
        if (!row[1].empty() || !row[2].empty() || !row[3].empty())
            cli.Print("grid\t" + row[1] + "\t" + row[2] + "\t" + row[3]);
    }
    cli.Print(std::string("screenOneComplete\t") + (complete ? "yes" : "no"));
    cli.Print("description\t" + description);
    cli.Print("partNumber\t" + form.txtPartNumber);
}

} // namespace pelmora::cli
