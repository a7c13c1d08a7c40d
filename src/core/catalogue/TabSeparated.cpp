#include "TabSeparated.h"

#include <algorithm>

namespace pelmora {

std::string TabSeparatedField(std::string field) {
    std::replace_if(
        field.begin(), field.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; },
        ' ');
    return field;
}

std::string TabSeparatedLine(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& field : fields) {
        if (&field != &fields.front())
            line += '\t';
        line += TabSeparatedField(field);
    }
    return line;
}

namespace {

constexpr std::string_view FormulaStarts = "=+-@'";

} // namespace

std::string FormulaGuarded(std::string cell) {
    if (!cell.empty() && FormulaStarts.find(cell.front()) != std::string_view::npos)
        cell.insert(0, 1, '\'');
    return cell;
}

std::string FormulaUnguarded(std::string_view cell) {
    if (cell.size() > 1 && cell.front() == '\'' &&
        FormulaStarts.find(cell[1]) != std::string_view::npos)
        cell.remove_prefix(1);
    return std::string(cell);
}

} // namespace pelmora
