#pragma once

#include <QGroupBox>
#include <functional>
#include <vector>

class QRadioButton;

namespace pelmora {

class FrequencyGroup;

// The Frequency group of screen 2: the headings and band buttons of the form's
// FrequencyGroup at their positions, and the "Other Frequency Ranges" button.
class BandGroup : public QGroupBox {
    Q_OBJECT

public:
    BandGroup(std::function<void(int)> bandClicked, std::function<void()> otherRangesClicked,
              QWidget* parent = nullptr);

    void Show(const FrequencyGroup& bands);

private:
    std::function<void(int)> bandClicked_;
    QWidget* content_ = nullptr;
    std::vector<QRadioButton*> buttons_;
    QStringList shownCaptions_;
};

} // namespace pelmora
