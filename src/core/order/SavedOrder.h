#pragma once

#include "OrderFiles.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

// A saved order that is not what the program writes, told with the file and line.
class SavedOrderError : public std::runtime_error {
public:
    SavedOrderError(const std::string& file, size_t line, const std::string& reason)
        : std::runtime_error("\"" + file + "\", line " + std::to_string(line) + ": " + reason),
          File(file), Line(line), Reason(reason) {}

    std::string File;
    size_t Line;
    std::string Reason;
};

// The kind of order file the program saved, told by its first line (the TAB
// header, the column header, or the XML declaration); nothing for other text.
std::optional<OrderFileKind> SavedOrderKind(std::string_view text);

// The order lines (quantity|price|delivery|part number|description) of a saved
// order exactly as they were saved, so that saving them again writes the same
// bytes. Reads the program's XML both as now written (declared encoding, escaped)
// and in its older form (raw text). Descriptions with characters Windows-1252
// lacks go into wide when given, so that they are written again. Throws
// SavedOrderError, naming the file, for a line that is not an order line.
std::vector<std::string> ParseSavedOrder(std::string_view text, OrderFileKind kind,
                                         const std::string& fileName,
                                         WideDescriptions* wide = nullptr);

// The same from a file; throws FileError when it cannot be read, and
// SavedOrderError when it is no saved order.
std::vector<std::string> ReadSavedOrder(const std::string& path, WideDescriptions* wide = nullptr);

} // namespace pelmora
