#pragma once

#include "PriceRow.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pelmora::service {

// A price-book row with the key it is matched by.
using KeyedRow = std::pair<std::string, PriceRow>;

// Rows set aside on disk, in runs sorted by key in anonymous temporary files, and
// read back as one stream in key order: memory holds one row per run, whatever
// the number of rows. Runs are merged into one before their files grow too many.
class RowRuns {
public:
    RowRuns() = default;
    RowRuns(const RowRuns&) = delete;
    RowRuns& operator=(const RowRuns&) = delete;

    // Sorts the rows and writes them as one more run; throws std::runtime_error
    // with the system's reason when the file cannot be written.
    void Spill(std::vector<KeyedRow> rows);

    // Every row of every run in key order, each once; after the first call the
    // runs can no longer grow.
    std::optional<KeyedRow> Next();

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    using File = std::unique_ptr<std::FILE, Closer>;
    struct Run {
        File Data;
        std::optional<KeyedRow> Head;
    };

    void Start();
    void MergeAll();

    std::vector<Run> runs_;
    bool reading_ = false;
};

} // namespace pelmora::service
