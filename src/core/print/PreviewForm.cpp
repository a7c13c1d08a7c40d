#include "PreviewForm.h"

#include "PelmoraPrint.h"
#include "catalogue/AppState.h"
#include "catalogue/Errors.h"
#include "catalogue/IniFile.h"
#include "catalogue/Numbers.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalWindows.h"
#include "platform/Platform.h"
#include "platform/Printer.h"

namespace pelmora {

namespace {

constexpr const char* Section = "PREVIEW";
constexpr const char* Key = "size";

} // namespace

std::string ZoomEntry(int index) {
    return std::to_string(PreviewForm::Percents[static_cast<size_t>(index)]) + " %";
}

PreviewForm::PreviewForm(AppState& app, Platform& platform) : app_(app), platform_(platform) {}

void PreviewForm::FormCreate() {
    const int stored = TIniFile(app_.SettingsDir + "Pelmora.ini").ReadInteger(Section, Key, 0);
    // A stored index without a zoom entry falls back to the first, 40 %.
    cbxPercentIndex = stored >= 0 && stored < static_cast<int>(Percents.size()) ? stored : 0;
    ApplyZoom(cbxPercentIndex);
}

void PreviewForm::FormDestroy() {
    try {
        TIniFile(app_.SettingsDir + "Pelmora.ini").WriteInteger(Section, Key, cbxPercentIndex);
    } catch (const FileError& error) {
        platform_.Messages.Error(error.what());
    }
}

void PreviewForm::ShowSpecsPreview(const SpecHeader& header, const TTxtTable& rows,
                                   const std::string& partNumber) {
    Header = header;
    SpecRows.Assign(rows);
    Caption = "Preview Part Number: " + partNumber;
    ApplyZoom(cbxPercentIndex);
    CloseRequested = false;
    platform_.Windows.ShowPreview();
}

void PreviewForm::ApplyZoom(int index) {
    const double percent = Percents[static_cast<size_t>(index)];
    PageWidth = static_cast<int>(RoundHalfEven(percent / 100 * TPelmoraPrint::PageWidthUnits));
    PageHeight = static_cast<int>(RoundHalfEven(percent / 100 * TPelmoraPrint::PageHeightUnits));
}

void PreviewForm::cbxPercentChange() {
    ApplyZoom(cbxPercentIndex);
}

void PreviewForm::btnSizeClick() {
    if (cbxPercentIndex == ResetIndex)
        return;
    cbxPercentIndex = ResetIndex;
    ApplyZoom(ResetIndex);
}

void PreviewForm::RenderPreview(Canvas& pageImage) const {
    TPelmoraPrint print(pageImage, static_cast<double>(PageWidth) / TPelmoraPrint::PageWidthUnits);
    DrawSpecSheet(print, app_.ImagesDir, Header, SpecRows);
}

void PreviewForm::btnPrintClick() {
    Printer& printer = platform_.Print;
    if (!printer.AskPrint(Header.PartNumber.empty() ? "Pelmora Specs" : Header.PartNumber))
        return;
    const double scale = static_cast<double>(printer.PageWidth()) / TPelmoraPrint::PageWidthUnits;
    TPelmoraPrint print(printer.BeginJob("Pelmora Specs"), scale);
    DrawSpecSheet(print, app_.ImagesDir, Header, SpecRows);
    printer.EndJob();
}

void PreviewForm::btnCloseClick() {
    CloseRequested = true;
}

} // namespace pelmora
