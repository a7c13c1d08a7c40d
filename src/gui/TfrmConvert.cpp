#include "TfrmConvert.h"

#include "FlattenControls.h"
#include "HistoryComboBox.h"
#include "RunGuarded.h"
#include "Text1252Qt.h"
#include "partnumber/ConvertForm.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace pelmora {

TfrmConvert::TfrmConvert(ConvertForm& form, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), form_(form), messages_(messages) {
    setObjectName(QStringLiteral("frmConvert"));
    setWindowTitle(QString::fromLatin1(ConvertForm::Caption));
    setFixedSize(380, 290);

    auto* upper = new QFrame(this);
    upper->setFrameShape(QFrame::StyledPanel);
    upper->setGeometry(8, 8, 364, 70);
    (new QLabel(QStringLiteral("Old Part Number"), upper))->setGeometry(10, 8, 200, 16);
    cbxOldPartNumber_ = new HistoryComboBox(
        [this](const QString& text) {
            form_.cbxOldPartNumberText = ToCore(text);
            Forward(&ConvertForm::cbxOldPartNumberChange);
        },
        [this] { Forward(&ConvertForm::ClearAllItemsClick); }, upper);
    cbxOldPartNumber_->setObjectName(QStringLiteral("cbxOldPartNumber"));
    cbxOldPartNumber_->setGeometry(10, 28, 250, 24);
    auto* convert = new QPushButton(QStringLiteral("C&onvert"), upper);
    convert->setObjectName(QStringLiteral("btnConvert"));
    convert->setDefault(true);
    convert->setGeometry(270, 27, 84, 26);
    connect(convert, &QPushButton::clicked, this,
            [this] { Forward(&ConvertForm::btnConvertClick); });

    auto* lower = new QFrame(this);
    lower->setFrameShape(QFrame::StyledPanel);
    lower->setGeometry(8, 84, 364, 160);
    (new QLabel(QStringLiteral("New Part Number"), lower))->setGeometry(10, 8, 200, 16);
    txtNewPartNumber_ = new QLineEdit(lower);
    txtNewPartNumber_->setObjectName(QStringLiteral("txtNewPartNumber"));
    txtNewPartNumber_->setReadOnly(true);
    txtNewPartNumber_->setGeometry(10, 26, 250, 22);
    (new QLabel(QStringLiteral("Conversion Comments"), lower))->setGeometry(10, 56, 200, 16);
    memComments_ = new QPlainTextEdit(lower);
    memComments_->setObjectName(QStringLiteral("memComments"));
    memComments_->setReadOnly(true);
    memComments_->setGeometry(10, 74, 344, 76);

    btnContinue_ = new QPushButton(QStringLiteral("&Continue"), this);
    btnContinue_->setObjectName(QStringLiteral("btnContinue"));
    btnContinue_->setGeometry(204, 254, 80, 26);
    connect(btnContinue_, &QPushButton::clicked, this, [this] {
        Forward(&ConvertForm::btnContinueClick);
        accept();
    });
    auto* cancel = new QPushButton(QStringLiteral("C&ancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setGeometry(290, 254, 80, 26);
    connect(cancel, &QPushButton::clicked, this, &TfrmConvert::reject);

    FlattenControls(this);
}

TfrmConvert::~TfrmConvert() {
    RunGuarded(messages_, [this] { form_.FormDestroy(); });
}

void TfrmConvert::Forward(void (ConvertForm::*handler)()) {
    RunGuarded(messages_, [&form = form_, handler] { (form.*handler)(); });
    Refresh();
}

void TfrmConvert::reject() {
    Forward(&ConvertForm::btnCancelClick);
    QDialog::reject();
}

void TfrmConvert::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Forward(&ConvertForm::FormShow);
}

void TfrmConvert::Refresh() {
    cbxOldPartNumber_->Show(form_.History.Items, form_.cbxOldPartNumberText);
    txtNewPartNumber_->setText(FromCore(form_.txtNewPartNumber));
    memComments_->setPlainText(FromCore(form_.memComments));
    btnContinue_->setEnabled(form_.btnContinueEnabled);
    if (form_.FocusedControl == "btnContinue")
        btnContinue_->setFocus();
    else if (form_.FocusedControl == "cbxOldPartNumber")
        cbxOldPartNumber_->setFocus();
    form_.FocusedControl.clear();
}

} // namespace pelmora
