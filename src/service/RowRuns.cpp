#include "RowRuns.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace pelmora::service {

namespace {

// Open files per side stay well under the usual limit of 1024.
constexpr size_t MaxRuns = 64;

std::runtime_error WriteFailure() {
    return std::runtime_error(std::string("Cannot write a temporary file of the diff: ") +
                              std::strerror(errno));
}

std::array<std::string*, 7> Fields(KeyedRow& row) {
    PriceRow& r = row.second;
    return {&row.first,   &r.PartNumber, &r.Family,  &r.Description,
            &r.UnitPrice, &r.Total,      &r.Delivery};
}

void Write(std::FILE* file, KeyedRow& row) {
    for (const std::string* field : Fields(row)) {
        const auto size = static_cast<std::uint32_t>(field->size());
        if (std::fwrite(&size, sizeof size, 1, file) != 1 ||
            std::fwrite(field->data(), 1, field->size(), file) != field->size())
            throw WriteFailure();
    }
}

std::optional<KeyedRow> Read(std::FILE* file) {
    KeyedRow row;
    for (std::string* field : Fields(row)) {
        std::uint32_t size = 0;
        if (std::fread(&size, sizeof size, 1, file) != 1)
            return std::nullopt;
        field->resize(size);
        if (std::fread(field->data(), 1, size, file) != size)
            throw std::runtime_error("A temporary file of the diff was cut short");
    }
    return row;
}

} // namespace

void RowRuns::Spill(std::vector<KeyedRow> rows) {
    if (rows.empty())
        return;
    std::stable_sort(rows.begin(), rows.end(),
                     [](const KeyedRow& a, const KeyedRow& b) { return a.first < b.first; });
    File file(std::tmpfile());
    if (!file)
        throw WriteFailure();
    for (KeyedRow& row : rows)
        Write(file.get(), row);
    if (std::fflush(file.get()) != 0)
        throw WriteFailure();
    runs_.push_back({std::move(file), std::nullopt});
    if (runs_.size() >= MaxRuns)
        MergeAll();
}

void RowRuns::Start() {
    reading_ = true;
    for (Run& run : runs_) {
        std::rewind(run.Data.get());
        run.Head = Read(run.Data.get());
    }
}

std::optional<KeyedRow> RowRuns::Next() {
    if (!reading_)
        Start();
    // A run's rows are read in order and the runs are few: the least head is found
    // by a look at each.
    Run* least = nullptr;
    for (Run& run : runs_) {
        if (run.Head && (!least || run.Head->first < least->Head->first))
            least = &run;
    }
    if (!least)
        return std::nullopt;
    std::optional<KeyedRow> row = std::move(least->Head);
    least->Head = Read(least->Data.get());
    return row;
}

void RowRuns::MergeAll() {
    File merged(std::tmpfile());
    if (!merged)
        throw WriteFailure();
    while (auto row = Next())
        Write(merged.get(), *row);
    if (std::fflush(merged.get()) != 0)
        throw WriteFailure();
    runs_.clear();
    runs_.push_back({std::move(merged), std::nullopt});
    reading_ = false;
}

} // namespace pelmora::service
