#pragma once

#include <QObject>

class QWidget;

namespace pelmora {

// Enter presses the focused button, as Space does, in every window of the
// program. Dialogs keep their own rule (Enter presses the focused push button or
// else the default one), so their default buttons work as before.
class EnterPressesButtons : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Alt+letter acts at the first press where one widget of the window claims the
// letter. Where several do, the menu bar wins over buttons and a dialog's default
// button over the others; the losers keep their underlined caption without the
// shortcut. Runs again whenever captions or the shown page change.
void SettleMnemonics(QWidget* window);

} // namespace pelmora
