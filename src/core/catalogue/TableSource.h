#pragma once

#include "TxtTable.h"

#include <map>
#include <memory>
#include <string>

namespace pelmora {

class MessageBoxes;

// A catalogue table as one operation reads it.
using TableRef = std::shared_ptr<const TTxtTable>;

// Tables kept from their first reading, for a short-lived run such as one command
// of the command line. The window reads every table afresh instead, so that a
// replaced file counts at once.
class TableCache {
public:
    TableRef Get(const std::string& path, bool withHeader, MessageBoxes& messages);
    // Throws FileError, and keeps nothing, when the file cannot be read.
    TableRef GetOrThrow(const std::string& path);

private:
    std::map<std::pair<std::string, bool>, TableRef> tables_;
};

// Where catalogue tables are read from for one operation: from the file each time,
// or from the cache when there is one. A file that cannot be read is reported and
// reads as an empty table.
struct TableSource {
    std::string DataDir;
    MessageBoxes& Messages;
    TableCache* Cache = nullptr;

    // Without its header row.
    TableRef Load(const std::string& name) const;
    TableRef LoadWithHeader(const std::string& name) const;
    // Without its header row; throws FileError when the file cannot be read.
    TableRef LoadOrThrow(const std::string& name) const;
};

} // namespace pelmora
