#pragma once

#include "FileSystem.h"
#include "FolderWatch.h"
#include "TxtTable.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace pelmora {

class MessageBoxes;

// A catalogue table as one operation reads it.
using TableRef = std::shared_ptr<const TTxtTable>;

// Orders keys that hold their file name as a string or as a view alike, so that a
// lookup by view copies no name. Tuples of different element types are not
// comparable with every standard library, so both sides are compared as views.
struct ViewedKeyLess {
    using is_transparent = void;
    template <typename A, typename B> bool operator()(const A& left, const B& right) const {
        return Viewed(left) < Viewed(right);
    }

private:
    template <typename... Parts> static auto Viewed(const std::tuple<Parts...>& key) {
        return std::apply([](const auto&... part) { return std::tuple{AsView(part)...}; }, key);
    }
    static std::string_view AsView(const std::string& text) { return text; }
    template <typename Part> static Part AsView(const Part& part) { return part; }
};

// Tables kept once read, each checked against its file at every use, so that a
// table replaced or edited while the program runs counts at the next operation, as
// it would if every operation read its tables afresh. Safe to share between
// threads: a table once read is never changed.
//
// The check costs no look at the disk while the kernel reports no change to the
// file's name in its folder (FolderWatch, read once per scope); where it cannot
// report every change (a folder it cannot watch, a link, a second hard link), the
// check is one stat. Not reported: writes through a hard link made while the
// table is kept, and writes into a shared mapping of the file.
//
// A table rewritten in place (truncated, then written again) is not taken while
// it may still be half written: until its file has held still for a moment, and
// when it cannot be read whole, the last copy read from a settled file is used.
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
    explicit TableCache(Mode mode = Checked, size_t watchedFolders = 32)
        : mode_(mode), watch_(watchedFolders) {}

    TableRef Get(const std::string& path, bool withHeader, MessageBoxes& messages);
    // Throws FileError, and keeps nothing, when the file cannot be read.
    TableRef GetOrThrow(const std::string& path);

    // pelmora::FileInFolder, the answer kept and checked as the tables are (a
    // picture added, replaced or deleted counts at the next operation).
    std::optional<std::string> FileInFolder(const std::string& folder, const std::string& name);

    // What is worked out from tables (the sizes a family offers, say), kept under
    // its name while each table it came from is still the one in use: made again
    // from other copies of them, and dropped when the cache replaces one. A name
    // always stands for the same kind of value.
    using Derived = std::shared_ptr<const void>;
    Derived Remember(const std::string& name, const std::vector<TableRef>& from,
                     const std::function<Derived()>& make);

private:
    using Moment = FolderWatch::Moment;
    struct Entry {
        FileStamp File;
        TableRef Table;
        // The last copy read from a settled file, to use while it is rewritten.
        TableRef Settled;
        // When the file was last found to be this one, on the watch's clock; 0
        // when its folder's reports do not cover it.
        Moment Checked = 0;
    };
    // The path, and whether the header row is kept.
    using Key = std::tuple<std::string, bool>;
    using KeyView = std::tuple<std::string_view, bool>;
    // Without messages a table that cannot be read throws.
    TableRef Use(const KeyView& key, MessageBoxes* messages);
    TableRef UseChecked(const KeyView& key, MessageBoxes* messages);
    std::optional<Entry> Find(const KeyView& key);
    void Keep(const KeyView& key, Entry entry);
    void Confirm(const KeyView& key, const FileStamp& file, Moment checked);
    void Forget(const KeyView& key);

    // What the watch says of a file last found unchanged at the moment checked (0
    // for never), after taking in its reports at the first look of the scope (at
    // every look without one). Called under the lock.
    struct Look {
        std::optional<Moment> LastChange;
        Moment Now = 0;
        bool Unchanged(Moment checked) const { return LastChange && checked >= *LastChange; }
    };
    Look Watch(std::string_view folder, std::string_view name, Moment checked);

    struct Picture {
        std::optional<std::string> Path;
        Moment Checked = 0;
    };

    struct Remembered {
        std::vector<std::weak_ptr<const TTxtTable>> From;
        Derived Value;
    };
    void DropDerivedFrom(const TTxtTable* table);

    const Mode mode_;
    std::mutex mutex_;
    FolderWatch watch_;
    std::map<Key, Entry, ViewedKeyLess> tables_;
    std::map<std::string, Remembered> derived_;
    // By folder, then name.
    std::map<std::string, std::map<std::string, Picture, std::less<>>, std::less<>> pictures_;
};

// One action of the window, or one request of the server, sees one version of
// every table it uses: while a scope lives on a thread, each table is checked
// against its file once, at its first use, and the same copy is given at every
// later use. Scopes nest; the innermost one counts (a dialog's own actions inside
// a longer one see the tables as they are then).
class TableScope {
public:
    TableScope();
    ~TableScope();
    TableScope(const TableScope&) = delete;
    TableScope& operator=(const TableScope&) = delete;

    static TableScope* Current();
    TableRef Find(const TableCache* cache, std::string_view path, bool withHeader) const;
    void Keep(const TableCache* cache, std::string_view path, bool withHeader, TableRef table);
    // True at the scope's first look at the cache's files only.
    bool FirstLookAt(const TableCache* cache);

private:
    TableScope* outer_;
    std::map<std::tuple<const TableCache*, std::string, bool>, TableRef, ViewedKeyLess> seen_;
    std::vector<const TableCache*> looked_;
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

    // TableCache::Remember through the cache (the name taken as this folder's), or
    // made afresh without one.
    template <class T>
    std::shared_ptr<const T> Derive(const std::string& name, const std::vector<TableRef>& from,
                                    const std::function<T()>& make) const {
        auto made = [&make] { return std::make_shared<const T>(make()); };
        if (!Cache)
            return made();
        return std::static_pointer_cast<const T>(Cache->Remember(DataDir + name, from, made));
    }
};

} // namespace pelmora
