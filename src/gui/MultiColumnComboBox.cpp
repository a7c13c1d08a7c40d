#include "MultiColumnComboBox.h"

#include "Text1252Qt.h"

#include <QStandardItemModel>
#include <QStylePainter>
#include <QTreeView>
#include <algorithm>

namespace pelmora {

MultiColumnComboBox::MultiColumnComboBox(QWidget* parent)
    : QComboBox(parent), model_(new QStandardItemModel(this)) {
    setModel(model_);
}

void MultiColumnComboBox::SetColumnWidths(const std::vector<int>& widths, int dropDownWidth) {
    widths_ = widths;
    dropDownWidth_ = dropDownWidth;
    ApplyColumnWidths();
}

void MultiColumnComboBox::ApplyColumnWidths() {
    if (!view_)
        return;
    for (size_t i = 0; i < widths_.size() && static_cast<int>(i) < model_->columnCount(); ++i)
        view_->setColumnWidth(static_cast<int>(i), widths_[i]);
}

void MultiColumnComboBox::SetClosedColumns(std::vector<int> columns) {
    closedColumns_ = std::move(columns);
}

void MultiColumnComboBox::SetCentredColumns(std::vector<int> columns) {
    centred_ = std::move(columns);
}

void MultiColumnComboBox::SetRows(const std::vector<std::vector<std::string>>& rows, int selected) {
    size_t columns = widths_.size();
    for (const auto& row : rows)
        columns = std::max(columns, row.size());

    model_->removeRows(0, model_->rowCount());
    model_->setColumnCount(static_cast<int>(columns));
    for (const auto& row : rows) {
        QList<QStandardItem*> items;
        for (size_t column = 0; column < columns; ++column) {
            auto* item = new QStandardItem(column < row.size() ? FromCore(row[column]) : QString());
            if (std::count(centred_.begin(), centred_.end(), static_cast<int>(column)))
                item->setTextAlignment(Qt::AlignCenter);
            items.append(item);
        }
        model_->appendRow(items);
    }
    setModelColumn(closedColumns_.front());
    ApplyColumnWidths();
    setCurrentIndex(selected);
}

QString MultiColumnComboBox::ClosedText() const {
    QStringList texts;
    for (const int column : closedColumns_)
        texts.append(model_->index(currentIndex(), column).data().toString());
    return texts.join(QStringLiteral("  "));
}

void MultiColumnComboBox::paintEvent(QPaintEvent* event) {
    if (closedColumns_.size() < 2 || currentIndex() < 0) {
        QComboBox::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = ClosedText();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void MultiColumnComboBox::showPopup() {
    if (!view_) {
        view_ = new QTreeView(this);
        view_->setRootIsDecorated(false);
        view_->setHeaderHidden(true);
        view_->setAllColumnsShowFocus(true);
        view_->setSelectionBehavior(QAbstractItemView::SelectRows);
        view_->setUniformRowHeights(true);
        setView(view_);
        ApplyColumnWidths();
    }
    if (dropDownWidth_ > 0)
        view_->setMinimumWidth(dropDownWidth_);
    QComboBox::showPopup();
}

} // namespace pelmora
