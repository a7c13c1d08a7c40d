#include "QtCanvas.h"

#include "Text1252Qt.h"

#include <QFontMetrics>
#include <QImage>
#include <QPen>

namespace pelmora {

namespace {

QRect ToQRect(const DeviceRect& box) {
    return QRect(QPoint(box.Left, box.Top), QPoint(box.Right - 1, box.Bottom - 1));
}

} // namespace

QtCanvas::QtCanvas(QPainter& painter, std::function<void()> newPage)
    : painter_(painter), newPage_(std::move(newPage)) {
    painter_.setPen(QPen(Qt::black, 1));
    ApplyFont();
}

void QtCanvas::SetFontName(const std::string& name) {
    font_.setFamily(FromCore(name));
    ApplyFont();
}

void QtCanvas::SetFontHeight(int height) {
    cellHeight_ = std::max(height, 1);
    ApplyFont();
}

void QtCanvas::SetBold(bool bold) {
    font_.setBold(bold);
    ApplyFont();
}

void QtCanvas::SetUnderline(bool underline) {
    font_.setUnderline(underline);
    ApplyFont();
}

// The height asked for is the font's full cell height (ascent and descent), so
// the em size is scaled down by the font's own proportion of the two.
void QtCanvas::ApplyFont() {
    font_.setPixelSize(cellHeight_);
    const int cell = QFontMetrics(font_, painter_.device()).height();
    if (cell > 0 && cell != cellHeight_)
        font_.setPixelSize(std::max(1, cellHeight_ * cellHeight_ / cell));
    painter_.setFont(font_);
}

void QtCanvas::SetPenWidth(int width) {
    QPen pen = painter_.pen();
    pen.setWidth(width);
    painter_.setPen(pen);
}

int QtCanvas::TextWidth(const std::string& text) {
    return painter_.fontMetrics().horizontalAdvance(FromCore(text));
}

int QtCanvas::TextHeight(const std::string&) {
    return painter_.fontMetrics().height();
}

void QtCanvas::TextOut(int x, int y, const std::string& text) {
    painter_.drawText(x, y + painter_.fontMetrics().ascent(), FromCore(text));
}

void QtCanvas::TextInBox(const DeviceRect& box, const std::string& text, bool rightAligned) {
    painter_.save();
    painter_.setClipRect(ToQRect(box));
    painter_.drawText(ToQRect(box),
                      Qt::TextWordWrap | Qt::AlignTop |
                          (rightAligned ? Qt::AlignRight : Qt::AlignLeft),
                      FromCore(text));
    painter_.restore();
}

bool QtCanvas::Picture(const DeviceRect& box, const std::string& path) {
    const QImage image(FromCore(path));
    if (image.isNull())
        return false;
    painter_.drawImage(ToQRect(box), image);
    return true;
}

void QtCanvas::Logo(const DeviceRect& box) {
    painter_.drawImage(ToQRect(box), QImage(QStringLiteral(":/pelmora/flash.gif")));
}

void QtCanvas::Line(int x1, int y1, int x2, int y2) {
    painter_.drawLine(x1, y1, x2, y2);
}

void QtCanvas::NewPage() {
    if (newPage_)
        newPage_();
}

} // namespace pelmora
