#pragma once

#include "Controls.h"
#include "FrequencyGroup.h"
#include "catalogue/Family.h"
#include "catalogue/TxtTable.h"
#include "order/OrderJournal.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

struct AppState;
struct Platform;
class MessageBoxes;
class AddOrderForm;
class OrderForm;
class PreviewForm;
struct SpecHeader;
struct TableSource;

// The main window: the two wizard screens with their selection cascade, lengths,
// bands, description grid and part number, and the start-up, menu and close
// handling around them. The handlers carry the names of the window's events.
class MainForm {
public:
    enum Screen { ScreenOne = 0, ScreenTwo = 1 };
    enum LengthPage { MultiPage = 0, SinglePage = 1, DualPage = 2 };
    static constexpr int GridRows = 11;
    static constexpr int GridColumns = 4;

    MainForm(AppState& app, Platform& platform);
    // The order dialogs the part and the order are handed to.
    void UseOrderForms(AddOrderForm& addOrder, OrderForm& order);
    void UsePreviewForm(PreviewForm& preview);

    // Start-up, menu and close.
    void FormCreate();
    // Whether the window may close: an order changed since it was last saved or
    // opened is offered for saving first (Yes saves, No closes, Cancel stays).
    bool FormCloseQuery();
    void FormClose();
    // At start: an order left by a run that did not close normally is offered
    // back.
    void RestoreUnsavedOrder();
    void mnuOpenOrderClick();
    void mnuResetSettingsClick();
    void mnuImperialClick();
    void mnuMetricClick();
    void mnuHelpClick();
    void mnuAboutClick();
    void mnuUpdateClick();
    // The main window became the active window.
    void FormActivate();

    // Screen 1 selections.
    void cbxProductTypeChange();
    void cbxWaveguideChange();
    void cbxFlangeAChange();
    void cbxFlangeBChange();
    void cbxCoaxChange();
    void cbxFinishChange();

    // Lengths.
    void cbxLengthChange();
    void cbxLegALengthChange();
    void cbxLegBLengthChange();
    void chkFlangeAdaptorClick();
    void LengthBoxEnter(TPelmoraComboBox& box);
    // forNextClick: the box loses the focus to a click on Next, which follows.
    void LengthBoxExit(TPelmoraComboBox& box, bool forNextClick = false);

    // Frequency bands.
    void BandClick(int index);
    void btnOtherFreqRangesClick();

    // Screen 2 and navigation.
    void btnCreateClick();
    void btnAddOrderClick();
    void btnViewOrderClick();
    void btnViewSpecsClick();
    SpecHeader CollectSpecHeader() const;
    // The description grid's rows that are not blank, the units row left out.
    void CollectSpecRows(TTxtTable& rows) const;
    std::string BuildOrderDescription() const;
    // The same, appended to the text.
    void AppendOrderDescription(std::string& text) const;
    void btnNextClick();
    void btnBackClick();
    void btnFinishClick();
    bool ScreenOneComplete() const;
    void RefreshDescription();

    // Sets every choice the part number encodes and shows screen 1.
    void ApplyPartNumber(const std::string& text);
    // The Options menu's dialogs.
    void mnuConvertClick();
    void mnuCreateFromPartNumberClick();

    // A user's choice: the entry is selected, then its change handling runs.
    void PickProductType(int index);
    void PickWaveguide(int index);
    void PickFlangeA(int index);
    void PickFlangeB(int index);
    void PickCoax(int index);
    void PickFinish(int index);
    void PickLength(TPelmoraComboBox& box, int index);
    // A user typing into an editable length box.
    void TypeLength(TPelmoraComboBox& box, const std::string& text);
    void ToggleFlangeAdaptor();

    TProductFamily Family() const;
    // The picture files that picking each family shows (its photo and its length
    // drawing), for a face that reads them before the first pick.
    std::vector<std::string> FamilyPictures() const;
    // Picks each family once on a copy nobody sees, its messages untold, so that the
    // user's first pick finds the tables it reads kept and its code warm.
    void PickEachFamilyAhead() const;

    // Window texts.
    static constexpr const char* Caption = "Corvane Pelmora 38";
    static constexpr const char* TitleText = "Pelmora 38";
    std::string ScreenCaption;
    Screen ActivePage = ScreenOne;
    std::string FocusedControl;
    bool CloseRequested = false;

    // Menu.
    bool mnuImperialChecked = false;
    bool mnuMetricChecked = false;
    bool mnuHelpEnabled = false;

