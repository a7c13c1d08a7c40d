#include "TfrmCreate.h"

#include "FlattenControls.h"
#include "HistoryComboBox.h"
#include "Look.h"
#include "RunGuarded.h"
#include "Text1252Qt.h"
#include "partnumber/CreateForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace pelmora {

TfrmCreate::TfrmCreate(CreateForm& form, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), form_(form), messages_(messages) {
    setObjectName(QStringLiteral("frmCreate"));
    setWindowTitle(QString::fromLatin1(CreateForm::Caption));
    setFixedSize(330, 110);

    (new QLabel(QStringLiteral("Enter Part Number"), this))->setGeometry(12, 10, 200, 16);
    cbxPartNumber_ =
        new HistoryComboBox([this](const QString& text) { form_.cbxPartNumberText = ToCore(text); },
                            [this] {
                                RunGuarded(messages_, [this] { form_.ClearAllItemsClick(); });
                                Refresh();
                            },
                            this);
    cbxPartNumber_->setObjectName(QStringLiteral("cbxPartNumber"));
    cbxPartNumber_->setGeometry(12, 28, 306, 26);
    QFont bold = cbxPartNumber_->font();
    bold.setBold(true);
    bold.setPixelSize(14);
    cbxPartNumber_->setFont(bold);
    SetTextColour(cbxPartNumber_->lineEdit(), Navy);
    QPalette palette = cbxPartNumber_->lineEdit()->palette();
    palette.setColor(QPalette::Text, Navy);
    cbxPartNumber_->lineEdit()->setPalette(palette);

    auto* create = new QPushButton(QStringLiteral("C&reate"), this);
    create->setObjectName(QStringLiteral("btnCreate"));
    create->setDefault(true);
    create->setGeometry(152, 72, 80, 26);
    connect(create, &QPushButton::clicked, this, [this] {
        RunGuarded(messages_, [this] { form_.btnCreateClick(); });
        accept();
    });
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setGeometry(238, 72, 80, 26);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    FlattenControls(this);
}

TfrmCreate::~TfrmCreate() {
    RunGuarded(messages_, [this] { form_.FormDestroy(); });
}

void TfrmCreate::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    RunGuarded(messages_, [this] { form_.FormShow(); });
    Refresh();
    cbxPartNumber_->setFocus();
}

void TfrmCreate::Refresh() {
    cbxPartNumber_->Show(form_.History.Items, form_.cbxPartNumberText);
}

} // namespace pelmora
