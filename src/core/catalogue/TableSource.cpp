#include "TableSource.h"

namespace pelmora {

namespace {

TableRef Read(const std::string& path, bool withHeader, MessageBoxes& messages) {
    auto table = std::make_shared<TTxtTable>(path, messages);
    if (!withHeader)
        table->DeleteHeader();
    return table;
}

TableRef ReadOrThrow(const std::string& path) {
    auto table = std::make_shared<TTxtTable>();
    table->LoadFromFile(path);
    table->DeleteHeader();
    return table;
}

} // namespace

TableRef TableCache::Get(const std::string& path, bool withHeader, MessageBoxes& messages) {
    TableRef& table = tables_[{path, withHeader}];
    if (!table)
        table = Read(path, withHeader, messages);
    return table;
}

TableRef TableCache::GetOrThrow(const std::string& path) {
    TableRef& table = tables_[{path, false}];
    if (!table)
        table = ReadOrThrow(path);
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
