#include "TfrmConfirmTapered.h"

#include "ConfirmLayout.h"

#include <QLabel>
#include <QPushButton>

namespace pelmora {

TfrmConfirmTapered::TfrmConfirmTapered(const QString& message, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmConfirmTapered"));
    auto* text = new QLabel(message);
    text->setObjectName(QStringLiteral("lblMessage"));
    auto* proceed = new QPushButton(QStringLiteral("&Continue"));
    proceed->setObjectName(QStringLiteral("btnContinue"));
    proceed->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(proceed, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    LayOutConfirmation(this, {text}, {proceed, cancel});
}

} // namespace pelmora
