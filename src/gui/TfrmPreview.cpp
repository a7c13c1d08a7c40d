#include "TfrmPreview.h"

#include "FlattenControls.h"
#include "QtCanvas.h"
#include "RunGuarded.h"
#include "Text1252Qt.h"
#include "print/PreviewForm.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStyle>

namespace pelmora {

namespace {

QPushButton* FlatButton(QWidget* parent, const char* name, const QString& caption, int x,
                        int width) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFlat(true);
    button->setGeometry(x, 2, width, 23);
    return button;
}

} // namespace

TfrmPreview::TfrmPreview(PreviewForm& form, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), form_(form), messages_(messages) {
    setObjectName(QStringLiteral("frmPreview"));
    setFixedSize(711, 566);

    auto* bar = new QWidget(this);
    bar->setGeometry(0, 0, 711, 27);
    (new QLabel(QStringLiteral("Preview Size"), bar))->setGeometry(8, 5, 70, 17);
    cbxPercent_ = new QComboBox(bar);
    cbxPercent_->setObjectName(QStringLiteral("cbxPercent"));
    cbxPercent_->setGeometry(80, 3, 105, 21);
    for (int index = 0; index < static_cast<int>(PreviewForm::Percents.size()); ++index)
        cbxPercent_->addItem(FromCore(ZoomEntry(index)));
    connect(cbxPercent_, &QComboBox::activated, this, [this](int index) {
        form_.cbxPercentIndex = index;
        Forward(&PreviewForm::cbxPercentChange);
    });
    auto* reset = FlatButton(bar, "btnSize", QString(), 190, 25);
    reset->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    reset->setToolTip(QStringLiteral("85 %"));
    connect(reset, &QPushButton::clicked, this, [this] { Forward(&PreviewForm::btnSizeClick); });
    connect(FlatButton(bar, "btnPrint", QStringLiteral("&Print"), 222, 60), &QPushButton::clicked,
            this, [this] { Forward(&PreviewForm::btnPrintClick); });
    connect(FlatButton(bar, "btnClose", QStringLiteral("&Close"), 284, 60), &QPushButton::clicked,
            this, [this] { Forward(&PreviewForm::btnCloseClick); });

    sbxPreview_ = new QScrollArea(this);
    sbxPreview_->setObjectName(QStringLiteral("sbxPreview"));
    sbxPreview_->setGeometry(0, 27, 711, 566 - 27 - 18);
    sbxPreview_->setBackgroundRole(QPalette::Dark);
    // The page is centred while it is narrower than the area, as CenterPage asks.
    sbxPreview_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    imgPreview_ = new QLabel;
    imgPreview_->setObjectName(QStringLiteral("pnlImagePanel"));
    imgPreview_->setScaledContents(true);
    sbxPreview_->setWidget(imgPreview_);

    FlattenControl(cbxPercent_);
}

TfrmPreview::~TfrmPreview() {
    RunGuarded(messages_, [this] { form_.FormDestroy(); });
}

void TfrmPreview::Forward(void (PreviewForm::*handler)()) {
    RunGuarded(messages_, [&form = form_, handler] { (form.*handler)(); });
    Refresh();
    if (form_.CloseRequested)
        accept();
}

void TfrmPreview::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    renderedWidth_ = -1;
    Refresh();
}

void TfrmPreview::RenderPage() {
    QImage page(form_.PageWidth, form_.PageHeight, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        QtCanvas canvas(painter);
        RunGuarded(messages_, [&] { form_.RenderPreview(canvas); });
    }
    imgPreview_->setFixedSize(form_.PageWidth, form_.PageHeight);
    imgPreview_->setPixmap(QPixmap::fromImage(page));
    renderedWidth_ = form_.PageWidth;
}

void TfrmPreview::Refresh() {
    setWindowTitle(FromCore(form_.Caption));
    const QSignalBlocker blocker(cbxPercent_);
    cbxPercent_->setCurrentIndex(form_.cbxPercentIndex);
    if (renderedWidth_ != form_.PageWidth || !isVisible())
        RenderPage();
}

} // namespace pelmora
