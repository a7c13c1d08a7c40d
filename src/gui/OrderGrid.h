#pragma once

#include <QTableWidget>
#include <array>
#include <string>
#include <vector>

namespace pelmora {

// The order form's grid: a bold, centred header row and body rows at least 45
// pixels high and as high as their word-wrapped text, whose cells have a raised
// edge, quantity and price right-aligned.
class OrderGrid : public QTableWidget {
    Q_OBJECT

public:
    explicit OrderGrid(QWidget* parent = nullptr);

    // Rows as the form holds them, the header row first.
    void ShowRows(const std::vector<std::array<std::string, 6>>& rows, int selectedRow);

private:
    void FitColumns();
    void FitRows();
};

} // namespace pelmora
