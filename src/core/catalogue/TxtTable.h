#pragma once

#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace pelmora {

class MessageBoxes;
struct FileBytes;

// The load error box's text for a table that cannot be read.
std::string LoadErrorMessage(const std::string& path, const std::exception& error);

// A pipe-delimited text table: the lines of a file (or lines the program adds
// itself), cut into fields only when a field is asked for. Rows count from 0,
// columns from 1.
class TTxtTable {
public:
    TTxtTable() = default;
    // Loads the file; a file that cannot be read shows the load error box and
    // leaves the table empty. Construction itself never fails.
    TTxtTable(const std::string& path, MessageBoxes& messages);

    // The same for a table that is only looked up in, as the catalogue's tables
    // are: its rows stay views into the file's bytes, read in one piece, instead of
    // a string each, and Lines stays empty. Changing a row (SetField) turns the
    // table into an ordinary one first.
    static TTxtTable ForLookups(const std::string& path, MessageBoxes& messages);
    // Throws FileError when the file cannot be read.
    static TTxtTable ForLookupsOrThrow(const std::string& path);
    static TTxtTable FromBytes(FileBytes bytes);

    // Replaces Lines with the file's lines; throws FileError when it cannot be read.
    void LoadFromFile(const std::string& path);

    void Assign(const TTxtTable& source);
    void DeleteHeader();
    std::string GetField(int row, int column) const;
    // The row as read (untrimmed), in either kind of table.
    std::string_view Line(int row) const {
        if (row < 0 || row >= RowCount())
            ThrowIndexError(row);
        return buffer_ ? views_[firstView_ + static_cast<size_t>(row)]
                       : std::string_view(Lines[static_cast<size_t>(row)]);
    }
    // The rows whose field in the column is the key (exact, trimmed), in file
    // order: the same rows a scan from the first row finds. A table for lookups
    // indexes the column at the first call and keeps the index (safe to share
    // between threads); any other table is scanned each time, and the result is
    // valid until the next call.
    const std::vector<int>& RowsWhere(int column, std::string_view key) const;
    // A table of the given rows, in that order. From a table for lookups it is
    // another one sharing the same bytes, so that nothing is copied.
    TTxtTable Rows(const std::vector<int>& rows) const;
    // Every field of the row, trimmed, split in one pass.
    std::vector<std::string_view> Fields(int row) const;
    // The same field as GetField, as a view into the row.
    std::string_view FieldView(int row, int column) const;
    // FieldView of every row in the column, so that a scan over many rows does not
    // split each row again. A table for lookups keeps it with its indexes (safe to
    // share between threads); any other table splits its rows at each call, and
    // the result is valid until the next call.
    const std::vector<std::string_view>& Column(int column) const;
    void GetColumn(int column, std::vector<std::string>& target) const;
    int RowCount() const {
        return static_cast<int>(buffer_ ? views_.size() - firstView_ : Lines.size());
    }
    void SetField(int row, int column, const std::string& value);

    std::vector<std::string> Lines;
    char Separator = '|';

private:
    void OwnLines();
    [[noreturn]] static void ThrowIndexError(int row);

    struct ColumnIndexes;

    // The bytes of a table for lookups, and its rows as views into them; rows
    // before firstView_ were deleted (the header).
    std::shared_ptr<const char[]> buffer_;
    std::vector<std::string_view> views_;
    size_t firstView_ = 0;
    std::shared_ptr<ColumnIndexes> indexes_;
    mutable std::vector<int> scanned_;
    mutable std::vector<std::string_view> split_;
};

// True when the list holds the text, letter case ignored.
bool IsInList(const std::string& text, const std::vector<std::string>& list);

// Ascending order without regard to letter case; of entries that compare equal,
// only the first in the list's previous order stays.
void SortUnique(std::vector<std::string>& list);

// IsInList for many lookups in one list: the entries folded to upper case once,
// then each lookup a hash.
class CaseInsensitiveSet {
public:
    explicit CaseInsensitiveSet(const std::vector<std::string>& list);
    bool Contains(std::string_view text) const;

private:
    std::unordered_set<std::string> entries_;
};

} // namespace pelmora
