#pragma once

#include <QComboBox>
#include <functional>
#include <string>
#include <vector>

namespace pelmora {

// An editable combo box over a part-number history, with the pop-up command
// "Clear All Items". Every change of its text, typed or picked, is reported.
class HistoryComboBox : public QComboBox {
    Q_OBJECT

public:
    HistoryComboBox(std::function<void(const QString&)> textChanged,
                    std::function<void()> clearAllItems, QWidget* parent = nullptr);

    void Show(const std::vector<std::string>& items, const std::string& text);
};

} // namespace pelmora
