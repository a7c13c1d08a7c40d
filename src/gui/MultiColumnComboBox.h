#pragma once

#include <QComboBox>
#include <string>
#include <vector>

class QStandardItemModel;
class QTreeView;

namespace pelmora {

// A drop-down list whose entries have several text columns. The open list shows
// every column; the closed box shows one of them. The open list's view is made
// when the list first opens: a window holds many of these boxes, and making the
// views would hold up its first paint.
class MultiColumnComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit MultiColumnComboBox(QWidget* parent = nullptr);

    void SetColumnWidths(const std::vector<int>& widths, int dropDownWidth);
    // Columns shown in the closed box: one column, or several side by side.
    void SetClosedColumns(std::vector<int> columns);
    void SetCentredColumns(std::vector<int> columns);
    void SetRows(const std::vector<std::vector<std::string>>& rows, int selected);

    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString ClosedText() const;
    void ApplyColumnWidths();

    QStandardItemModel* model_;
    QTreeView* view_ = nullptr;
    std::vector<int> closedColumns_{1};
    std::vector<int> centred_;
    std::vector<int> widths_;
    int dropDownWidth_ = 0;
};

} // namespace pelmora
