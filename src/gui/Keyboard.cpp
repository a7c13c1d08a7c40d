#include "Keyboard.h"

#include <QAbstractButton>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>
#include <map>
#include <vector>

namespace pelmora {

bool EnterPressesButtons::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || !button->hasFocus() || !button->isEnabled())
        return false;
    if (qobject_cast<QPushButton*>(button) && qobject_cast<QDialog*>(button->window()))
        return false;
    button->animateClick();
    return true;
}

namespace {

// Whether the widget shows once its window shows: nothing between it and the
// window was hidden on purpose (a page the stack does not show, say). A widget
// not shown yet only because its window is not is counted.
bool ShownWithin(const QWidget* widget, const QWidget* window) {
    for (; widget && widget != window; widget = widget->parentWidget()) {
        if (widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide))
            return false;
    }
    return true;
}

} // namespace

void SettleMnemonics(QWidget* window) {
    std::map<QKeySequence, std::vector<QAbstractButton*>> buttons;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        const QKeySequence key = QKeySequence::mnemonic(button->text());
        if (!key.isEmpty() && ShownWithin(button, window))
            buttons[key].push_back(button);
    }
    std::vector<QKeySequence> menus;
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
        for (const QAction* menu : main->menuBar()->actions())
            menus.push_back(QKeySequence::mnemonic(menu->text()));
    }
    for (auto& [key, claimants] : buttons) {
        QAbstractButton* winner = claimants.front();
        for (QAbstractButton* button : claimants) {
            auto* push = qobject_cast<QPushButton*>(button);
            if (push && push->isDefault())
                winner = button;
        }
        if (std::find(menus.begin(), menus.end(), key) != menus.end())
            winner = nullptr;
        for (QAbstractButton* button : claimants)
            button->setShortcut(button == winner ? key : QKeySequence());
    }
}

} // namespace pelmora
