#pragma once

#include <QTableWidget>
#include <array>
#include <string>

namespace pelmora {

// The description grid of screen 2: 4 columns by 11 rows of bold navy text, odd
// rows on light grey, each cell on one line cut with an ellipsis and its whole
// text in its tooltip.
class DescriptionGrid : public QTableWidget {
    Q_OBJECT

public:
    // The total width includes the frame.
    explicit DescriptionGrid(int totalWidth, QWidget* parent = nullptr);

    template <size_t Rows, size_t Columns>
    void ShowCells(const std::array<std::array<std::string, Columns>, Rows>& cells) {
        for (size_t row = 0; row < Rows; ++row) {
            for (size_t column = 0; column < Columns; ++column)
                SetCell(static_cast<int>(row), static_cast<int>(column), cells[row][column]);
        }
    }

private:
    void SetCell(int row, int column, const std::string& text);
};

} // namespace pelmora
