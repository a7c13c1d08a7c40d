#include "CataloguePart.h"

#include "catalogue/TableSource.h"
#include "platform/BusyCursor.h"
#include "platform/ConfirmDialogs.h"
#include "wizard/MainForm.h"

namespace pelmora {

namespace {

// The first row whose column holds the text, or -1.
int FindRow(const TTxtTable& table, int column, const std::string& text) {
    const std::vector<int>& rows = table.RowsWhere(column, text);
    return rows.empty() ? -1 : rows.front();
}

int FindEntry(const ComboState& list, const std::string& code) {
    for (size_t i = 0; i < list.Items.size(); ++i) {
        if (!list.Items[i].empty() && list.Items[i][0] == code)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

// The dialogs of Create answered without a word; no cursor to show.
class CataloguePartReader::Seams : public ConfirmDialogs, public BusyCursor {
public:
    ModalResult ConfirmTapered(const std::string&) override { return ModalResult::Ok; }
    ModalResult ConfirmLegSwap(const std::string&, const std::string&) override {
        return ModalResult::Ok;
    }
    void Show(bool) override {}
};

CataloguePartReader::CataloguePartReader(const AppState& app, Platform& platform)
    : app_(app), startUnits_(app.ImperialUnits),
      seams_(std::make_unique<Seams>()), platform_{
                                             platform.Messages, platform.Help,  *seams_,
                                             platform.Windows,  platform.Files, *seams_,
                                             platform.Print,    platform.Time,  platform.Net} {
    app_.BuildingFromPartNumber = false;
    app_.ShowsPictures = false;
    started_ = std::make_unique<MainForm>(app_, platform_);
    started_->FormCreate();
    startUnits_ = app_.ImperialUnits;
}

CataloguePartReader::~CataloguePartReader() = default;

std::string CataloguePartReader::NotInCatalogueMessage(const std::string& partNumber) {
    return "\"" + partNumber + "\" is not a part number of the catalogue.";
}

CataloguePart CataloguePartReader::Examine(const std::string& partNumber) {
    // A fresh copy of the wizard as it stood after start-up, in the units it
    // started with.
    app_.ImperialUnits = startUnits_;
    app_.BuildingFromPartNumber = false;
    MainForm wizard(*started_);
    CataloguePart part = FromTable(partNumber, wizard);
    if (part.Family == pfUnknown)
        part = FromWizard(partNumber, wizard);
    return part;
}

CataloguePart CataloguePartReader::FromTable(const std::string& partNumber, MainForm& wizard) {
    const TableSource tables = app_.Tables(platform_.Messages);
    if (ClassifyFamily(partNumber, tables) == pfStepTwist) {
        const TableRef steps = tables.Load("StepTwist.tbl");
        const int row = FindRow(*steps, 5, partNumber);
        wizard.ApplyPartNumber(partNumber);
        // The part number names its band only through its table row.
        const auto& bands = wizard.rgFrequency.BandButtons;
        for (size_t i = 0; row >= 0 && i < bands.size(); ++i) {
            if (bands[i].RangeText == steps->FieldView(row, 3)) {
                wizard.BandClick(static_cast<int>(i));
                break;
            }
        }
        return {row >= 0, pfStepTwist, wizard.BuildOrderDescription()};
    }

    const TableRef windows = tables.Load("PressureWindows.tbl");
    const int row = FindRow(*windows, 4, partNumber);
    if (row < 0)
        return {};
    // Pressure-window part numbers do not parse; the wizard is walked to the row.
    wizard.PickProductType(pfPressureWindow);
    if (const int size = FindEntry(wizard.cbxWaveguide, windows->GetField(row, 1)); size >= 0)
        wizard.PickWaveguide(size);
    if (const int flange = FindEntry(wizard.cbxFlangeA, windows->GetField(row, 2)); flange >= 0)
        wizard.PickFlangeA(flange);
    return {true, pfPressureWindow, wizard.BuildOrderDescription()};
}

CataloguePart CataloguePartReader::FromWizard(const std::string& partNumber, MainForm& wizard) {
    wizard.ApplyPartNumber(partNumber);
    CataloguePart part{false, wizard.Family(), wizard.BuildOrderDescription()};
    if (part.Family == pfUnknown || !wizard.ScreenOneComplete())
        return part;
    wizard.btnCreateClick();
    part.Known = wizard.txtPartNumber == partNumber;
    return part;
}

} // namespace pelmora
