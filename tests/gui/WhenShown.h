#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace pelmora::testing {

// Runs the action on the modal dialog once it is shown and active; a dialog the
// action left open (a failed check) is closed, so that the test goes on to report it.
inline void WhenShown(const std::function<void(QWidget*)>& action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->activateWindow();
        if (QTest::qWaitForWindowActive(dialog))
            action(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

} // namespace pelmora::testing
