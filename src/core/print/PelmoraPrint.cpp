#include "PelmoraPrint.h"

#include "catalogue/Numbers.h"

namespace pelmora {

int TPelmoraPrint::X(double units) const {
    return static_cast<int>(RoundHalfEven(units * ScaleX));
}

int TPelmoraPrint::Y(double units) const {
    return static_cast<int>(RoundHalfEven(units * ScaleY));
}

DeviceRect TPelmoraPrint::Box(const PageRect& box) const {
    return {X(box.Left), Y(box.Top), X(box.Right), Y(box.Bottom)};
}

void TPelmoraPrint::SetFont(const std::string& name, int height) {
    Canvas_->SetFontName(name);
    SetFontHeight(height);
}

void TPelmoraPrint::SetFontHeight(int height) {
    Canvas_->SetFontHeight(Y(height));
}

void TPelmoraPrint::SetPen() {
    Canvas_->SetPenWidth(X(2));
}

void TPelmoraPrint::TextLeft(int x, int y, const std::string& text) {
    Canvas_->TextOut(X(x), Y(y), text);
}

void TPelmoraPrint::TextCenter(int x, int y, const std::string& text) {
    Canvas_->TextOut(X(x) - Canvas_->TextWidth(text) / 2, Y(y), text);
}

void TPelmoraPrint::TextRight(int x, int y, const std::string& text) {
    Canvas_->TextOut(X(x) - Canvas_->TextWidth(text), Y(y), text);
}

void TPelmoraPrint::TextAligned(int x, int y, HorizontalAlignment horizontal,
                                VerticalAlignment vertical, const std::string& text) {
    const int width = Canvas_->TextWidth(text);
    const int height = Canvas_->TextHeight(text);
    const double dx = horizontal == AlignCenter ? width / 2 : horizontal == AlignRight ? width : 0;
    const double dy = vertical == AlignMiddle ? height / 2 : vertical == AlignBottom ? height : 0;
    Canvas_->TextOut(static_cast<int>(RoundHalfEven(x * ScaleX - dx)),
                     static_cast<int>(RoundHalfEven(y * ScaleY - dy)), text);
}

void TPelmoraPrint::DrawTextBox(const PageRect& box, const std::string& text, bool rightAligned) {
    Canvas_->TextInBox(Box(box), text, rightAligned);
}

bool TPelmoraPrint::DrawBitmap(const PageRect& box, const std::string& path) {
    return Canvas_->Picture(Box(box), path);
}

void TPelmoraPrint::DrawLine(int x1, int y1, int x2, int y2) {
    Canvas_->Line(X(x1), Y(y1), X(x2), Y(y2));
}

} // namespace pelmora
