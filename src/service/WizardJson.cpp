#include "WizardJson.h"

#include "Utf8.h"
#include "catalogue/AppState.h"
#include "wizard/MainForm.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace pelmora::service {

namespace {

using nlohmann::json;

// Every member below is written in its sorted place: see JsonWriter.

template <class Strings> void Texts(JsonWriter& out, const Strings& texts) {
    out.Array();
    for (const std::string_view text : texts)
        out.Text(text);
    out.End();
}

using Columns = std::initializer_list<std::string_view>;

// What some drop-down lists show beyond their rows.
struct ListExtras {
    const std::string* Caption = nullptr;
    std::optional<bool> Visible;
    // The waveguide list's column layout.
    const MainForm* Widths = nullptr;
};

// A drop-down list: its column headings, its rows as shown, the selected index.
void List(JsonWriter& out, const ComboState& list, Columns columns, const ListExtras& extras = {}) {
    out.Object();
    if (extras.Caption)
        out.Key("caption").Text(*extras.Caption);
    if (extras.Widths) {
        out.Key("columnWidths").Array();
        for (const int width : extras.Widths->WaveguideColumnWidths)
            out.Number(width);
        out.End();
    }
    out.Key("columns");
    Texts(out, columns);
    if (extras.Widths)
        out.Key("dropDownWidth").Number(extras.Widths->WaveguideDropDownWidth);
    out.Key("enabled").Bool(list.Enabled);
    out.Key("rows").Array();
    for (const auto& row : list.Items)
        Texts(out, row);
    out.End();
    out.Key("selected").Number(list.ItemIndex);
    if (extras.Visible)
        out.Key("visible").Bool(*extras.Visible);
    if (extras.Widths)
        out.Key("wrColumn").Number(1);
    out.End();
}

void LengthBox(JsonWriter& out, const TPelmoraComboBox& box) {
    out.Object().Key("editable").Bool(box.Editable).Key("enabled").Bool(box.Enabled);
    out.Key("entries");
    Texts(out, box.Items);
    out.Key("selected").Number(box.ItemIndex).Key("text").Text(box.Text).End();
}

// A picture by its file name in Images/ (null when the control is empty).
void Picture(JsonWriter& out, const PictureState& picture) {
    if (picture.File.empty()) {
        out.Null();
        return;
    }
    out.Object()
        .Key("file")
        .Text(std::string_view(picture.File).substr(picture.File.rfind('/') + 1))
        .Key("stretched")
        .Bool(picture.Stretched)
        .End();
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

void Bands(JsonWriter& out, const FrequencyGroup& group) {
    out.Object().Key("buttons").Array();
    for (const TPelmoraRadioButton& band : group.BandButtons)
        out.Object()
            .Key("caption")
            .Text(band.Caption())
            .Key("checked")
            .Bool(band.Checked)
            .Key("code")
            .Text(band.BandCode)
            .Key("top")
            .Number(band.Top)
            .End();
    out.End().Key("headings").Array();
    for (const BandHeading& heading : group.Headings)
        out.Object().Key("text").Text(heading.Text).Key("top").Number(heading.Top).End();
    out.End().Key("selected").Number(group.SelectedBandIndex()).End();
}

void Lists(JsonWriter& out, const MainForm& form, bool shownOnly) {
    const bool coax = form.CoaxInFront;
    const MainForm::LengthPage page = form.ActiveLengthPage;
    const Columns flangeColumns = {" Code", " Flange Type", " Model"};
    out.Object();
    out.Key("adaptor")
        .Object()
        .Key("checked")
        .Bool(form.chkFlangeAdaptorChecked)
        .Key("visible")
        .Bool(form.chkFlangeAdaptorVisible)
        .End();
    out.Key("addToOrderEnabled").Bool(form.btnAddOrderEnabled);
    out.Key("bands");
    Bands(out, form.rgFrequency);
    if (coax || !shownOnly) {
        out.Key("coax");
        List(out, form.cbxCoax, {" Code", " Type"}, {&form.rgFlangeBCaption, coax, nullptr});
    }
    out.Key("finish");
    List(out, form.cbxFinish, {" Code", " Color"});
    out.Key("flangeA");
    List(out, form.cbxFlangeA, flangeColumns, {&form.rgFlangeACaption, std::nullopt, nullptr});
    if (!coax || !shownOnly) {
        out.Key("flangeB");
        List(out, form.cbxFlangeB, flangeColumns, {&form.rgFlangeBCaption, !coax, nullptr});
    }
    if (page == MainForm::DualPage || !shownOnly) {
        out.Key("legA");
        LengthBox(out, form.cbxLegALength);
        out.Key("legB");
        LengthBox(out, form.cbxLegBLength);
    }
    if (page == MainForm::MultiPage || !shownOnly) {
        out.Key("length");
        LengthBox(out, form.cbxLength);
    }
    out.Key("lengthPage").String(PageName(page));
    out.Key("lengthUnit").Text(form.LengthUnitLabel);
    out.Key("pictures").Object().Key("flangeA");
    Picture(out, form.imgFlangeA);
    out.Key("flangeB");
    Picture(out, form.imgFlangeB);
    out.Key("length");
    Picture(out, form.imgLength);
    out.Key("product");
    Picture(out, form.imgProduct);
    out.End();
    out.Key("preset")
        .Object()
        .Key("text")
        .Text(form.txtPresetLength)
        .Key("unit")
        .Text(form.PresetLengthUnitLabel())
        .End();
    out.Key("productType");
    List(out, form.cbxProductType, {" Family", " Family Type"});
    out.Key("screen").Number(form.ActivePage == MainForm::ScreenOne ? 1 : 2);
    out.Key("screenCaption").Text(form.ScreenCaption);
    out.Key("viewSpecsEnabled").Bool(form.btnViewSpecsEnabled);
    out.Key("waveguide");
    List(out, form.cbxWaveguide, {" Code", " WR", " US Military", " British", " IEC"},
         {nullptr, std::nullopt, &form});
    out.End();
}

} // namespace

json Text(const std::string& bytes) {
    return ToUtf8(bytes);
}

void WriteMessages(JsonWriter& out, const std::vector<Shown>& log, size_t first, size_t last) {
    out.Array();
    for (size_t i = first; i < last && i < log.size(); ++i)
        out.Object().Key("kind").String(log[i].Kind).Key("text").Text(log[i].Text).End();
    out.End();
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

void WriteWizard(JsonWriter& out, const MainForm& form, const AppState& app,
                 const WizardExtras& extras) {
    out.Object().Key("description").Text(form.BuildOrderDescription());
    out.Key("grid").Array();
    for (const auto& row : form.grdSpecs) {
        if (!row[1].empty() || !row[2].empty() || !row[3].empty())
            out.Object()
                .Key("code")
                .Text(row[1])
                .Key("item")
                .Text(row[2])
                .Key("value")
                .Text(row[3])
                .End();
    }
    out.End();
    if (extras.Input)
        out.Key("input").Text(*extras.Input);
    out.Key("lists");
    Lists(out, form, extras.ShownOnly);
    if (extras.Messages && !extras.ShownOnly) {
        out.Key("messages");
        WriteMessages(out, *extras.Messages, 0, extras.Messages->size());
    }
    out.Key("partNumber").Text(form.txtPartNumber);
    out.Key("screenOneComplete").Bool(form.ScreenOneComplete());
    std::vector<Selection> selections = Selections(form, app);
    std::sort(selections.begin(), selections.end(), [](const Selection& a, const Selection& b) {
        return std::string_view(a.Key) < std::string_view(b.Key);
    });
    out.Key("selections").Object();
    for (const Selection& s : selections)
        out.Key(s.Key).Object().Key("code").Text(s.Code).Key("name").Text(s.Name).End();
    out.End().End();
}

} // namespace pelmora::service
