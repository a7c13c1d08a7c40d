#pragma once

#include <QColor>

class QWidget;

// The program's colours.
namespace pelmora {

inline const QColor Navy(0, 0, 128);

// Text of the widget (a label's or a button's) in the colour.
void SetTextColour(QWidget* widget, const QColor& colour);

} // namespace pelmora
