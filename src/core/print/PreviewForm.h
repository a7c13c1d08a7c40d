#pragma once

#include "PrintedPages.h"
#include "catalogue/TxtTable.h"

#include <array>
#include <string>

namespace pelmora {

struct AppState;
struct Platform;
class Canvas;

// The print preview of the specification sheet, at one of ten zooms.
class PreviewForm {
public:
    static constexpr std::array<int, 10> Percents = {40, 50, 60, 70, 75, 80, 85, 90, 100, 110};
    static constexpr int ResetIndex = 6;

    PreviewForm(AppState& app, Platform& platform);

    // Shows the sheet of the header and the rows modally.
    void ShowSpecsPreview(const SpecHeader& header, const TTxtTable& rows,
                          const std::string& partNumber);

    void FormCreate();
    void FormDestroy();
    void cbxPercentChange();
    void btnSizeClick();
    void btnPrintClick();
    void btnCloseClick();

    // Draws the sheet into the page image, which is PageWidth pixels wide.
    void RenderPreview(Canvas& pageImage) const;

    std::string Caption;
    int cbxPercentIndex = 0;
    int PageWidth = 0;
    int PageHeight = 0;
    bool CloseRequested = false;
    SpecHeader Header;
    TTxtTable SpecRows;

private:
    void ApplyZoom(int index);

    AppState& app_;
    Platform& platform_;
};

// "40 %" ... "110 %", the entries of the zoom list.
std::string ZoomEntry(int index);

} // namespace pelmora
