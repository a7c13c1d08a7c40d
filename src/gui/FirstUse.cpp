#include "FirstUse.h"

#include <QImage>
#include <QPainter>
#include <QTextLayout>

namespace pelmora {

void RenderGlyphsAhead(const QFont& font) {
    QString printable;
    for (char16_t character = u' '; character < u'\x7F'; ++character)
        printable += QChar(character);
    // Laid out once, drawn at each quarter-pixel position.
    QTextLayout layout(printable, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QRectF bounds = layout.boundingRect();
    QImage image(qCeil(bounds.width()) + 1, qCeil(bounds.height()),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (const qreal offset : {0.0, 0.25, 0.5, 0.75})
        layout.draw(&painter, QPointF(offset, 0));
}

} // namespace pelmora
