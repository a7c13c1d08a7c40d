#pragma once

class QWidget;

namespace pelmora {

// The flat look of the program's boxes: a control's visible region is cut to its
// own rectangle inset by one pixel, which hides the sunken border.
void FlattenControl(QWidget* control);
// FlattenControl for every grid, edit box and combo box on the window.
void FlattenControls(QWidget* window);

} // namespace pelmora
