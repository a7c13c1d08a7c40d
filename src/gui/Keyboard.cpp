#include "Keyboard.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

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

namespace {

// An editable combo box has the focus and hands the keys to its own edit field.
bool EditableCombo(QObject* watched) {
    const auto* combo = qobject_cast<QComboBox*>(watched);
    return combo && combo->isEditable();
}

} // namespace

bool AltLettersTypeNothing::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers held = key->modifiers() & ~Qt::ShiftModifier;
    const bool typing = qobject_cast<QLineEdit*>(watched) || qobject_cast<QTextEdit*>(watched) ||
                        qobject_cast<QPlainTextEdit*>(watched) ||
                        qobject_cast<QAbstractSpinBox*>(watched) || EditableCombo(watched);
    return typing && held == Qt::AltModifier && !key->text().isEmpty() &&
           key->text().at(0).isPrint();
}

} // namespace pelmora
