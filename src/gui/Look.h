#pragma once

#include <QColor>

class QApplication;
class QFrame;
class QWidget;

// The program's colours.
namespace pelmora {

inline const QColor Navy(0, 0, 128);

// Text of the widget (a label's or a button's) in the colour.
void SetTextColour(QWidget* widget, const QColor& colour);

// A grey line drawn on all four sides, which the flattening of a window's sunken
// controls leaves alone.
void SetPlainFrame(QFrame* frame);

// The classic flat desktop look the windows are laid out for, with a compact font
// so that the fixed layouts keep their proportions on every desktop.
void ApplyLook(QApplication& application);

} // namespace pelmora
