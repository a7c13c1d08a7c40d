#include "Look.h"

#include <QApplication>
#include <QFrame>
#include <QPalette>
#include <QStyleFactory>
#include <QWidget>

namespace pelmora {

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

void SetPlainFrame(QFrame* frame) {
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::WindowText, QColor(128, 128, 128));
    frame->setPalette(palette);
}

void ApplyLook(QApplication& application) {
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    application.setFont(font);
}

} // namespace pelmora
