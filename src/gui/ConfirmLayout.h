#pragma once

#include <QList>

class QDialog;
class QPushButton;
class QWidget;

namespace pelmora {

// The shared look of both "Confirm Configuration" dialogs: the question icon at
// the top left, the texts beside it, the buttons in a row below.
void LayOutConfirmation(QDialog* dialog, const QList<QWidget*>& texts,
                        const QList<QPushButton*>& buttons);

} // namespace pelmora
