#include "WizardJson.h"

#include "Utf8.h"
#include "catalogue/AppState.h"
#include "wizard/MainForm.h"

#include <filesystem>
#include <utility>

namespace pelmora::service {

namespace {

using nlohmann::json;

// An array with room for its entries, made once: the state holds hundreds of rows.
json ArrayFor(size_t entries) {
    json array = json::array();
    array.get_ref<json::array_t&>().reserve(entries);
    return array;
}

json Texts(const std::vector<std::string>& texts) {
    json list = ArrayFor(texts.size());
    for (const std::string& text : texts)
        list.push_back(Text(text));
    return list;
}

// A drop-down list: its column headings, its rows as shown, the selected index.
// Named parts are moved into the documents that hold them: a braced initializer
// would copy them whole.
json List(const ComboState& list, const std::vector<std::string>& columns) {
    json rows = ArrayFor(list.Items.size());
    for (const auto& row : list.Items)
        rows.push_back(Texts(row));
    return {{"columns", Texts(columns)},
            {"rows", std::move(rows)},
            {"selected", list.ItemIndex},
            {"enabled", list.Enabled}};
}

json LengthBox(const TPelmoraComboBox& box) {
    return {{"entries", Texts(box.Items)},
            {"selected", box.ItemIndex},
            {"text", Text(box.Text)},
            {"enabled", box.Enabled},
            {"editable", box.Editable}};
}

// A picture by its file name in Images/ (null when the control is empty).
json Picture(const PictureState& picture) {
    if (picture.File.empty())
        return nullptr;
    return {{"file", Text(std::filesystem::path(picture.File).filename().string())},
            {"stretched", picture.Stretched}};
}

const char* PageName(MainForm::LengthPage page) {
    switch (page) {
    case MainForm::MultiPage:
        return "length";
    case MainForm::SinglePage:
        return "preset";
    case MainForm::DualPage:
        return "legs";
    }
    return "";
}

json Bands(const FrequencyGroup& group) {
    json headings = json::array();
    for (const BandHeading& heading : group.Headings)
        headings.push_back({{"text", Text(heading.Text)}, {"top", heading.Top}});
    json buttons = json::array();
    for (const TPelmoraRadioButton& band : group.BandButtons)
        buttons.push_back({{"code", Text(band.BandCode)},
                           {"caption", Text(band.Caption())},
                           {"top", band.Top},
                           {"checked", band.Checked}});
    return {{"headings", std::move(headings)},
            {"buttons", std::move(buttons)},
            {"selected", group.SelectedBandIndex()}};
}

json Lists(const MainForm& form) {
    const bool coax = form.CoaxInFront;
    json waveguide = List(form.cbxWaveguide, {" Code", " WR", " US Military", " British", " IEC"});
    waveguide["wrColumn"] = 1;
    waveguide["columnWidths"] = form.WaveguideColumnWidths;
    waveguide["dropDownWidth"] = form.WaveguideDropDownWidth;
    json flangeA = List(form.cbxFlangeA, {" Code", " Flange Type", " Model"});
    flangeA["caption"] = Text(form.rgFlangeACaption);
    json flangeB = List(form.cbxFlangeB, {" Code", " Flange Type", " Model"});
    flangeB["caption"] = Text(form.rgFlangeBCaption);
    flangeB["visible"] = !coax;
    json coaxList = List(form.cbxCoax, {" Code", " Type"});
    coaxList["caption"] = Text(form.rgFlangeBCaption);
    coaxList["visible"] = coax;
    return {
        {"screen", form.ActivePage == MainForm::ScreenOne ? 1 : 2},
        {"screenCaption", Text(form.ScreenCaption)},
        {"productType", List(form.cbxProductType, {" Family", " Family Type"})},
        {"waveguide", std::move(waveguide)},
        {"flangeA", std::move(flangeA)},
        {"flangeB", std::move(flangeB)},
        {"coax", std::move(coaxList)},
        {"lengthPage", PageName(form.ActiveLengthPage)},
        {"lengthUnit", Text(form.LengthUnitLabel)},
        {"length", LengthBox(form.cbxLength)},
        {"legA", LengthBox(form.cbxLegALength)},
        {"legB", LengthBox(form.cbxLegBLength)},
        {"preset",
         {{"text", Text(form.txtPresetLength)}, {"unit", Text(form.PresetLengthUnitLabel())}}},
        {"adaptor",
         {{"visible", form.chkFlangeAdaptorVisible}, {"checked", form.chkFlangeAdaptorChecked}}},
        {"pictures",
         {{"product", Picture(form.imgProduct)},
          {"length", Picture(form.imgLength)},
          {"flangeA", Picture(form.imgFlangeA)},
          {"flangeB", Picture(form.imgFlangeB)}}},
        {"bands", Bands(form.rgFrequency)},
        {"finish", List(form.cbxFinish, {" Code", " Color"})},
        {"addToOrderEnabled", form.btnAddOrderEnabled},
        {"viewSpecsEnabled", form.btnViewSpecsEnabled},
    };
}

} // namespace

json Text(const std::string& bytes) {
    return ToUtf8(bytes);
}

json MessagesJson(const std::vector<Shown>& log, size_t from) {
    json messages = json::array();
    for (size_t i = from; i < log.size(); ++i) {
        const Shown& shown = log[i];
        if (shown.Line == 0)
            messages.push_back({{"kind", shown.Kind}, {"text", Text(shown.Text)}});
        else
            messages.push_back(
                {{"kind", shown.Kind},
                 {"text", Text("line " + std::to_string(shown.Line) + ": " + shown.Text)},
                 {"line", shown.Line}});
    }
    return messages;
}

std::vector<Selection> Selections(const MainForm& form, const AppState& app) {
    std::vector<Selection> selections;
    auto add = [&](const char* key, const ComboState& list, size_t nameColumn) {
        if (!list.HasSelection() || list.ItemIndex >= static_cast<int>(list.Items.size()))
            return;
        const auto& row = list.Items[static_cast<size_t>(list.ItemIndex)];
        selections.push_back({key, row.at(0), row.size() > nameColumn ? row.at(nameColumn) : ""});
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
    selections.push_back({"units", app.ImperialUnits ? "P" : "M", ""});
    if (const TPelmoraRadioButton* band = form.rgFrequency.SelectedBand())
        selections.push_back({"band", band->BandCode, band->Caption()});
    add("finish", form.cbxFinish, 1);
    return selections;
}

json WizardJson(const MainForm& form, const AppState& app) {
    json selected = json::object();
    for (const Selection& s : Selections(form, app))
        selected[s.Key] = {{"code", Text(s.Code)}, {"name", Text(s.Name)}};
    json grid = json::array();
    for (const auto& row : form.grdSpecs) {
        if (!row[1].empty() || !row[2].empty() || !row[3].empty())
            grid.push_back(
                {{"code", Text(row[1])}, {"item", Text(row[2])}, {"value", Text(row[3])}});
    }
    return {{"selections", std::move(selected)},
            {"grid", std::move(grid)},
            {"screenOneComplete", form.ScreenOneComplete()},
            {"description", Text(form.BuildOrderDescription())},
            {"partNumber", Text(form.txtPartNumber)},
            {"lists", Lists(form)}};
}

} // namespace pelmora::service
