#pragma once

#include "TxtTable.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace pelmora {

class MessageBoxes;

// A catalogue table as one operation reads it.
using TableRef = std::shared_ptr<const TTxtTable>;

// Tables kept once read, each checked against its file at every use (device,
// inode, size and the nanosecond modification and change times: one stat), so
// that a table replaced or edited while the program runs counts at the next
// operation, as it would if every operation read its tables afresh. Safe to share
// between threads: a table once read is never changed.
class TableCache {
public:
    enum Mode {
        // Every use checks the file, and a missing file is read (and reported) at
        // every use, as the window does.
        Checked,
        // A short run (one command) keeps each table as first read, missing ones
        // too, without looking at the files again.
        ShortRun,
    };
    explicit TableCache(Mode mode = Checked) : mode_(mode) {}

    TableRef Get(const std::string& path, bool withHeader, MessageBoxes& messages);
    // Throws FileError, and keeps nothing, when the file cannot be read.
    TableRef GetOrThrow(const std::string& path);

private:
    struct Identity {
        unsigned long long Device = 0;
        unsigned long long Inode = 0;
        long long Size = -1;
        long long Modified = 0;
        long long Changed = 0;
        bool operator==(const Identity&) const = default;
    };
    struct Entry {
        Identity File;
        TableRef Table;
    };
    static Identity IdentityOf(const std::string& path);
    TableRef Find(const std::string& path, bool withHeader, const Identity& file);
    void Keep(const std::string& path, bool withHeader, const Identity& file, TableRef table);

    const Mode mode_;
    std::mutex mutex_;
    std::map<std::pair<std::string, bool>, Entry> tables_;
};

// Where catalogue tables are read from for one operation: from the file each time,
// or through the cache when there is one. A file that cannot be read is reported
// and reads as an empty table.
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
