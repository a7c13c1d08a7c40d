#include "TfrmSwapConfirm.h"

#include "ConfirmLayout.h"

#include <QLabel>
#include <QPushButton>

namespace pelmora {

namespace {

QLabel* WrappedText(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

} // namespace

TfrmSwapConfirm::TfrmSwapConfirm(const QString& line1, const QString& line2, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmSwapConfirm"));
    auto* first = new QLabel(line1);
    first->setObjectName(QStringLiteral("lblLine1"));
    auto* second = new QLabel(line2);
    second->setObjectName(QStringLiteral("lblLine2"));

    auto* proceed = new QPushButton(QStringLiteral("&Continue"));
    proceed->setObjectName(QStringLiteral("btnContinue"));
    proceed->setDefault(true);
    auto* swap = new QPushButton(QStringLiteral("&Swap"));
    swap->setObjectName(QStringLiteral("btnSwap"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(proceed, &QPushButton::clicked, this, &QDialog::accept);
    connect(swap, &QPushButton::clicked, this, [this] { done(SwapResult); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    LayOutConfirmation(this,
                       {WrappedText(QStringLiteral("The flange and corresponding length of each "
                                                   "leg are different. Please verify your "
                                                   "configuration.")),
                        first, second,
                        WrappedText(QStringLiteral(
                            "If the configuration is correct as is, press the Continue button. "
                            "To have the program swap the flanges automatically, press the Swap "
                            "button. Press the Cancel button to return to the main selection "
                            "screen."))},
                       {proceed, swap, cancel});
}

} // namespace pelmora
