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

} // namespace pelmora
