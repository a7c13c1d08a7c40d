#include "Keyboard.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace pelmora {

bool EnterPressesButtons::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    auto* button = qobject_cast<QPushButton*>(watched);
    if (!button || !button->hasFocus() || !button->isEnabled() ||
        qobject_cast<QDialog*>(button->window()))
        return false;
    button->animateClick();
    return true;
}

} // namespace pelmora