    // Screen 1.
    ComboState cbxProductType;
    PictureState imgProduct;
    ComboState cbxWaveguide;
    std::vector<int> WaveguideColumnWidths{30, 60, 60, 60, 60};
    int WaveguideDropDownWidth = 260;
    std::string rgFlangeACaption = " Flange A ";
    ComboState cbxFlangeA;
    PictureState imgFlangeA;
    std::string rgFlangeBCaption = " Flange B ";
    ComboState cbxFlangeB;
    ComboState cbxCoax;
    bool CoaxInFront = false;
    PictureState imgFlangeB;
    LengthPage ActiveLengthPage = DualPage;
    TPelmoraComboBox cbxLength;
    TPelmoraComboBox cbxLegALength;
    TPelmoraComboBox cbxLegBLength;
    bool chkFlangeAdaptorChecked = false;
    bool chkFlangeAdaptorVisible = false;
    std::string txtPresetLength;
    PictureState imgLength;
    std::string LengthUnitLabel;
    // The unit shown beside the preset length: only beside a number, never beside
    // "N/A", "U/F" or an empty box.
    std::string PresetLengthUnitLabel() const;
    int LastValidLengthIndex = -1;
    // The box last left held a typed length that failed its check and was replaced
    // by an entry; the user has neither typed nor picked a length since, nor
    // pressed Next.
    bool TypedLengthRefused = false;
    // The refusal came from a click on Next: that one click leaves screen 1 shown.
    bool NextHeld = false;

    // Screen 2.
    ComboState cbxFinish;
    FrequencyGroup rgFrequency;
    std::string txtPartNumber;
    bool btnAddOrderEnabled = false;
    bool btnViewSpecsEnabled = false;
    std::array<std::array<std::string, GridColumns>, GridRows> grdSpecs{};

    // Tables of the main form, alive from FormCreate to FormClose.
    TTxtTable FamilyTable;
    TTxtTable FlangeTable;
    TTxtTable DimensionsTable;
    TTxtTable WaveguideList;
    TTxtTable FlangeAList;
    TTxtTable FlangeBList;
    TTxtTable OrderLines;
    OrderJournal Journal{""};
    int WRColumn = 2;

private:
    // The column of the list's selected entry in its table; empty with none.
    static std::string_view SelectedField(const TTxtTable& table, const ComboState& list,
                                          int column);

    // Selection cascade.
    void BuildWaveguideList(TProductFamily family);
    void ApplyFinishRule(TProductFamily family);
    void FillFamilyLists(TProductFamily family);
    void FillStandardFlanges(const std::string& waveguide, TTxtTable& rows, ComboState& list);
    void FillPressureWindowFlanges(const std::string& waveguide);
    void FillStepTwistFlanges(const std::string& waveguide);
    void FillCoaxTypes(const std::string& waveguide);
    void RestoreFlanges(TProductFamily family, const std::optional<std::string>& flangeA,
                        const std::optional<std::string>& flangeB);
    void ClearDependentChoices();
    void SetLengthPage(TProductFamily family);
    void SetSecondGroup(TProductFamily family);

    // Lengths.
    void FillRangeLengths(TPelmoraComboBox& box);
    void FillFlexLengths(TPelmoraComboBox& box);
    void FillPresetLength();
    void FillStepTwistLength(const std::string& waveguide);
    void ShowUnitsList(TPelmoraComboBox& box);
    void SelectLengthEntry(TPelmoraComboBox& box, int index);
    void LengthBoxChange(TPelmoraComboBox& box);
    void ClearLengthBoxes();
    void SwitchUnits(bool imperial);
    bool ConvertLengthLists();
    bool ConvertLengthBox(TPelmoraComboBox& box);
    void ConvertHiddenLengthBoxes();
    void ValidateTypedLength(TPelmoraComboBox& box);
    std::string FlexLengthInches() const;
    std::string FocusName(const TPelmoraComboBox& box) const;

    // Bands.
    TableSource Tables() const;
    void BuildBands(TTxtTable candidates);
    void LoadWaveguideBands();
    void LoadFlexTwistBands();
    void LoadStepTwistBands();
    void LoadCoaxBands();
    void LoadPressureWindowBands();

    // Description grid and part number.
    void ClearGridCells();
    void FillDescriptionGrid(TProductFamily family, MessageBoxes& messages);
    void TellUnencodableLengths();
    void ComposePartNumber(TProductFamily family);
    std::string ComposeFromCode(TProductFamily family);
    std::string FinishLetter() const;
    bool ConfirmMiterLegs();
    bool ConfirmTaperedEnds();

    // The current selections as catalogue codes ("" when nothing is selected).
    std::string FamilyField(int column) const;
    std::string WaveguideField(int column) const;
    std::string FlangeAField(int column) const;
    std::string FlangeBField(int column) const;
    std::string CoaxField(int column) const;

    void ShowScreen(Screen screen);
    void FillProductTypeList();
    void WriteOrderOnClose();
    void ParsePartNumber(const std::string& text);
    int LengthEntryFor(const TPelmoraComboBox& box, const std::string& digits,
                       TProductFamily family) const;
    std::string SettingsPath() const;
    std::string HelpFile() const;

    AppState& app_;
    Platform& platform_;
    // A part number is being applied: its choices are described once, at the end.
    bool applyingPartNumber_ = false;
    AddOrderForm* addOrder_ = nullptr;
    OrderForm* order_ = nullptr;
    PreviewForm* preview_ = nullptr;
};

} // namespace pelmora
