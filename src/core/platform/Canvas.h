#pragma once

#include <string>

namespace pelmora {

// A rectangle in device units: left, top, right, bottom.
struct DeviceRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const DeviceRect&) const = default;
};

// A surface the printed pages are drawn on: a printer's page or an off-screen
// bitmap. Coordinates and sizes are in device units; texts are Windows-1252.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void SetFontName(const std::string& name) = 0;
    // The full cell height of the font, in device units.
    virtual void SetFontHeight(int height) = 0;
    virtual void SetBold(bool bold) = 0;
    virtual void SetUnderline(bool underline) = 0;
    virtual void SetPenWidth(int width) = 0;

    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;
    // Text with its top-left corner at the point.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // Text word-wrapped in the box from its top, left- or right-aligned, clipped.
    virtual void TextInBox(const DeviceRect& box, const std::string& text, bool rightAligned) = 0;
    // The picture file stretched into the box, drawn opaque; false when the file
    // cannot be read as a picture (nothing is drawn then).
    virtual bool Picture(const DeviceRect& box, const std::string& path) = 0;
    // The program's built-in logo stretched into the box.
    virtual void Logo(const DeviceRect& box) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // Ends the page and starts the next one of a print job.
    virtual void NewPage() = 0;
};

} // namespace pelmora
