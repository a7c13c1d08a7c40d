#include "TxtTable.h"

#include "Errors.h"
#include "FileSystem.h"
#include "Text1252.h"
#include "platform/MessageBoxes.h"

#include <algorithm>
#include <cstring>

namespace pelmora {

TTxtTable::TTxtTable(const std::string& path, MessageBoxes& messages) {
    try {
        LoadFromFile(path);
    } catch (const FileError& error) {
        Lines.clear();
        messages.Error("Error loading \"" + path + "\" with error message, \"" + error.what() +
                       "\".");
    }
}

TTxtTable TTxtTable::ForLookups(const std::string& path, MessageBoxes& messages) {
    try {
        return ForLookupsOrThrow(path);
    } catch (const FileError& error) {
        messages.Error("Error loading \"" + path + "\" with error message, \"" + error.what() +
                       "\".");
        return {};
    }
}

TTxtTable TTxtTable::ForLookupsOrThrow(const std::string& path) {
    TTxtTable table;
    auto bytes = std::make_shared<const std::string>(ReadWholeFile(path));
    table.views_ = SplitLineViews(*bytes);
    table.buffer_ = std::move(bytes);
    return table;
}

void TTxtTable::LoadFromFile(const std::string& path) {
    buffer_.reset();
    views_.clear();
    firstView_ = 0;
    Lines = SplitLines(ReadWholeFile(path));
}

void TTxtTable::OwnLines() {
    if (!buffer_)
        return;
    Lines.assign(views_.begin() + static_cast<std::ptrdiff_t>(firstView_), views_.end());
    buffer_.reset();
    views_.clear();
    firstView_ = 0;
}

void TTxtTable::Assign(const TTxtTable& source) {
    Separator = source.Separator;
    Lines = source.Lines;
    buffer_ = source.buffer_;
    views_ = source.views_;
    firstView_ = source.firstView_;
}

void TTxtTable::DeleteHeader() {
    if (buffer_) {
        if (firstView_ < views_.size())
            ++firstView_;
    } else if (!Lines.empty()) {
        Lines.erase(Lines.begin());
    }
}

std::string_view TTxtTable::Line(int row) const {
    if (row < 0 || row >= RowCount())
        throw ListIndexError(row);
    return buffer_ ? views_[firstView_ + static_cast<size_t>(row)]
                   : std::string_view(Lines[static_cast<size_t>(row)]);
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
        const auto* separator = static_cast<const char*>(std::memchr(start, Separator, end - start));
        if (!separator) {
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
    list.erase(std::unique(list.begin(), list.end(),
                           [](const std::string& a, const std::string& b) {
                               return SameTextNoCase(a, b);
                           }),
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
