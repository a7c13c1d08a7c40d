#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

class MessageBoxes;

// A pipe-delimited text table: the lines of a file (or lines the program adds
// itself), cut into fields only when a field is asked for. Rows count from 0,
// columns from 1.
class TTxtTable {
public:
    TTxtTable() = default;
    // Loads the file; a file that cannot be read shows the load error box and
    // leaves the table empty. Construction itself never fails.
    TTxtTable(const std::string& path, MessageBoxes& messages);

    // Replaces Lines with the file's lines; throws FileError when it cannot be read.
    void LoadFromFile(const std::string& path);

    void Assign(const TTxtTable& source);
    void DeleteHeader();
    std::string GetField(int row, int column) const;
    // The same field as GetField, as a view into the row.
    std::string_view FieldView(int row, int column) const;
    void GetColumn(int column, std::vector<std::string>& target) const;
    int RowCount() const { return static_cast<int>(Lines.size()); }
    void SetField(int row, int column, const std::string& value);

    std::vector<std::string> Lines;
    char Separator = '|';

private:
    const std::string& Row(int row) const;
};

// True when the list holds the text, letter case ignored.
bool IsInList(const std::string& text, const std::vector<std::string>& list);

// Ascending order without regard to letter case; of entries that compare equal,
// only the first in the list's previous order stays.
void SortUnique(std::vector<std::string>& list);

} // namespace pelmora
