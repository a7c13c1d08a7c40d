#include "DescriptionGrid.h"

#include "Look.h"
#include "Text1252Qt.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace pelmora {

namespace {

const QColor OddRowColour(232, 232, 232);
constexpr int RowHeight = 15;
// Code, item and value, each wide enough for its longest text in bold: the value
// column takes the rest of the grid's width, enough for the longest band of the
// catalogue with its VSWR.
constexpr int LeadWidth = 10;
constexpr int CodeWidth = 40;
constexpr int ItemWidth = 92;

class DescriptionCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        painter->fillRect(option.rect,
                          index.row() % 2 == 1 ? OddRowColour : option.palette.base().color());
        QFont font = option.font;
        font.setBold(true);
        painter->setFont(font);
        painter->setPen(Navy);
        const QRect textRect = option.rect.adjusted(2, 0, -2, 0);
        const QString text = QFontMetrics(font).elidedText(index.data().toString(), Qt::ElideRight,
                                                           textRect.width());
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        painter->restore();
    }
};

} // namespace

DescriptionGrid::DescriptionGrid(int totalWidth, QWidget* parent) : QTableWidget(11, 4, parent) {
    setObjectName(QStringLiteral("grdSpecs"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setShowGrid(false);
    setItemDelegate(new DescriptionCellDelegate(this));
    SetPlainFrame(this);
    setFixedSize(totalWidth, rowCount() * RowHeight + 2 * frameWidth());
    horizontalHeader()->setMinimumSectionSize(0);
    const int widths[] = {LeadWidth, CodeWidth, ItemWidth,
                          totalWidth - 2 * frameWidth() - LeadWidth - CodeWidth - ItemWidth};
    for (int column = 0; column < 4; ++column)
        setColumnWidth(column, widths[column]);
    verticalHeader()->setMinimumSectionSize(RowHeight);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    for (int row = 0; row < rowCount(); ++row)
        setRowHeight(row, RowHeight);
}

void DescriptionGrid::SetCell(int row, int column, const std::string& text) {
    QTableWidgetItem* cell = item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        setItem(row, column, cell);
    }
    cell->setText(FromCore(text));
    cell->setToolTip(cell->text());
}

} // namespace pelmora
