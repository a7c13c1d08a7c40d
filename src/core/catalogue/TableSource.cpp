#include "TableSource.h"

namespace pelmora {

const TTxtTable& TableCache::Get(const std::string& path, MessageBoxes& messages) {
    auto found = tables_.find(path);
    if (found == tables_.end())
        found = tables_.emplace(path, TTxtTable(path, messages)).first;
    return found->second;
}

const TTxtTable& TableCache::GetOrThrow(const std::string& path) {
    auto found = tables_.find(path);
    if (found == tables_.end()) {
        TTxtTable table;
        table.LoadFromFile(path);
        found = tables_.emplace(path, std::move(table)).first;
    }
    return found->second;
}

TTxtTable TableSource::LoadWithHeader(const std::string& name) const {
    if (Cache)
        return Cache->Get(DataDir + name, Messages);
    return TTxtTable(DataDir + name, Messages);
}

TTxtTable TableSource::Load(const std::string& name) const {
    TTxtTable table = LoadWithHeader(name);
    table.DeleteHeader();
    return table;
}

TTxtTable TableSource::LoadOrThrow(const std::string& name) const {
    TTxtTable table;
    if (Cache)
        table = Cache->GetOrThrow(DataDir + name);
    else
        table.LoadFromFile(DataDir + name);
    table.DeleteHeader();
    return table;
}

} // namespace pelmora
