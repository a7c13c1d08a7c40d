#include "FlattenControls.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QRegion>

namespace pelmora {

void FlattenControl(QWidget* control) {
    // A mask is whole logical pixels; on a scaled screen (QT_SCALE_FACTOR 1.5 or 2)
    // Qt then paints the masked box without its white field and border. There the
    // box keeps its sunken border rather than lose its field.
    if (control->devicePixelRatioF() != 1.0) {
        control->clearMask();
        return;
    }
    control->setMask(QRegion(control->rect().adjusted(1, 1, -1, -1)));
}

void FlattenControls(QWidget* window) {
    for (auto* box : window->findChildren<QComboBox*>())
        FlattenControl(box);
    for (auto* edit : window->findChildren<QLineEdit*>()) {
        // The edit field inside a combo box is flattened with its box.
        if (!qobject_cast<QComboBox*>(edit->parentWidget()))
            FlattenControl(edit);
    }
    for (auto* grid : window->findChildren<QAbstractItemView*>()) {
        // Drop-down lists of combo boxes live in their own popup windows, a grid's
        // header is part of the grid, and a plain frame is flat already: the mask
        // would cut it away.
        if (!grid->isWindow() && grid->window() == window && !qobject_cast<QHeaderView*>(grid) &&
            grid->frameShadow() != QFrame::Plain)
            FlattenControl(grid);
    }
}

} // namespace pelmora
