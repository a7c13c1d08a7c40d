#include "CatalogueChecker.h"

#include "Errors.h"
#include "Text1252.h"

namespace pelmora {

namespace check {

Checker::Checker(std::string dataDir, std::string imagesDir, FindingSink report)
    : dataDir_(std::move(dataDir)), images_(imagesDir), report_(std::move(report)) {}

// Errors first, then warnings: every check runs once for each level, so that
// no finding needs keeping.
void Checker::Run() {
    for (const Level level : {Level::Error, Level::Warning}) {
        level_ = level;
        CheckLayouts();
        CheckFamilies();
        CheckDuplicates();
        CheckKeys();
        CheckFilters();
        CheckLengthDigits();
        CheckPartNumbers();
    }
}

void Checker::Report(Level level, const std::string& file, int row, int column, std::string text) {
    if (level == level_)
        report_({level, file, row < 0 ? 0 : LineOf(row), column, std::move(text)});
}

// The table without its header; nothing when it cannot be read (reported once).
const TTxtTable* Checker::Table(const std::string& name) {
    auto found = tables_.find(name);
    if (found == tables_.end()) {
        std::optional<TTxtTable> table;
        try {
            // Rows as views into the file's bytes: a table of millions of short
            // rows costs little more than its bytes.
            table = TTxtTable::ForLookupsOrThrow(dataDir_ + name);
            table->DeleteHeader();
        } catch (const FileError& error) {
            Report(Level::Error, name, -1, 0,
                   std::string("The table cannot be read: ") + error.what() + ".");
        }
        found = tables_.emplace(name, std::move(table)).first;
    }
    return found->second ? &*found->second : nullptr;
}

std::set<std::string> Checker::Keys(const std::string& name, int column) {
    std::set<std::string> keys;
    if (const TTxtTable* table = Table(name)) {
        for (int row = 0; row < table->RowCount(); ++row)
            keys.insert(table->GetField(row, column));
    }
    return keys;
}

// Rows whose key an earlier row already has are never read.
void Checker::Unique(const std::string& name, std::vector<int> columns, Level level,
                     bool ignoreCase) {
    const TTxtTable* table = Table(name);
    if (!table)
        return;
    std::map<std::string, int> first;
    for (int row = 0; row < table->RowCount(); ++row) {
        std::string key;
        for (int column : columns)
            key += table->GetField(row, column) + "|";
        if (ignoreCase)
            key = UpperCase1252(key);
        const auto [at, inserted] = first.emplace(key, row);
        if (!inserted)
            Report(level, name, row, columns.front(),
                   "The row repeats the key of line " + std::to_string(LineOf(at->second)) +
                       ", which wins; this row is never used.");
    }
}

void Checker::PointsTo(const std::string& name, int column, const std::set<std::string>& known,
                       const std::string& what, Level level) {
    const TTxtTable* table = Table(name);
    if (!table)
        return;
    for (int row = 0; row < table->RowCount(); ++row) {
        const std::string key = table->GetField(row, column);
        if (!known.count(key))
            Report(level, name, row, column, "\"" + key + "\" is no " + what + ".");
    }
}

} // namespace check

void CheckCatalogue(const std::string& dataDir, const std::string& imagesDir,
                    const FindingSink& report) {
    check::Checker(dataDir, imagesDir, report).Run();
}

} // namespace pelmora
