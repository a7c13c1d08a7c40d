#include "TableSource.h"

#include "FileSystem.h"

#include <sys/stat.h>

namespace pelmora {

namespace {

TableRef Read(const std::string& path, bool withHeader, MessageBoxes& messages) {
    auto table = std::make_shared<TTxtTable>(TTxtTable::ForLookups(path, messages));
    if (!withHeader)
        table->DeleteHeader();
    return table;
}

TableRef ReadOrThrow(const std::string& path) {
    auto table = std::make_shared<TTxtTable>(TTxtTable::ForLookupsOrThrow(path));
    table->DeleteHeader();
    return table;
}

} // namespace

TableCache::Identity TableCache::IdentityOf(const std::string& path) {
    // The name as written first: looking for it by any case costs a folder listing.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 && ::stat(ResolvePath(path).c_str(), &info) != 0)
        return {};
    constexpr long long Billion = 1000000000LL;
    return {static_cast<unsigned long long>(info.st_dev),
            static_cast<unsigned long long>(info.st_ino), static_cast<long long>(info.st_size),
            info.st_mtim.tv_sec * Billion + info.st_mtim.tv_nsec,
            info.st_ctim.tv_sec * Billion + info.st_ctim.tv_nsec};
}

TableRef TableCache::Find(const std::string& path, bool withHeader, const Identity& file) {
    const std::lock_guard lock(mutex_);
    const auto found = tables_.find({path, withHeader});
    if (found == tables_.end())
        return nullptr;
    if (mode_ == ShortRun)
        return found->second.Table;
    const bool missing = file.Size < 0;
    return missing || !(found->second.File == file) ? nullptr : found->second.Table;
}

void TableCache::Keep(const std::string& path, bool withHeader, const Identity& file,
                      TableRef table) {
    const std::lock_guard lock(mutex_);
    tables_[{path, withHeader}] = {file, std::move(table)};
}

TableRef TableCache::Get(const std::string& path, bool withHeader, MessageBoxes& messages) {
    const Identity file = mode_ == ShortRun ? Identity{} : IdentityOf(path);
    if (TableRef table = Find(path, withHeader, file))
        return table;
    TableRef table = Read(path, withHeader, messages);
    Keep(path, withHeader, file, table);
    return table;
}

TableRef TableCache::GetOrThrow(const std::string& path) {
    const Identity file = mode_ == ShortRun ? Identity{} : IdentityOf(path);
    if (TableRef table = Find(path, false, file))
        return table;
    TableRef table = ReadOrThrow(path);
    Keep(path, false, file, table);
    return table;
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
