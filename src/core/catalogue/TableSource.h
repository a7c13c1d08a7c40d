#pragma once

#include "TxtTable.h"

#include <string>

namespace pelmora {

class MessageBoxes;

// Where catalogue tables are read from for one operation: each Load reads the file
// afresh, removes its header row and reports a file it cannot read.
struct TableSource {
    std::string DataDir;
    MessageBoxes& Messages;

    TTxtTable Load(const std::string& name) const {
        TTxtTable table(DataDir + name, Messages);
        table.DeleteHeader();
        return table;
    }
};

} // namespace pelmora
