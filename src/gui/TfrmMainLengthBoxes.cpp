// The length boxes: made editable as the form asks, and their typing and focus
// forwarded to the form.
#include "FlattenControls.h"
#include "Text1252Qt.h"
#include "TfrmMain.h"
#include "wizard/MainForm.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace pelmora {

QComboBox* TfrmMain::AddLengthBox(QWidget* page, const char* name, int y, TPelmoraComboBox& state) {
    auto* box = new QComboBox(page);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(0, y, 90, 22);
    box->installEventFilter(this);
    TPelmoraComboBox* boxState = &state;
    connect(box, &QComboBox::activated, this, [this, boxState](int index) {
        Forward([=](MainForm& form) { form.PickLength(*boxState, index); });
    });
    return box;
}

void TfrmMain::ShowLengthBox(QComboBox* box, const TPelmoraComboBox& state) {
    QStringList items;
    for (const auto& item : state.Items)
        items << FromCore(item);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    if (box->isEditable() != state.Editable) {
        box->setEditable(state.Editable);
        FlattenControl(box);
        if (QLineEdit* edit = box->lineEdit()) {
            // A typed length is checked as typed; no completion rewrites it.
            box->setCompleter(nullptr);
            TPelmoraComboBox* boxState = LengthStateOf(box);
            connect(edit, &QLineEdit::textEdited, this, [this, boxState](const QString& text) {
                Forward([=](MainForm& form) { form.TypeLength(*boxState, ToCore(text)); });
            });
        }
    }
    if (items != shown) {
        box->clear();
        box->addItems(items);
    }
    box->setCurrentIndex(state.ItemIndex);
    if (box->currentText() != FromCore(state.Text))
        box->setEditText(FromCore(state.Text));
    box->setEnabled(state.Enabled);
}

TPelmoraComboBox* TfrmMain::LengthStateOf(QObject* box) {
    if (box == cbxLength_)
        return &form_.cbxLength;
    if (box == cbxLegALength_)
        return &form_.cbxLegALength;
    if (box == cbxLegBLength_)
        return &form_.cbxLegBLength;
    return nullptr;
}

bool TfrmMain::LeftForNext(Qt::FocusReason reason) const {
    // The new focus is set before the old one hears of losing it; a mouse press
    // or Alt+N on Next is followed by its click, Tab is not.
    const bool click = reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
    return click && QApplication::focusWidget() == btnNext_;
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        QTimer::singleShot(0, this, &TfrmMain::WarmUp);
    }
    TPelmoraComboBox* state = LengthStateOf(watched);
    const bool focusEvent = event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut;
    if (state && focusEvent) {
        // Entering and leaving a box means moving between controls of this window,
        // not opening the box's own list or another window.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            if (event->type() == QEvent::FocusIn)
                Forward([=](MainForm& form) { form.LengthBoxEnter(*state); });
            else {
                const bool forNext = LeftForNext(reason);
                Forward([=](MainForm& form) { form.LengthBoxExit(*state, forNext); });
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace pelmora
