#include "StateActions.h"

#include "Utf8.h"
#include "WizardJson.h"
#include "WizardWalk.h"
#include "catalogue/AppState.h"
#include "catalogue/Text1252.h"
#include "wizard/MainForm.h"

#include <algorithm>

namespace pelmora::service {

namespace {

// The value that finds the entry again: its code, unless an earlier entry has that
// code or that name (the walk looks for both), or the code looks like a position.
std::string EntryValue(const std::vector<std::vector<std::string>>& rows, size_t index,
                       bool byName) {
    const std::string& code = rows[index][0];
    const auto first = std::find_if(rows.begin(), rows.end(), [&](const auto& row) {
        return row[0] == code || (byName && row.size() > 1 && SameTextNoCase(row[1], code));
    });
    const bool unique = static_cast<size_t>(first - rows.begin()) == index;
    if (unique && !code.empty() && code.front() != '#')
        return ToUtf8(code);
    return "#" + std::to_string(index + 1);
}

// A disabled list holds what the wizard chose itself.
void Pick(std::vector<std::string>& actions, const char* name, const ComboState& list) {
    if (list.Enabled && list.HasSelection() &&
        static_cast<size_t>(list.ItemIndex) < list.Items.size())
        actions.push_back(std::string(name) + "=" +
                          EntryValue(list.Items, static_cast<size_t>(list.ItemIndex), true));
}

void Length(std::vector<std::string>& actions, const char* name, const TPelmoraComboBox& box) {
    if (!box.Enabled || box.Text.empty())
        return;
    const bool listed = box.ItemIndex >= 0 &&
                        static_cast<size_t>(box.ItemIndex) < box.Items.size() &&
                        box.Items[static_cast<size_t>(box.ItemIndex)] == box.Text;
    if (listed || !box.Editable)
        actions.push_back(std::string("pick:") + name + "=" + ToUtf8(box.Text));
    else
        actions.push_back(std::string("type:") + name + "=" + ToUtf8(box.Text));
}

void Band(std::vector<std::string>& actions, const FrequencyGroup& group) {
    const int selected = group.SelectedBandIndex();
    if (selected < 0)
        return;
    std::vector<std::vector<std::string>> rows;
    for (const TPelmoraRadioButton& band : group.BandButtons)
        rows.push_back({band.BandCode});
    actions.push_back("band=" + EntryValue(rows, static_cast<size_t>(selected), false));
}

} // namespace

std::vector<std::string> StateActions(const MainForm& form, const AppState& app,
                                      bool startsImperial) {
    std::vector<std::string> actions;
    if (app.ImperialUnits != startsImperial)
        actions.push_back(app.ImperialUnits ? "units=P" : "units=M");
    Pick(actions, "family", form.cbxProductType);
    Pick(actions, "waveguide", form.cbxWaveguide);
    Pick(actions, "flangeA", form.cbxFlangeA);
    if (form.CoaxInFront)
        Pick(actions, "coax", form.cbxCoax);
    else
        Pick(actions, "flangeB", form.cbxFlangeB);
    if (form.ActiveLengthPage == MainForm::MultiPage)
        Length(actions, "length", form.cbxLength);
    if (form.ActiveLengthPage == MainForm::DualPage) {
        Length(actions, "legA", form.cbxLegALength);
        Length(actions, "legB", form.cbxLegBLength);
    }
    if (form.chkFlangeAdaptorVisible && form.chkFlangeAdaptorChecked)
        actions.push_back("adaptor=yes");
    // Screen 2's choices outlive a step back to screen 1.
    const bool screenOne = form.ActivePage == MainForm::ScreenOne;
    const bool chosenOnScreenTwo = !form.txtPartNumber.empty() ||
                                   form.rgFrequency.SelectedBandIndex() > 0 ||
                                   form.cbxFinish.ItemIndex > 0;
    if (screenOne && !(form.ScreenOneComplete() && chosenOnScreenTwo))
        return actions;
    actions.push_back("next");
    Band(actions, form.rgFrequency);
    Pick(actions, "finish", form.cbxFinish);
    if (!form.txtPartNumber.empty())
        actions.push_back("create");
    if (screenOne)
        actions.push_back("back");
    return actions;
}

nlohmann::json ShownState(nlohmann::json state) {
    nlohmann::json& lists = state["lists"];
    const std::string page = lists["lengthPage"];
    if (page != "length")
        lists.erase("length");
    if (page != "legs") {
        lists.erase("legA");
        lists.erase("legB");
    }
    for (const char* list : {"flangeB", "coax"}) {
        if (!lists[list]["visible"].get<bool>())
            lists.erase(list);
    }
    state.erase("messages");
    return state;
}

bool BringsBack(const std::vector<std::string>& actions, const MainForm& shown,
                const AppState& app) {
    AppState fresh = app;
    ViewPlatform quiet;
    MainForm form(fresh, quiet.Seams());
    form.FormCreate();
    WizardWalk walk(form, fresh, quiet);
    for (const std::string& action : actions) {
        if (!walk.Do(action).Refusal.empty())
            return false;
    }
    // Both written alike, so the same view is the same bytes.
    JsonWriter again;
    WriteWizard(again, form, fresh, {.ShownOnly = true});
    JsonWriter before;
    WriteWizard(before, shown, app, {.ShownOnly = true});
    return again.Json() == before.Json();
}

} // namespace pelmora::service
