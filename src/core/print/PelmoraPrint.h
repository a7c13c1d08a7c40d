#pragma once

#include "platform/Canvas.h"

#include <string>

namespace pelmora {

// A box in page units: left, top, right, bottom.
struct PageRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

enum HorizontalAlignment { AlignLeft = 0, AlignCenter = 1, AlignRight = 2 };
enum VerticalAlignment { AlignTop = 0, AlignMiddle = 1, AlignBottom = 2 };

// Draws in page units (850 across a letter page) on a canvas in device units: a
// length n becomes n x scale, rounded to the nearest unit with halves to even.
class TPelmoraPrint {
public:
    static constexpr int PageWidthUnits = 850;
    static constexpr int PageHeightUnits = 1100;

    TPelmoraPrint(Canvas& canvas, double scale) : ScaleX(scale), ScaleY(scale), Canvas_(&canvas) {}

    double ScaleX;
    double ScaleY;
    Canvas& GetCanvas() { return *Canvas_; }

    int X(double units) const;
    int Y(double units) const;
    DeviceRect Box(const PageRect& box) const;

    // Font heights are full cell heights in page units; the pen is 2 units wide.
    void SetFont(const std::string& name, int height);
    void SetFontHeight(int height);
    void SetPen();

    void TextLeft(int x, int y, const std::string& text);
    void TextCenter(int x, int y, const std::string& text);
    void TextRight(int x, int y, const std::string& text);
    void TextAligned(int x, int y, HorizontalAlignment horizontal, VerticalAlignment vertical,
                     const std::string& text);
    void DrawTextBox(const PageRect& box, const std::string& text, bool rightAligned);
    bool DrawBitmap(const PageRect& box, const std::string& path);
    void DrawLine(int x1, int y1, int x2, int y2);

private:
    ::pelmora::Canvas* Canvas_;
};

} // namespace pelmora
