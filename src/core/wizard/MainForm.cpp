#include "MainForm.h"

#include "ShowImage.h"
#include "catalogue/AppState.h"
#include "catalogue/Errors.h"
#include "catalogue/FileSystem.h"
#include "catalogue/IniFile.h"
#include "catalogue/Numbers.h"
#include "order/OrderForm.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalWindows.h"
#include "platform/Platform.h"
#include "update/UpdateForms.h"

#include <utility>

namespace pelmora {

namespace {

constexpr const char* UnitsSection = "UNITS";
constexpr const char* UnitsKey = "type";
constexpr const char* ProductPhotoAtRest = "WG.gif";
const std::string SettingsName = "Pelmora.ini";
const std::string HelpName = "Pelmora38.hlp";

} // namespace

MainForm::MainForm(AppState& app, Platform& platform) : app_(app), platform_(platform) {
    cbxFinish.Items = {{"G", "Gray"}, {"N", "Unpainted"}};
    cbxFinish.ItemIndex = 0;
    ScreenCaption = "Wizard - Screen 1 of 2";
}

std::string MainForm::SettingsPath() const {
    return app_.SettingsDir + SettingsName;
}

std::string MainForm::HelpFile() const {
    return app_.AppDir + HelpName;
}

TProductFamily MainForm::Family() const {
    const int index = cbxProductType.ItemIndex;
    return index < 0 || index > pfTaperedTransition ? pfUnknown : TProductFamily(index);
}

void MainForm::FormCreate() {
    // The core reads and writes numbers with "." whatever the locale, so the
    // process-wide number formats need nothing here.
    // A server makes a form for every request: without a settings file the units
    // are the default, and nothing is read.
    const auto settingsFile = app_.OwnFile(app_.SettingsDir, SettingsName);
    const std::string units =
        settingsFile ? TIniFile(*settingsFile).ReadString(UnitsSection, UnitsKey, "P") : "P";
    if (units == "P") {
        app_.ImperialUnits = true;
        mnuImperialClick();
    } else {
        app_.ImperialUnits = false;
        mnuMetricClick();
    }

    FlangeAList = TTxtTable();
    FlangeBList = TTxtTable();
    OrderLines = TTxtTable();
    WaveguideList = TTxtTable();
    Journal = OrderJournal(app_.SettingsDir);

    // Only looked up in while the form lives: kept as lookup tables, which copies
    // of the form share; read through the cache, where a server builds a form for
    // every request.
    FamilyTable = *Tables().Load("Family.tbl");
    FlangeTable = *Tables().Load("Flange.tbl");
    DimensionsTable = *Tables().Load("Dimensions.tbl");

    imgProduct = ShowImage(app_, ProductPhotoAtRest, true);
    FillProductTypeList();

    mnuHelpEnabled = app_.OwnFile(app_.AppDir, HelpName).has_value();
}

void MainForm::FillProductTypeList() {
    cbxProductType.Clear();
    for (int row = 0; row < FamilyTable.RowCount(); ++row)
        cbxProductType.Items.push_back(
            {FamilyTable.GetField(row, 1), FamilyTable.GetField(row, 2)});
}

void MainForm::FormClose() {
    try {
        TIniFile settings(SettingsPath());
        settings.WriteString(UnitsSection, UnitsKey, app_.ImperialUnits ? "P" : "M");
    } catch (const FileError& error) {
        platform_.Messages.Error(error.what());
    }
    WriteOrderOnClose();
    Journal.RemoveRecovery();

    FamilyTable = TTxtTable();
    FlangeTable = TTxtTable();
    DimensionsTable = TTxtTable();
    WaveguideList = TTxtTable();
    FlangeAList = TTxtTable();
    FlangeBList = TTxtTable();
    OrderLines = TTxtTable();
}

bool MainForm::FormCloseQuery() {
    if (!Journal.Modified(OrderLines))
        return true;
    switch (platform_.Messages.AskYesNoCancel("Save changes to the order before closing?")) {
    case Answer::Yes:
        if (order_ && order_->SaveOrderAs(OrderLines))
            return true;
        break;
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    CloseRequested = false;
    return false;
}

void MainForm::RestoreUnsavedOrder() {
    // One order comes back into this window; the others left behind are offered
    // again at the next start, unless declined now.
    for (LeftOrder& left : Journal.LeftBehind()) {
        if (platform_.Messages.Confirm(
                "The program did not close normally. Restore the order with " +
                std::to_string(left.Lines.size()) + " lines?")) {
            OrderLines.Lines = std::move(left.Lines);
            Journal.Record(OrderLines, platform_.Messages);
            left.Discard();
            return;
        }
        left.Discard();
    }
}

void MainForm::mnuOpenOrderClick() {
    if (order_)
        order_->OpenOrder(OrderLines);
}

void MainForm::mnuResetSettingsClick() {
    cbxProductType.ItemIndex = -1;
    imgProduct = ShowImage(app_, ProductPhotoAtRest, true);

    cbxWaveguide.Clear();
    FlangeAList = TTxtTable();
    FlangeBList = TTxtTable();
    cbxFlangeA.Clear();
    imgFlangeA = {};
    cbxFlangeB.Clear();
    imgFlangeB = {};
    cbxCoax.Clear();

    ClearLengthBoxes();
    SetLengthPage(pfUnknown);
    txtPresetLength.clear();
    imgLength = {};

    cbxFinish.ItemIndex = -1;
    rgFrequency.ClearBands();
    txtPartNumber.clear();

    ShowScreen(ScreenOne);
    FocusedControl = "cbxProductType";
    // The grid and the commands on screen 2 must not go on describing the part
    // that was just cleared away.
    RefreshDescription();
}

void MainForm::FormActivate() {
    CheckUpdateReminder(app_, platform_);
}

void MainForm::mnuUpdateClick() {
    ShowQuickUpdate(app_, platform_, "");
}

void MainForm::mnuAboutClick() {
    AboutForm about(app_, platform_);
    platform_.Windows.ShowAbout(about);
}

void MainForm::mnuConvertClick() {
    platform_.Windows.ShowConvert();
}

void MainForm::mnuCreateFromPartNumberClick() {
    platform_.Windows.ShowQuickBuilder();
}

void MainForm::mnuHelpClick() {
    platform_.Help.ShowHelp(ResolvePath(HelpFile()), 1);
}

void MainForm::ShowScreen(Screen screen) {
    ActivePage = screen;
    ScreenCaption = screen == ScreenOne ? "Wizard - Screen 1 of 2" : "Wizard - Screen 2 of 2";
}

std::string MainForm::PresetLengthUnitLabel() const {
    return IsNumericText(txtPresetLength) ? LengthUnitLabel : std::string();
}

bool MainForm::ScreenOneComplete() const {
    const TProductFamily family = Family();
    if (family == pfUnknown || !cbxWaveguide.HasSelection())
        return false;
    bool flanges = cbxFlangeA.HasSelection();
    if (family == pfCoax)
        flanges = flanges && cbxCoax.HasSelection();
    else if (family != pfPressureWindow)
        flanges = flanges && cbxFlangeB.HasSelection();
    if (!flanges)
        return false;
    switch (family) {
    case pfStraightSection:
    case pfFlexTwist:
        return !cbxLength.Text.empty();
    case pfEBend:
    case pfHBend:
    case pfMiterH:
    case pfMiterE:
        return !cbxLegALength.Text.empty() && !cbxLegBLength.Text.empty();
    default:
        return true;
    }
}

void MainForm::btnNextClick() {
    // Leaving the box for this very click refused the typed length: screen 1
    // stays, with the entry chosen in its place, for the user to see it.
    const bool held = std::exchange(NextHeld, false);
    TypedLengthRefused = false;
    if (held)
        return;
    if (ScreenOneComplete())
        ShowScreen(ScreenTwo);
    else
        platform_.Messages.Information("Please fill all options to continue.");
}

void MainForm::btnBackClick() {
    ShowScreen(ScreenOne);
}

void MainForm::btnFinishClick() {
    // An unsaved order makes the closing ask its own question, which may cancel: one
    // question, not two in a row.
    if (Journal.Modified(OrderLines) || platform_.Messages.Confirm("Do you wish to exit now?"))
        CloseRequested = true;
}

} // namespace pelmora
