#pragma once

#include "TxtTable.h"

#include <map>
#include <string>

namespace pelmora {

class MessageBoxes;

// Tables kept from their first reading, for a short-lived run such as one command
// of the command line. The window reads every table afresh instead, so that a
// replaced file counts at once.
class TableCache {
public:
    const TTxtTable& Get(const std::string& path, MessageBoxes& messages);
    // Throws FileError, and keeps nothing, when the file cannot be read.
    const TTxtTable& GetOrThrow(const std::string& path);

private:
    std::map<std::string, TTxtTable> tables_;
};

// Where catalogue tables are read from for one operation: from the file each time,
// or from the cache when there is one. A file that cannot be read is reported and
// reads as an empty table.
struct TableSource {
    std::string DataDir;
    MessageBoxes& Messages;
    TableCache* Cache = nullptr;

    // Without its header row.
    TTxtTable Load(const std::string& name) const;
    TTxtTable LoadWithHeader(const std::string& name) const;
    // Without its header row; throws FileError when the file cannot be read.
    TTxtTable LoadOrThrow(const std::string& name) const;
};

} // namespace pelmora
