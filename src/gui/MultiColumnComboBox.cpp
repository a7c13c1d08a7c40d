#include "MultiColumnComboBox.h"

#include "Text1252Qt.h"

#include <QStandardItemModel>
#include <QTreeView>

#include <algorithm>

namespace pelmora {

namespace {

// The closed box shows the model column below; when several columns are shown
// closed, an extra hidden column holds their joined texts.
int ClosedTextColumn(const std::vector<int>& closedColumns) {
    return closedColumns.size() == 1 ? closedColumns.front() : -1;
}

} // namespace

MultiColumnComboBox::MultiColumnComboBox(QWidget* parent)
    : QComboBox(parent), model_(new QStandardItemModel(this)), view_(new QTreeView(this)) {
    view_->setRootIsDecorated(false);
    view_->setHeaderHidden(true);
    view_->setAllColumnsShowFocus(true);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setUniformRowHeights(true);
    setModel(model_);
    setView(view_);
}

void MultiColumnComboBox::SetColumnWidths(const std::vector<int>& widths, int dropDownWidth) {
    widths_ = widths;
    dropDownWidth_ = dropDownWidth;
    ApplyColumnWidths();
}

void MultiColumnComboBox::ApplyColumnWidths() {
    for (size_t i = 0; i < widths_.size() && static_cast<int>(i) < model_->columnCount(); ++i)
        view_->setColumnWidth(static_cast<int>(i), widths_[i]);
}

void MultiColumnComboBox::SetClosedColumns(std::vector<int> columns) {
    closedColumns_ = std::move(columns);
}

void MultiColumnComboBox::SetRows(const std::vector<std::vector<std::string>>& rows,
                                  int selected) {
    const int joinedColumn = ClosedTextColumn(closedColumns_);
    size_t columns = 0;
    for (const auto& row : rows)
        columns = std::max(columns, row.size());
    const int textColumns = static_cast<int>(std::max(columns, widths_.size()));

    model_->removeRows(0, model_->rowCount());
    model_->setColumnCount(textColumns + (joinedColumn < 0 ? 1 : 0));
    for (const auto& row : rows) {
        QList<QStandardItem*> items;
        QStringList joined;
        for (int column = 0; column < textColumns; ++column) {
            const QString text =
                column < static_cast<int>(row.size()) ? FromCore(row[column]) : QString();
            items.append(new QStandardItem(text));
        }
        for (const int column : closedColumns_)
            joined.append(column < static_cast<int>(row.size()) ? FromCore(row[column]) : QString());
        if (joinedColumn < 0)
            items.append(new QStandardItem(joined.join(QStringLiteral("   "))));
        model_->appendRow(items);
    }
    const int shown = joinedColumn < 0 ? textColumns : joinedColumn;
    setModelColumn(shown);
    for (int column = 0; column < model_->columnCount(); ++column)
        view_->setColumnHidden(column, column >= textColumns);
    ApplyColumnWidths();
    setCurrentIndex(selected);
}

void MultiColumnComboBox::showPopup() {
    if (dropDownWidth_ > 0)
        view_->setMinimumWidth(dropDownWidth_);
    QComboBox::showPopup();
}

} // namespace pelmora
