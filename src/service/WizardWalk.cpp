#include "WizardWalk.h"

#include "Session.h"
#include "Suggestions.h"
#include "Utf8.h"
#include "catalogue/AppState.h"
#include "catalogue/Numbers.h"
#include "catalogue/Text1252.h"
#include "partnumber/CreateForm.h"
#include "wizard/MainForm.h"

#include <algorithm>
#include <type_traits>

namespace pelmora::service {

namespace {

// The user's refusal of an action: what the window would not let the user do.
struct Refused {
    std::string Why;
};

std::optional<int> Position(const std::string& value, size_t count) {
    if (value.size() < 2 || value.front() != '#')
        return std::nullopt;
    const auto position = ParseInteger(value.substr(1));
    if (!position || *position < 1 || *position > static_cast<long long>(count))
        return -1;
    return static_cast<int>(*position - 1);
}

// The reason is made only for a refusal: a walk that is done as asked builds no
// message.
template <class Why> void Require(bool allowed, Why&& why) {
    if (allowed)
        return;
    if constexpr (std::is_invocable_v<Why>)
        throw Refused{why()};
    else
        throw Refused{std::string(why)};
}

std::string NotOffered(const std::string& what, const std::string& value,
                       const std::string& offered) {
    return what + ": \"" + ToUtf8(value) + "\" is not offered; the list offers " +
           (offered.empty() ? "nothing" : ToUtf8(offered));
}

int Entry(const char* what, const ComboState& list, const std::string& value, int nameColumn) {
    const auto index = FindEntry(list, value, nameColumn);
    Require(index.has_value(), [&] { return NotOffered(what, value, Offered(list)); });
    Require(list.Enabled, [&] { return std::string(what) + " is disabled"; });
    return *index;
}

} // namespace

std::optional<int> FindEntry(const ComboState& list, const std::string& value, int nameColumn) {
    if (const auto position = Position(value, list.Items.size()))
        return *position < 0 ? std::nullopt : position;
    for (size_t i = 0; i < list.Items.size(); ++i) {
        const auto& row = list.Items[i];
        if ((!row.empty() && row[0] == value) ||
            (nameColumn >= 0 && static_cast<size_t>(nameColumn) < row.size() &&
             SameTextNoCase(row[static_cast<size_t>(nameColumn)], value)))
            return static_cast<int>(i);
    }
    return std::nullopt;
}

std::string Offered(const ComboState& list) {
    std::string offered;
    for (const auto& row : list.Items)
        offered +=
            (offered.empty() ? "" : ", ") + row[0] + (row.size() > 1 ? " (" + row[1] + ")" : "");
    return offered;
}

WizardWalk::WizardWalk(MainForm& form, AppState& app, ViewPlatform& platform)
    : form_(form), app_(app), platform_(platform) {}

const std::vector<std::string>& WizardWalk::ActionNames() {
    static const std::vector<std::string> names = {
        "family",    "waveguide",  "flangeA",     "flangeB",     "coax",      "pick:length",
        "pick:legA", "pick:legB",  "type:length", "type:legA",   "type:legB", "adaptor",
        "units",     "next",       "back",        "band",        "finish",    "create",
        "apply",     "quickbuild", "reset",       "other-ranges"};
    return names;
}

void WizardWalk::CheckAction(const std::string& action) {
    const std::string name = action.substr(0, action.find('='));
    const auto& names = ActionNames();
    if (std::find(names.begin(), names.end(), name) == names.end())
        throw RequestError(NoSuch("action", AsUtf8(name), names));
}

Step WizardWalk::Do(const std::string& action) {
    CheckAction(action);
    Step step{action, "", platform_.Log.size(), 0};
    const size_t equals = action.find('=');
    const std::string name = action.substr(0, equals);
    const std::string value =
        equals == std::string::npos ? "" : FromUtf8(action.substr(equals + 1));
    try {
        step.Refusal = Act(name, value, equals != std::string::npos);
    } catch (const Refused& refused) {
        step.Refusal = refused.Why;
    }
    step.LastMessage = platform_.Log.size();
    return step;
}

std::string WizardWalk::Act(const std::string& name, const std::string& value, bool hasValue) {
    const bool screenOne = form_.ActivePage == MainForm::ScreenOne;
    auto onScreen = [&](bool one) {
        Require(screenOne == one, [&] {
            return name + " is on screen " + (one ? "1" : "2") + "; screen " +
                   (screenOne ? "1" : "2") + " is shown";
        });
    };
    auto box = [&](const std::string& boxName) -> TPelmoraComboBox& {
        if (boxName == "length") {
            Require(form_.ActiveLengthPage == MainForm::MultiPage, "this family has no length box");
            return form_.cbxLength;
        }
        Require(form_.ActiveLengthPage == MainForm::DualPage, "this family has no leg boxes");
        return boxName == "legA" ? form_.cbxLegALength : form_.cbxLegBLength;
    };

    if (name == "family") {
        onScreen(true);
        form_.PickProductType(Entry("family", form_.cbxProductType, value, 1));
    } else if (name == "waveguide") {
        onScreen(true);
        form_.PickWaveguide(Entry("waveguide", form_.cbxWaveguide, value, 1));
    } else if (name == "flangeA") {
        onScreen(true);
        form_.PickFlangeA(Entry("flangeA", form_.cbxFlangeA, value, 1));
    } else if (name == "flangeB") {
        onScreen(true);
        Require(!form_.CoaxInFront, "this family has a coax type, not flange B");
        form_.PickFlangeB(Entry("flangeB", form_.cbxFlangeB, value, 1));
    } else if (name == "coax") {
        onScreen(true);
        Require(form_.CoaxInFront, "only waveguide-to-coax transitions have a coax type");
        form_.PickCoax(Entry("coax", form_.cbxCoax, value, 1));
    } else if (name.starts_with("pick:") || name.starts_with("type:")) {
        onScreen(true);
        TPelmoraComboBox& target = box(name.substr(5));
        Require(target.Enabled, [&] { return name.substr(5) + " is disabled"; });
        if (name.starts_with("type:")) {
            Require(target.Editable,
                    [&] { return name.substr(5) + " takes only its list's entries"; });
            form_.LengthBoxEnter(target);
            form_.TypeLength(target, value);
            form_.LengthBoxExit(target);
            return form_.TypedLengthRefused ? "the typed length was refused" : "";
        }
        const auto found = std::find(target.Items.begin(), target.Items.end(), value);
        int index = found == target.Items.end()
                        ? -1
                        : static_cast<int>(std::distance(target.Items.begin(), found));
        if (const auto position = Position(value, target.Items.size()))
            index = *position;
        Require(index >= 0, [&] {
            std::string offered;
            for (const auto& item : target.Items)
                offered += (offered.empty() ? "" : ", ") + item;
            return NotOffered(name.substr(5), value, offered);
        });
        form_.PickLength(target, index);
    } else if (name == "adaptor") {
        onScreen(true);
        Require(form_.chkFlangeAdaptorVisible, "only straight sections show For Flange Adaptor");
        Require(value == "yes" || value == "no", "adaptor is yes or no");
        if ((value == "yes") != form_.chkFlangeAdaptorChecked)
            form_.ToggleFlangeAdaptor();
    } else if (name == "units") {
        Require(value == "P" || value == "M", "units is P or M");
        value == "P" ? form_.mnuImperialClick() : form_.mnuMetricClick();
    } else if (name == "next") {
        onScreen(true);
        form_.btnNextClick();
        if (form_.ActivePage == MainForm::ScreenOne)
            return "screen 1 is not complete";
    } else if (name == "back") {
        onScreen(false);
        form_.btnBackClick();
    } else if (name == "band") {
        onScreen(false);
        ComboState bands;
        for (const auto& band : form_.rgFrequency.BandButtons)
            bands.Items.push_back({band.BandCode, band.Caption()});
        form_.BandClick(Entry("band", bands, value, -1));
    } else if (name == "finish") {
        onScreen(false);
        form_.PickFinish(Entry("finish", form_.cbxFinish, value, 1));
    } else if (name == "create") {
        onScreen(false);
        Require(!hasValue || value == "continue" || value == "swap" || value == "cancel",
                "create is answered continue, swap or cancel");
        platform_.ConfirmAnswer = value == "swap"     ? ModalResult::Retry
                                  : value == "cancel" ? ModalResult::Cancel
                                                      : ModalResult::Ok;
        form_.btnCreateClick();
    } else if (name == "apply") {
        Apply(value);
    } else if (name == "quickbuild") {
        CreateForm quickBuilder(app_, platform_.Seams(),
                                [this](const std::string& text) { Apply(text); });
        quickBuilder.FormShow();
        quickBuilder.cbxPartNumberText = value;
        quickBuilder.btnCreateClick();
    } else if (name == "reset") {
        form_.mnuResetSettingsClick();
    } else if (name == "other-ranges") {
        onScreen(false);
        form_.btnOtherFreqRangesClick();
    }
    return "";
}

// The window leaves the earlier size, flanges and lengths beside a product type it
// cleared, and says nothing; here what belonged to the earlier part goes with it,
// and the user is told why the part number was not taken.
void WizardWalk::Apply(const std::string& text) {
    if (text.empty())
        return;
    form_.ApplyPartNumber(text);
    if (form_.Family() == pfUnknown) {
        form_.mnuResetSettingsClick();
        platform_.Error("\"" + text +
                        "\" is not a part number the wizard can build: no product type has "
                        "part numbers that start so.");
    } else if (!form_.ScreenOneComplete()) {
        // A step twist's part number never names its flanges.
        platform_.Information("\"" + text +
                              "\" does not name every choice of screen 1: choose what is "
                              "missing there.");
    }
}

} // namespace pelmora::service
