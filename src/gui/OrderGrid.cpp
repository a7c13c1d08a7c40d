#include "OrderGrid.h"

#include "Look.h"
#include "Text1252Qt.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

namespace pelmora {

namespace {

constexpr int HeaderHeight = 20;
constexpr int BodyHeight = 45;
constexpr int TextMargin = 2;
constexpr int DescriptionColumn = 5;
const QColor Silver(192, 192, 192);
const int ColumnWidths[] = {20, 60, 76, 88, 108};

class OrderCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect,
                          selected ? option.palette.highlight() : option.palette.base());
        const QRect cell = option.rect.adjusted(0, 0, -1, -1);
        painter->setPen(Qt::white);
        painter->drawLine(cell.topLeft(), cell.topRight());
        painter->drawLine(cell.topLeft(), cell.bottomLeft());
        painter->setPen(Silver);
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        painter->drawLine(cell.topRight(), cell.bottomRight());

        const bool rightAligned = index.column() == 1 || index.column() == 2;
        painter->setPen(selected ? option.palette.highlightedText().color()
                                 : option.palette.text().color());
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(TextMargin, TextMargin, -TextMargin, -TextMargin),
                          (rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop |
                              Qt::TextWordWrap,
                          index.data().toString());
        painter->restore();
    }
};

} // namespace

OrderGrid::OrderGrid(QWidget* parent) : QTableWidget(1, 6, parent) {
    setObjectName(QStringLiteral("grdOrder"));
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(BodyHeight);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setFixedHeight(HeaderHeight);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setSectionsClickable(false);
    QFont gridFont = font();
    gridFont.setPixelSize(10);
    setFont(gridFont);
    QFont headerFont = gridFont;
    headerFont.setBold(true);
    horizontalHeader()->setFont(headerFont);
    setShowGrid(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The rows are picked with the arrows; Tab goes on to the form's buttons.
    setTabKeyNavigation(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new OrderCellDelegate(this));
    SetPlainFrame(this);
    // Every column stays in sight: the description takes what the others leave
    // of the viewport, beside the vertical scroll bar when there is one, and the
    // rows grow with its wrapped lines. The header tells of a resize before it
    // has set every section's width, so the rows are fitted afterwards.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalHeader()->setSectionResizeMode(DescriptionColumn, QHeaderView::Stretch);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &OrderGrid::FitRows,
            Qt::QueuedConnection);
}

void OrderGrid::FitColumns() {
    // A price or part number is never wrapped or cut: its column grows to its
    // widest text, and the description takes less.
    const QFontMetrics metrics(font());
    for (int column = 0; column < DescriptionColumn; ++column) {
        int width = ColumnWidths[column];
        for (int row = 0; row < rowCount(); ++row) {
            if (const QTableWidgetItem* cell = item(row, column))
                width =
                    std::max(width, metrics.horizontalAdvance(cell->text()) + 2 * TextMargin + 2);
        }
        setColumnWidth(column, width);
    }
}

void OrderGrid::FitRows() {
    const QFontMetrics metrics(font());
    for (int row = 0; row < rowCount(); ++row) {
        int height = BodyHeight;
        for (int column = 0; column < columnCount(); ++column) {
            const QTableWidgetItem* cell = item(row, column);
            if (!cell)
                continue;
            const QRect box(0, 0, columnWidth(column) - 2 * TextMargin, BodyHeight);
            const QRect text =
                metrics.boundingRect(box, Qt::AlignTop | Qt::TextWordWrap, cell->text());
            height = std::max(height, text.height() + 2 * TextMargin);
        }
        setRowHeight(row, height);
    }
}

void OrderGrid::ShowRows(const std::vector<std::array<std::string, 6>>& rows, int selectedRow) {
    QStringList headers;
    for (const auto& text : rows.front())
        headers << FromCore(text);
    setHorizontalHeaderLabels(headers);
    setRowCount(static_cast<int>(rows.size()) - 1);
    for (size_t row = 1; row < rows.size(); ++row) {
        for (int column = 0; column < 6; ++column) {
            QTableWidgetItem* cell = item(static_cast<int>(row) - 1, column);
            if (!cell) {
                cell = new QTableWidgetItem;
                setItem(static_cast<int>(row) - 1, column, cell);
            }
            cell->setText(FromCore(rows[row][static_cast<size_t>(column)]));
        }
    }
    FitColumns();
    FitRows();
    // An empty order shows its blank row plain, not as a picked line.
    const bool empty =
        rows.size() == 2 &&
        std::ranges::all_of(rows[1], [](const std::string& text) { return text.empty(); });
    setCurrentCell(empty ? -1 : selectedRow - 1, 1);
}

} // namespace pelmora
