#include "TxtTable.h"

#include "Errors.h"
#include "FileSystem.h"
#include "Text1252.h"
#include "platform/MessageBoxes.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <unordered_map>

namespace pelmora {

std::string LoadErrorMessage(const std::string& path, const std::exception& error) {
    return "Error loading \"" + path + "\" with error message, \"" + error.what() + "\".";
}

TTxtTable::TTxtTable(const std::string& path, MessageBoxes& messages) {
    try {
        LoadFromFile(path);
    } catch (const FileError& error) {
        Lines.clear();
        messages.Error(LoadErrorMessage(path, error));
    }
}

TTxtTable TTxtTable::ForLookups(const std::string& path, MessageBoxes& messages) {
    try {
        return ForLookupsOrThrow(path);
    } catch (const FileError& error) {
        messages.Error(LoadErrorMessage(path, error));
        return {};
    }
}

TTxtTable TTxtTable::ForLookupsOrThrow(const std::string& path) {
    return FromBytes(ReadFileBytes(path));
}

TTxtTable TTxtTable::FromBytes(FileBytes bytes) {
    TTxtTable table;
    table.views_ = SplitLineViews(bytes.View());
    table.buffer_ = std::move(bytes.Data);
    table.indexes_ = std::make_shared<ColumnIndexes>();
    return table;
}

void TTxtTable::LoadFromFile(const std::string& path) {
    buffer_.reset();
    views_.clear();
    firstView_ = 0;
    indexes_.reset();
    Lines = SplitLines(ReadWholeFile(path));
}

void TTxtTable::OwnLines() {
    if (!buffer_)
        return;
    Lines.assign(views_.begin() + static_cast<std::ptrdiff_t>(firstView_), views_.end());
    buffer_.reset();
    indexes_.reset();
    views_.clear();
    firstView_ = 0;
}

void TTxtTable::Assign(const TTxtTable& source) {
    Separator = source.Separator;
    Lines = source.Lines;
    buffer_ = source.buffer_;
    views_ = source.views_;
    firstView_ = source.firstView_;
    indexes_ = source.indexes_;
}

void TTxtTable::DeleteHeader() {
    if (buffer_) {
        if (firstView_ < views_.size())
            ++firstView_;
        // Row numbers move down by one: an index made before would be wrong.
        indexes_ = std::make_shared<ColumnIndexes>();
    } else if (!Lines.empty()) {
        Lines.erase(Lines.begin());
    }
}

void TTxtTable::ThrowIndexError(int row) {
    throw ListIndexError(row);
}

// The indexed columns of a table for lookups: for each column, the rows of each
// field text. Keys are views into the table's bytes, which the index shares.
struct TTxtTable::ColumnIndexes {
    std::mutex Mutex;
    std::map<int, std::unordered_map<std::string_view, std::vector<int>>> Columns;
    std::map<int, std::vector<std::string_view>> Fields;
};

const std::vector<std::string_view>& TTxtTable::Column(int column) const {
    auto split = [&](std::vector<std::string_view>& fields) {
        fields.clear();
        for (int row = 0; row < RowCount(); ++row)
            fields.push_back(FieldView(row, column));
    };
    if (!indexes_) {
        split(split_);
        return split_;
    }
    const std::lock_guard lock(indexes_->Mutex);
    auto [found, added] = indexes_->Fields.try_emplace(column);
    if (added)
        split(found->second);
    return found->second;
}

const std::vector<int>& TTxtTable::RowsWhere(int column, std::string_view key) const {
    if (!indexes_) {
        scanned_.clear();
        for (int row = 0; row < RowCount(); ++row) {
            if (FieldView(row, column) == key)
                scanned_.push_back(row);
        }
        return scanned_;
    }
    const std::lock_guard lock(indexes_->Mutex);
    auto [found, added] = indexes_->Columns.try_emplace(column);
    auto& index = found->second;
    if (added) {
        for (int row = 0; row < RowCount(); ++row)
            index[FieldView(row, column)].push_back(row);
    }
    static const std::vector<int> None;
    const auto rows = index.find(key);
    return rows == index.end() ? None : rows->second;
}

TTxtTable TTxtTable::Rows(const std::vector<int>& rows) const {
    TTxtTable subset;
    subset.Separator = Separator;
    if (buffer_) {
        subset.buffer_ = buffer_;
        subset.indexes_ = std::make_shared<ColumnIndexes>();
        subset.views_.reserve(rows.size());
        for (const int row : rows)
            subset.views_.push_back(Line(row));
    } else {
        subset.Lines.reserve(rows.size());
        for (const int row : rows)
            subset.Lines.emplace_back(Line(row));
    }
    return subset;
}

std::vector<std::string_view> TTxtTable::Fields(int row) const {
    std::vector<std::string_view> fields;
    std::string_view rest = Line(row);
    for (;;) {
        const size_t separator = rest.find(Separator);
        fields.push_back(TrimControlAndBlank(rest.substr(0, separator)));
        if (separator == std::string_view::npos)
            return fields;
        rest.remove_prefix(separator + 1);
    }
}

std::string TTxtTable::GetField(int row, int column) const {
    return std::string(FieldView(row, column));
}

std::string_view TTxtTable::FieldView(int row, int column) const {
    const std::string_view line = Line(row);
    const char* start = line.data();
    const char* const end = start + line.size();
    const char* stop = end;
    for (int i = 0; i < column; ++i) {
        // Fields are short: a plain search beats a library call per field.
        const char* separator = std::find(start, end, Separator);
        if (separator == end) {
            // A column past the row's end reads as its last field again.
            stop = end;
            break;
        }
        stop = separator;
        if (i + 1 < column)
            start = separator + 1;
    }
    return TrimControlAndBlank(std::string_view(start, static_cast<size_t>(stop - start)));
}

void TTxtTable::GetColumn(int column, std::vector<std::string>& target) const {
    std::vector<std::string> values;
    values.reserve(Lines.size());
    for (int row = 0; row < RowCount(); ++row)
        values.push_back(GetField(row, column));
    target = std::move(values);
}

void TTxtTable::SetField(int row, int column, const std::string& value) {
    OwnLines();
    std::vector<std::string> fields;
    std::string_view rest = Line(row);
    for (;;) {
        const size_t separator = rest.find(Separator);
        if (separator == std::string_view::npos) {
            fields.emplace_back(rest);
            break;
        }
        fields.emplace_back(rest.substr(0, separator));
        rest.remove_prefix(separator + 1);
    }
    if (column < 1 || column > static_cast<int>(fields.size()))
        throw ListIndexError(column - 1);
    fields[static_cast<size_t>(column - 1)] = value;

    std::string joined = fields.front();
    for (size_t i = 1; i < fields.size(); ++i) {
        joined += Separator;
        joined += fields[i];
    }
    Lines[static_cast<size_t>(row)] = std::move(joined);
}

bool IsInList(const std::string& text, const std::vector<std::string>& list) {
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string& entry) { return SameTextNoCase(entry, text); });
}

void SortUnique(std::vector<std::string>& list) {
    // A stable sort keeps equal entries in their previous order, so the first of
    // each group is the one met first: one sort and one pass instead of a search of
    // the kept entries for every entry.
    std::stable_sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
        return CompareTextNoCase(a, b) < 0;
    });
    list.erase(std::unique(
                   list.begin(), list.end(),
                   [](const std::string& a, const std::string& b) { return SameTextNoCase(a, b); }),
               list.end());
}

CaseInsensitiveSet::CaseInsensitiveSet(const std::vector<std::string>& list) {
    entries_.reserve(list.size());
    for (const std::string& entry : list)
        entries_.insert(UpperCase1252(entry));
}

bool CaseInsensitiveSet::Contains(std::string_view text) const {
    return entries_.count(UpperCase1252(text)) > 0;
}

} // namespace pelmora
