#include "TableSource.h"

#include "Errors.h"
#include "FileSystem.h"
#include "platform/MessageBoxes.h"

#include <algorithm>

namespace pelmora {

namespace {

TableRef Shared(TTxtTable table, bool withHeader) {
    if (!withHeader)
        table.DeleteHeader();
    return std::make_shared<TTxtTable>(std::move(table));
}

TableRef Read(const std::string& path, bool withHeader, MessageBoxes& messages) {
    return Shared(TTxtTable::ForLookups(path, messages), withHeader);
}

TableRef ReadOrThrow(const std::string& path) {
    return Shared(TTxtTable::ForLookupsOrThrow(path), false);
}

thread_local TableScope* innermostScope = nullptr;

} // namespace

TableScope::TableScope() : outer_(innermostScope) {
    innermostScope = this;
}

TableScope::~TableScope() {
    innermostScope = outer_;
}

TableScope* TableScope::Current() {
    return innermostScope;
}

TableRef TableScope::Find(const TableCache* cache, std::string_view path, bool withHeader) const {
    const auto found = seen_.find(std::tuple{cache, path, withHeader});
    return found == seen_.end() ? nullptr : found->second;
}

void TableScope::Keep(const TableCache* cache, std::string_view path, bool withHeader,
                      TableRef table) {
    seen_.insert_or_assign({cache, std::string(path), withHeader}, std::move(table));
}

bool TableScope::FirstLookAt(const TableCache* cache) {
    if (std::find(looked_.begin(), looked_.end(), cache) != looked_.end())
        return false;
    looked_.push_back(cache);
    return true;
}

std::optional<TableCache::Entry> TableCache::Find(const KeyView& key) {
    const std::lock_guard lock(mutex_);
    const auto found = tables_.find(key);
    if (found == tables_.end())
        return std::nullopt;
    return found->second;
}

void TableCache::Keep(const KeyView& key, Entry entry) {
    const std::lock_guard lock(mutex_);
    Entry& kept = tables_[{std::string(std::get<0>(key)), std::get<1>(key)}];
    if (kept.Table && kept.Table != entry.Table)
        DropDerivedFrom(kept.Table.get());
    kept = std::move(entry);
}

void TableCache::Confirm(const KeyView& key, const FileStamp& file, Moment checked) {
    const std::lock_guard lock(mutex_);
    if (const auto found = tables_.find(key); found != tables_.end() && found->second.File == file)
        found->second.Checked = std::max(found->second.Checked, checked);
}

void TableCache::Forget(const KeyView& key) {
    const std::lock_guard lock(mutex_);
    if (const auto found = tables_.find(key); found != tables_.end()) {
        DropDerivedFrom(found->second.Table.get());
        tables_.erase(found);
    }
}

void TableCache::DropDerivedFrom(const TTxtTable* table) {
    std::erase_if(derived_, [table](const auto& named) {
        const auto& from = named.second.From;
        return std::any_of(from.begin(), from.end(), [table](const auto& source) {
            const TableRef alive = source.lock();
            return !alive || alive.get() == table;
        });
    });
}

TableCache::Derived TableCache::Remember(const std::string& name, const std::vector<TableRef>& from,
                                         const std::function<Derived()>& make) {
    auto sameTables = [&from](const Remembered& kept) {
        return std::equal(from.begin(), from.end(), kept.From.begin(), kept.From.end(),
                          [](const TableRef& table, const std::weak_ptr<const TTxtTable>& source) {
                              return table && table == source.lock();
                          });
    };
    {
        const std::lock_guard lock(mutex_);
        if (const auto found = derived_.find(name);
            found != derived_.end() && sameTables(found->second))
            return found->second.Value;
    }
    // Made outside the lock: other threads go on using the cache meanwhile.
    Derived value = make();
    const std::lock_guard lock(mutex_);
    derived_[name] = {{from.begin(), from.end()}, value};
    return value;
}

TableCache::Look TableCache::Watch(std::string_view folder, std::string_view name, Moment checked) {
    TableScope* scope = TableScope::Current();
    if (!scope || scope->FirstLookAt(this))
        watch_.Poll();
    // Nothing at all reported since: its name need not be looked up.
    if (checked != 0 && checked == watch_.Now())
        return {checked, checked};
    const std::optional<Moment> lastChange = watch_.LastChange(folder, name);
    return {lastChange, watch_.Now()};
}

TableRef TableCache::UseChecked(const KeyView& key, MessageBoxes* messages) {
    const auto& [path, withHeader] = key;
    Look look;
    std::optional<Entry> known;
    {
        const std::lock_guard lock(mutex_);
        // Without a folder (no slash), nothing is watched.
        const size_t slash = path.rfind('/') + 1;
        const auto found = tables_.find(key);
        const bool kept = found != tables_.end();
        look = Watch(path.substr(0, slash), path.substr(slash), kept ? found->second.Checked : 0);
        if (kept && look.Unchanged(found->second.Checked)) {
            found->second.Checked = look.Now;
            return found->second.Table;
        }
        if (kept)
            known = found->second;
    }
    const std::string fullPath(path);
    // The name as written first: looking for it by any case costs a folder listing.
    FileLook file = LookAt(fullPath);
    if (!file.Stamp.Exists())
        file = LookAt(ResolvePath(fullPath));
    const Moment checked = look.LastChange && file.NameAlone ? look.Now : 0;
    if (known && file.Stamp.Exists() && known->File == file.Stamp) {
        Confirm(key, file.Stamp, checked);
        return known->Table;
    }
    const TableRef lastSettled = known ? known->Settled : nullptr;
    try {
        FileBytes bytes = ReadFileBytes(fullPath);
        const FileStamp read = bytes.Stamp;
        const bool settled = bytes.Settled;
        // Not kept: the next use looks at the file again. No table is empty (each
        // has its header): an empty file is one truncated to be written again,
        // however long its writer pauses.
        if ((!settled || bytes.Size == 0) && lastSettled)
            return lastSettled;
        TableRef table = Shared(TTxtTable::FromBytes(std::move(bytes)), withHeader);
        Keep(key, {read, table, settled ? table : lastSettled, checked});
        return table;
    } catch (const FileError& error) {
        // A file that is there but cannot be read whole (being replaced, changing,
        // locked away) leaves the last good copy in use; a deleted one does not.
        if (file.Stamp.Exists() && lastSettled)
            return lastSettled;
        if (!file.Stamp.Exists())
            Forget(key);
        if (!messages)
            throw;
        messages->Error(LoadErrorMessage(fullPath, error));
        return std::make_shared<TTxtTable>();
    }
}

TableRef TableCache::Use(const KeyView& key, MessageBoxes* messages) {
    const auto& [path, withHeader] = key;
    TableScope* scope = TableScope::Current();
    if (scope)
        if (TableRef table = scope->Find(this, path, withHeader))
            return table;
    TableRef table;
    if (mode_ == Checked) {
        table = UseChecked(key, messages);
    } else if (const auto known = Find(key)) {
        table = known->Table;
    } else {
        const std::string file(path);
        table = messages ? Read(file, withHeader, *messages) : ReadOrThrow(file);
        Keep(key, {{}, table, table});
    }
    if (scope)
        scope->Keep(this, path, withHeader, table);
    return table;
}

TableRef TableCache::Get(const std::string& path, bool withHeader, MessageBoxes& messages) {
    return Use({path, withHeader}, &messages);
}

TableRef TableCache::GetOrThrow(const std::string& path) {
    return Use({path, false}, nullptr);
}

std::optional<std::string> TableCache::FileInFolder(const std::string& folder,
                                                    const std::string& name) {
    Look look;
    {
        const std::lock_guard lock(mutex_);
        auto& kept = pictures_[folder];
        const auto found = kept.find(name);
        const bool known = found != kept.end();
        // A short run keeps the first answer, as it keeps its tables.
        if (known && mode_ == ShortRun)
            return found->second.Path;
        if (mode_ == Checked)
            look = Watch(folder, name, known ? found->second.Checked : 0);
        if (known && look.Unchanged(found->second.Checked)) {
            found->second.Checked = look.Now;
            return found->second.Path;
        }
    }
    FolderEntry entry = LookUpInFolder(folder, name);
    if (mode_ == ShortRun || (look.LastChange && entry.NameAlone)) {
        const std::lock_guard lock(mutex_);
        pictures_[folder][name] = {entry.Path, look.Now};
    }
    return std::move(entry.Path);
}

TableRef TableSource::Load(const std::string& name) const {
    return Cache ? Cache->Get(DataDir + name, false, Messages)
                 : Read(DataDir + name, false, Messages);
}

TableRef TableSource::LoadWithHeader(const std::string& name) const {
    return Cache ? Cache->Get(DataDir + name, true, Messages)
                 : Read(DataDir + name, true, Messages);
}

TableRef TableSource::LoadOrThrow(const std::string& name) const {
    return Cache ? Cache->GetOrThrow(DataDir + name) : ReadOrThrow(DataDir + name);
}

} // namespace pelmora
