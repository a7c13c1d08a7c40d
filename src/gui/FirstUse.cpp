#include "FirstUse.h"

#include "Text1252Qt.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace pelmora {

void RenderGlyphsAhead(const QFont& font) {
    std::string printable;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        if (byte != 0x7F)
            printable += static_cast<char>(byte);
    }
    const QString text = FromCore(printable);
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(text), metrics.height(),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font);
    for (const qreal offset : {0.0, 0.25, 0.5, 0.75})
        painter.drawText(QPointF(offset, metrics.ascent()), text);
}

} // namespace pelmora
