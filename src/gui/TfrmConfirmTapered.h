#pragma once

#include <QDialog>

namespace pelmora {

// "Confirm Configuration" for a tapered transition whose ends carry different
// flanges: the message, "&Continue" (accepts) and "&Cancel".
class TfrmConfirmTapered : public QDialog {
    Q_OBJECT

public:
    explicit TfrmConfirmTapered(const QString& message, QWidget* parent = nullptr);
};

} // namespace pelmora
