#include "TfrmUpdateDialogs.h"

#include "Look.h"
#include "RunGuarded.h"
#include "Text1252Qt.h"
#include "update/UpdateForms.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

namespace pelmora {

namespace {

QPushButton* Button(QWidget* parent, const char* name, const char* caption, const QRect& geometry) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    return button;
}

QLabel* Wrapped(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(geometry);
    return label;
}

// The logo is drawn on white; white becomes transparent and the edges blended
// with it keep only their share of colour, so no pale fringe shows on the grey.
QPixmap WithoutWhite(const QPixmap& picture) {
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const int alpha = 255 - std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
            auto unblend = [alpha](int channel) {
                return alpha == 0 ? 0 : 255 - (255 - channel) * 255 / alpha;
            };
            line[x] =
                qRgba(unblend(qRed(pixel)), unblend(qGreen(pixel)), unblend(qBlue(pixel)), alpha);
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

TfrmQuickUpdate::TfrmQuickUpdate(QuickUpdateForm& form, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmQuickUpdate"));
    setWindowTitle(QStringLiteral("Quick Update"));
    setFixedSize(400, 170);
    auto* picture = new QLabel(this);
    picture->setGeometry(12, 12, 80, 110);
    picture->setPixmap(QPixmap(QStringLiteral(":/pelmora/update.png")));
    Wrapped(this, FromCore(form.lblMessage), {104, 12, 284, 60})
        ->setObjectName(QStringLiteral("lblMessage"));
    Wrapped(this, QString::fromLatin1(QuickUpdateForm::FixedText), {104, 76, 284, 40});

    auto run = [&form, &messages](void (QuickUpdateForm::*handler)()) {
        RunGuarded(messages, [&form, handler] { (form.*handler)(); });
    };
    connect(Button(this, "btnOptions", "&Options", {104, 132, 86, 26}), &QPushButton::clicked, this,
            [run] { run(&QuickUpdateForm::btnOptionsClick); });
    auto* update = Button(this, "btnUpdate", "&Update", {200, 132, 86, 26});
    update->setDefault(true);
    connect(update, &QPushButton::clicked, this, [this, run] {
        run(&QuickUpdateForm::btnUpdateClick);
        accept();
    });
    connect(Button(this, "btnCancel", "&Cancel", {296, 132, 86, 26}), &QPushButton::clicked, this,
            [this, run] {
                run(&QuickUpdateForm::btnCancelClick);
                reject();
            });
}

TfrmUpdateOptions::TfrmUpdateOptions(UpdateOptionsForm& form, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmUpdateOptions"));
    setWindowTitle(QStringLiteral("Update Options"));
    setFixedSize(260, 120);
    (new QLabel(QStringLiteral("Set days between each update"), this))
        ->setGeometry(12, 12, 170, 22);
    auto* days = new QSpinBox(this);
    days->setObjectName(QStringLiteral("spnDays"));
    days->setRange(UpdateOptionsForm::MinimumDays, UpdateOptionsForm::MaximumDays);
    days->setGeometry(186, 12, 60, 22);
    days->setValue(form.spnDays);
    auto* autoUpdate = new QCheckBox(QStringLiteral("Do not use Auto Update"), this);
    autoUpdate->setObjectName(QStringLiteral("cbxAutoUpdate"));
    autoUpdate->setGeometry(12, 44, 230, 22);
    autoUpdate->setChecked(form.cbxAutoUpdate);
    days->setEnabled(form.spnDaysEnabled);
    connect(days, &QSpinBox::valueChanged, this, [&form](int value) { form.spnDays = value; });
    connect(autoUpdate, &QCheckBox::toggled, this, [&form, days](bool checked) {
        form.cbxAutoUpdate = checked;
        form.cbxAutoUpdateClick();
        days->setEnabled(form.spnDaysEnabled);
    });
    auto* ok = Button(this, "btnOK", "&OK", {160, 82, 86, 26});
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

TfrmAbout::TfrmAbout(AboutForm& form, MessageBoxes& messages, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QString::fromLatin1(AboutForm::Caption));
    setFixedSize(320, 190);
    auto* icon = new QLabel(this);
    icon->setGeometry(12, 12, 32, 32);
    icon->setPixmap(QIcon(QStringLiteral(":/pelmora/mainicon.png")).pixmap(32, 32));
    auto* title = new QLabel(QString::fromLatin1(AboutForm::Title), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(22);
    title->setFont(titleFont);
    SetTextColour(title, Navy);
    title->setGeometry(56, 12, 250, 32);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgPicture"));
    picture->move(56, 56);
    if (!form.imgPicture.empty()) {
        picture->setPixmap(WithoutWhite(QPixmap(FromCore(form.imgPicture))));
        picture->adjustSize();
    }
    auto* address = new QLabel(this);
    address->setObjectName(QStringLiteral("lblWebAddress"));
    address->setText(QStringLiteral("<a href=\"#\" style=\"color: blue;\">%1</a>")
                         .arg(FromCore(form.lblWebAddress)));
    // Still a link, and the address can be selected and copied when no browser
    // opens it.
    address->setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    address->setGeometry(56, 116, 250, 20);
    connect(address, &QLabel::linkActivated, this,
            [&form, &messages] { RunGuarded(messages, [&form] { form.lblWebAddressClick(); }); });
    auto* ok = Button(this, "btnOK", "&OK", {222, 152, 86, 26});
    ok->setDefault(true);
    // The dialog opens on OK, not on the address before it, which now takes the
    // keyboard too.
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace pelmora
