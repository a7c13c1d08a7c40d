#include "PrintedPages.h"

#include "PelmoraPrint.h"
#include "catalogue/Deployment.h"
#include "catalogue/FileSystem.h"
#include "catalogue/TxtTable.h"

namespace pelmora {

namespace {

void Bold(TPelmoraPrint& print, bool bold) {
    print.GetCanvas().SetBold(bold);
}

std::string PageText(int page, int total) {
    return "Page " + std::to_string(page) + " of " + std::to_string(total);
}

} // namespace

void DrawPageFrame(TPelmoraPrint& print, const std::string& title, const std::string& pageText) {
    print.GetCanvas().Logo(print.Box({625, 20, 800, 90}));
    print.SetPen();
    print.SetFont("Times New Roman", 50);
    print.TextLeft(50, 30, title);
    print.DrawLine(50, 100, 800, 100);
    print.DrawLine(50, 1050, 800, 1050);
    print.SetFontHeight(14);
    Bold(print, true);
    print.TextLeft(50, 1060, MakerName);
    print.TextCenter(425, 1060, MakerWebAddress);
    print.TextRight(800, 1060, pageText);
    Bold(print, false);
}

void DrawSpecHeader(TPelmoraPrint& print, const std::string& title, const std::string& partNumber) {
    DrawPageFrame(print, title, "Page 1 of 1");
    print.SetFont("Arial", 20);
    Bold(print, true);
    print.TextCenter(425, 175, "Part Number: " + partNumber);
    Bold(print, false);
}

void DrawOrderHeader(TPelmoraPrint& print, const std::string& title, const std::string& pageText) {
    DrawPageFrame(print, title, pageText);
    print.SetFont("Arial", 16);
    Bold(print, true);
    print.TextAligned(110, 165, AlignRight, AlignBottom, "Quantity");
    print.TextAligned(225, 165, AlignRight, AlignBottom, "Price");
    print.TextAligned(250, 165, AlignLeft, AlignBottom, "Delivery Time");
    print.TextAligned(375, 165, AlignLeft, AlignBottom, "Part Number");
    print.TextAligned(660, 165, AlignCenter, AlignBottom, "Description");
    Bold(print, false);
}

void DrawPicture(TPelmoraPrint& print, const std::string& imagesDir, const std::string& file,
                 const PageRect& box) {
    const auto path = FileInFolder(imagesDir, file);
    if (!path || !print.DrawBitmap(box, *path))
        print.TextLeft(box.Left, box.Top, "Image not available");
}

void DrawSpecSheet(TPelmoraPrint& print, const std::string& imagesDir, const SpecHeader& header,
                   const TTxtTable& rows) {
    DrawSpecHeader(print, "Pelmora Specifications", header.PartNumber);
    const std::pair<const std::string*, PageRect> pictures[] = {
        {&header.FlangeAPicture, {50, 300, 250, 430}},
        {&header.ProductPicture, {250, 250, 600, 495}},
        {&header.FlangeBPicture, {600, 300, 800, 430}}};
    for (const auto& [file, box] : pictures) {
        if (!file->empty())
            DrawPicture(print, imagesDir, *file, box);
    }
    print.SetFont("Arial", 20);
    Bold(print, true);
    print.GetCanvas().SetUnderline(true);
    print.TextAligned(150, 645, AlignLeft, AlignBottom, "Description");
    Bold(print, false);
    print.GetCanvas().SetUnderline(false);
    print.SetFontHeight(16);
    for (int row = 0; row < rows.RowCount(); ++row) {
        const int y = 650 + 18 * row;
        print.TextLeft(150, y, rows.GetField(row, 3));
        print.TextLeft(300, y, rows.GetField(row, 4));
    }
}

int DrawOrderLine(TPelmoraPrint& print, int top, const TTxtTable& lines, int line) {
    const int bottom = top + 75;
    print.DrawTextBox({50, top, 110, bottom}, lines.GetField(line, 1), true);
    print.DrawTextBox({110, top, 225, bottom}, lines.GetField(line, 2), true);
    print.DrawTextBox({250, top, 350, bottom}, lines.GetField(line, 3), false);
    print.DrawTextBox({375, top, 525, bottom}, lines.GetField(line, 4), false);
    print.DrawTextBox({525, top, 800, bottom}, lines.GetField(line, 5), false);
    return bottom;
}

int DrawOrderPages(TPelmoraPrint& print, const TTxtTable& lines, int total) {
    constexpr const char* Title = "Pelmora Order";
    int page = 1;
    DrawOrderHeader(print, Title, PageText(page, total));
    print.SetFont("Arial", 15);
    int y = 175;
    for (int line = 0; line < lines.RowCount(); ++line) {
        y = DrawOrderLine(print, y, lines, line) + 10;
        if (y > 950 && line + 1 < lines.RowCount()) {
            if (total != 0)
                print.GetCanvas().NewPage();
            ++page;
            DrawOrderHeader(print, Title, PageText(page, total));
            print.SetFont("Arial", 16);
            y = 175;
        }
    }
    return page;
}

} // namespace pelmora
