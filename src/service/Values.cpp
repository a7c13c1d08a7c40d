#include "Commands.h"
#include "Utf8.h"
#include "WizardWalk.h"
#include "wizard/MainForm.h"

#include <algorithm>

namespace pelmora::service {

namespace {

// A choice of build as the walk's action; a length is typed, as build types it into
// a box that takes typing.
std::string AsAction(const std::string& word) {
    for (const char* box : {"length=", "legA=", "legB="}) {
        if (word.starts_with(box))
            return "type:" + word;
    }
    return word;
}

std::vector<std::string> Entries(const ComboState& list) {
    std::vector<std::string> values;
    for (const auto& row : list.Items)
        values.insert(values.end(), row.begin(), row.begin() + std::min<size_t>(row.size(), 2));
    return values;
}

std::vector<std::string> ListOf(MainForm& form, const std::string& key) {
    if (key == "family")
        return Entries(form.cbxProductType);
    if (key == "waveguide")
        return Entries(form.cbxWaveguide);
    if (key == "flangeA")
        return Entries(form.cbxFlangeA);
    if (key == "flangeB")
        return Entries(form.cbxFlangeB);
    if (key == "coax")
        return Entries(form.cbxCoax);
    if (key == "length")
        return form.cbxLength.Items;
    if (key == "legA")
        return form.cbxLegALength.Items;
    if (key == "legB")
        return form.cbxLegBLength.Items;
    if (key == "finish")
        return Entries(form.cbxFinish);
    if (key == "band") {
        std::vector<std::string> bands;
        for (const auto& band : form.rgFrequency.BandButtons)
            bands.push_back(band.BandCode);
        return bands;
    }
    if (key == "adaptor")
        return {"yes", "no"};
    if (key == "units")
        return {"P", "M"};
    if (key == "confirm" || key == "create")
        return {"continue", "swap", "cancel"};
    return {};
}

} // namespace

std::vector<std::string> OfferedValues(Session& session, const std::string& key,
                                       const std::vector<std::string>& before) {
    auto form = StartWizard(session);
    WizardWalk walk(*form, session.App, session.Platform);
    for (const std::string& word : before) {
        try {
            const Step step = walk.Do(AsAction(word));
            if (!step.Refusal.empty() && step.Action.starts_with("type:"))
                walk.Do("pick:" + step.Action.substr(5));
        } catch (const RequestError&) {
            // A word that is no action yet (the one being typed, a file name) changes
            // nothing the lists show.
        }
    }
    const std::string list = key.substr(key.find(':') + 1);
    if ((list == "band" || list == "finish") && form->ActivePage == MainForm::ScreenOne)
        walk.Do("next");
    std::vector<std::string> values;
    for (const std::string& value : ListOf(*form, list)) {
        const std::string shown = ToUtf8(value);
        if (!shown.empty() && std::find(values.begin(), values.end(), shown) == values.end())
            values.push_back(shown);
    }
    return values;
}

} // namespace pelmora::service
