#include "BandGroup.h"

#include "Look.h"
#include "Text1252Qt.h"
#include "wizard/FrequencyGroup.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace pelmora {

namespace {

QStringList Captions(const FrequencyGroup& bands) {
    QStringList captions;
    for (const auto& heading : bands.Headings)
        captions << QStringLiteral("%1 %2").arg(heading.Top).arg(FromCore(heading.Text));
    for (const auto& button : bands.BandButtons)
        captions << QStringLiteral("%1 %2").arg(button.Top).arg(FromCore(button.Caption()));
    return captions;
}

// The longest captions (the widest bands of the smallest sizes) take a smaller
// font rather than lose their last characters.
void FitCaption(QRadioButton* button) {
    QFont font = button->font();
    while (button->sizeHint().width() > button->width() && font.pixelSize() > 8) {
        font.setPixelSize(font.pixelSize() - 1);
        button->setFont(font);
    }
}

} // namespace

BandGroup::BandGroup(std::function<void(int)> bandClicked, std::function<void()> otherRangesClicked,
                     QWidget* parent)
    : QGroupBox(QStringLiteral(" Frequency "), parent), bandClicked_(std::move(bandClicked)) {
    setObjectName(QStringLiteral("rgFrequency"));
    resize(193, 201);

    auto* dock = new QWidget(this);
    dock->setObjectName(QStringLiteral("pnlOtherRangesDock"));
    dock->setGeometry(12, 176, 169, 18);
    auto* other = new QPushButton(QStringLiteral("Other Frequency Ranges"), dock);
    other->setObjectName(QStringLiteral("btnOtherFreqRanges"));
    other->setGeometry(0, 0, 169, 18);
    other->setFlat(true);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    other->setFont(font);
    SetTextColour(other, Navy);
    connect(other, &QPushButton::clicked, this, [otherRangesClicked] { otherRangesClicked(); });
}

void BandGroup::Show(const FrequencyGroup& bands) {
    const QStringList captions = Captions(bands);
    if (captions != shownCaptions_) {
        // The old controls may be the sender of the click being handled.
        if (content_)
            content_->deleteLater();
        buttons_.clear();
        content_ = new QWidget(this);
        content_->setGeometry(0, 0, width(), 176);
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(11);
        for (const auto& heading : bands.Headings) {
            auto* label = new QLabel(FromCore(heading.Text), content_);
            label->setFont(font);
            SetTextColour(label, Navy);
            label->move(FrequencyGroup::HeadingLeft, heading.Top);
            label->adjustSize();
        }
        QFont buttonFont(QStringLiteral("DejaVu Sans Condensed"));
        buttonFont.setPixelSize(10);
        for (size_t i = 0; i < bands.BandButtons.size(); ++i) {
            const auto& band = bands.BandButtons[i];
            auto* button = new QRadioButton(FromCore(band.Caption()), content_);
            button->setFont(buttonFont);
            button->setToolTip(button->text());
            button->setObjectName(QStringLiteral("band%1").arg(i));
            button->setGeometry(FrequencyGroup::ButtonLeft, band.Top, FrequencyGroup::ButtonWidth,
                                16);
            FitCaption(button);
            const int index = static_cast<int>(i);
            connect(button, &QRadioButton::clicked, this, [this, index] { bandClicked_(index); });
            buttons_.push_back(button);
        }
        content_->show();
        shownCaptions_ = captions;
    }
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setChecked(bands.BandButtons[i].Checked);
}

} // namespace pelmora
