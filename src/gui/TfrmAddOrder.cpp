#include "TfrmAddOrder.h"

#include "FlattenControls.h"
#include "Look.h"
#include "RunGuarded.h"
#include "Text1252Qt.h"
#include "order/AddOrderForm.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

namespace pelmora {

namespace {

QLabel* Caption(const char* text, QWidget* parent, const QRect& geometry) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setGeometry(geometry);
    return label;
}

QLineEdit* ReadOnlyBox(const char* name, QWidget* parent, const QRect& geometry) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setGeometry(geometry);
    return box;
}

// The quantity box: whatever is typed, leaving it shows the quantity that Add
// stores for that text (an empty box or 0 stands for 1).
class QuantityBox : public QSpinBox {
public:
    static constexpr int LongestTyped = 999999999;

    using QSpinBox::QSpinBox;
    QLineEdit* Edit() const { return lineEdit(); }

    void stepBy(int steps) override {
        const int stepped = std::clamp(value() + steps, AddOrderForm::MinimumQuantity,
                                       AddOrderForm::MaximumQuantity);
        setValue(stepped);
        selectAll();
    }

protected:
    void fixup(QString& input) const override {
        input = QString::number(AddOrderForm::QuantityOf(ToCore(input)));
    }
};

} // namespace

TfrmAddOrder::TfrmAddOrder(AddOrderForm& form, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), form_(form), messages_(messages) {
    setObjectName(QStringLiteral("frmAddOrder"));
    setWindowTitle(QString::fromLatin1(AddOrderForm::Caption));
    setFixedSize(380, 382);

    auto* noteArea = new QFrame(this);
    noteArea->setFrameShape(QFrame::Box);
    noteArea->setGeometry(10, 10, 360, 48);
    auto* behind = new QLabel(QString::fromLatin1(AddOrderForm::NoteBehind), noteArea);
    behind->setGeometry(6, 4, 348, 40);
    lblNote_ = new QLabel(noteArea);
    lblNote_->setObjectName(QStringLiteral("lblNote"));
    lblNote_->setGeometry(6, 4, 348, 40);
    lblNote_->setWordWrap(true);
    lblNote_->setAutoFillBackground(true);

    Caption("Quantity", this, {10, 68, 100, 16});
    auto* quantity = new QuantityBox(this);
    txtQuantity_ = quantity;
    txtQuantity_->setObjectName(QStringLiteral("txtQuantity"));
    // A quantity above the largest is typed as it stands and refused by Add with a
    // message, never cut to its first digits.
    txtQuantity_->setRange(AddOrderForm::MinimumQuantity, QuantityBox::LongestTyped);
    txtQuantity_->setGeometry(10, 84, 100, 22);
    quantityEdit_ = quantity->Edit();
    // Every text, an empty or a zero one too, is priced as it stands: the spin box
    // reports only texts that are values, its editor only what is typed.
    auto quantityChanged = [this](const QString& text) {
        if (ToCore(text) == form_.txtQuantity)
            return;
        form_.txtQuantity = ToCore(text);
        Forward(&AddOrderForm::txtQuantityChange);
    };
    connect(quantityEdit_, &QLineEdit::textChanged, this, quantityChanged);
    connect(txtQuantity_, &QSpinBox::textChanged, this, quantityChanged);

    Caption("Price", this, {130, 68, 120, 16});
    txtPrice_ = ReadOnlyBox("txtPrice", this, {130, 84, 120, 22});
    txtPrice_->setAlignment(Qt::AlignRight);

    Caption("Delivery Time", this, {10, 114, 200, 16});
    txtDelivery_ = ReadOnlyBox("txtDelivery", this, {10, 130, 240, 22});
    auto* remark = Caption("Estimated delivery times. For exact lead times, please contact your "
                           "Corvane representative.",
                           this, {10, 154, 360, 30});
    remark->setWordWrap(true);

    Caption("Part Number", this, {10, 190, 200, 16});
    txtPartNumber_ = ReadOnlyBox("txtPartNumber", this, {10, 206, 240, 22});
    Caption("Description", this, {10, 236, 200, 16});
    memDescription_ = new QPlainTextEdit(this);
    memDescription_->setObjectName(QStringLiteral("memDescription"));
    memDescription_->setReadOnly(true);
    memDescription_->setFocusPolicy(Qt::NoFocus);
    memDescription_->setGeometry(10, 252, 360, 82);

    btnAdd_ = new QPushButton(this);
    btnAdd_->setObjectName(QStringLiteral("btnAdd"));
    btnAdd_->setGeometry(206, 344, 80, 26);
    btnAdd_->setDefault(true);
    connect(btnAdd_, &QPushButton::clicked, this, [this] {
        Forward(&AddOrderForm::btnAddClick);
        if (form_.Closed)
            accept();
    });
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setGeometry(290, 344, 80, 26);
    connect(cancel, &QPushButton::clicked, this, [this] {
        Forward(&AddOrderForm::btnCancelClick);
        reject();
    });

    FlattenControls(this);
}

void TfrmAddOrder::Forward(void (AddOrderForm::*handler)()) {
    RunGuarded(messages_, [&form = form_, handler] { (form.*handler)(); });
    Refresh();
}

void TfrmAddOrder::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Forward(&AddOrderForm::FormShow);
    txtQuantity_->setFocus();
    txtQuantity_->selectAll();
}

void TfrmAddOrder::Refresh() {
    lblNote_->setText(FromCore(form_.lblNote));
    lblNote_->setVisible(form_.lblNoteVisible);
    SetTextColour(lblNote_, QColor(form_.lblNoteColour.Red, form_.lblNoteColour.Green,
                                   form_.lblNoteColour.Blue));
    if (txtQuantity_->text() != FromCore(form_.txtQuantity)) {
        const QSignalBlocker blocker(txtQuantity_);
        txtQuantity_->setValue(AddOrderForm::QuantityOf(form_.txtQuantity));
    }
    txtPrice_->setText(FromCore(form_.txtPrice));
    txtDelivery_->setText(FromCore(form_.txtDelivery));
    txtPartNumber_->setText(FromCore(form_.txtPartNumber));
    memDescription_->setPlainText(FromCore(form_.memDescription));
    btnAdd_->setText(FromCore(form_.btnAddCaption));
}

} // namespace pelmora
