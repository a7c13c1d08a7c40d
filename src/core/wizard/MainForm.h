#pragma once

#include "Controls.h"
#include "catalogue/TxtTable.h"

#include <string>
#include <vector>

namespace pelmora {

struct AppState;
struct Platform;

// The main window's state and its start-up, menu and close handling.
class MainForm {
public:
    enum Screen { ScreenOne = 0, ScreenTwo = 1 };
    enum LengthPage { MultiPage, SinglePage, DualPage };

    MainForm(AppState& app, Platform& platform);

    void FormCreate();
    void FormClose();
    void mnuResetSettingsClick();
    void mnuImperialClick();
    void mnuMetricClick();
    void mnuHelpClick();

    // Window texts.
    static constexpr const char* Caption = "Corvane Pelmora 38";
    static constexpr const char* TitleText = "Pelmora 38";
    std::string ScreenCaption;
    Screen ActivePage = ScreenOne;
    std::string FocusedControl;

    // Menu.
    bool mnuImperialChecked = false;
    bool mnuMetricChecked = false;
    bool mnuHelpEnabled = false;

    // Screen 1.
    ComboState cbxProductType;
    PictureState imgProduct;
    ComboState cbxWaveguide;
    ComboState cbxFlangeA;
    PictureState imgFlangeA;
    ComboState cbxFlangeB;
    ComboState cbxCoax;
    PictureState imgFlangeB;
    LengthPage ActiveLengthPage = DualPage;
    TPelmoraComboBox cbxLength;
    TPelmoraComboBox cbxLegALength;
    TPelmoraComboBox cbxLegBLength;
    std::string txtPresetLength;
    PictureState imgLength;
    std::string LengthUnitLabel;

    // Screen 2.
    ComboState cbxFinish;
    std::string txtPartNumber;

    // Tables of the main form, alive from FormCreate to FormClose.
    TTxtTable FamilyTable;
    TTxtTable FlangeTable;
    TTxtTable DimensionsTable;
    TTxtTable WaveguideList;
    TTxtTable FlangeAList;
    TTxtTable FlangeBList;
    TTxtTable OrderLines;
    int WRColumn = 2;

private:
    void SwitchUnits(bool imperial);
    void ShowScreen(Screen screen);
    void FillProductTypeList();
    void ClearLengthBoxes();
    std::string SettingsPath() const;
    std::string HelpFile() const;

    AppState& app_;
    Platform& platform_;
};

} // namespace pelmora
