#include "QtBusyCursor.h"

#include <QApplication>

namespace pelmora {

void QtBusyCursor::Show(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace pelmora
