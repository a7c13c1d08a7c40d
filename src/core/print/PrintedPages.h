#pragma once

#include <string>

namespace pelmora {

class TPelmoraPrint;
class TTxtTable;
struct PageRect;

// The pictures and part number at the top of a specification sheet.
struct SpecHeader {
    std::string FlangeAPicture;
    std::string ProductPicture;
    std::string FlangeBPicture;
    std::string PartNumber;
};

// Printed under every page of both documents.
constexpr const char* MakerName = "Corvane Corporation";

void DrawPageFrame(TPelmoraPrint& print, const std::string& title, const std::string& pageText);
void DrawSpecHeader(TPelmoraPrint& print, const std::string& title, const std::string& partNumber);
void DrawOrderHeader(TPelmoraPrint& print, const std::string& title, const std::string& pageText);
// The picture from the images folder, or "Image not available" at the box's corner.
void DrawPicture(TPelmoraPrint& print, const std::string& path, const PageRect& box);
// One page; rows hold the item name in column 3 and the value in column 4.
void DrawSpecSheet(TPelmoraPrint& print, const std::string& imagesDir, const SpecHeader& header,
                   const TTxtTable& rows);
// The bottom of the line's boxes.
int DrawOrderLine(TPelmoraPrint& print, int top, const TTxtTable& lines, int line);
// Ten lines a page; a total of 0 is the counting pass that starts no pages.
// Returns the number of pages.
int DrawOrderPages(TPelmoraPrint& print, const TTxtTable& lines, int total);

} // namespace pelmora
