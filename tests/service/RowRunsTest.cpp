// Rows set aside on disk come back once each, in key order, however many runs
// they were written in.
#include "RowRuns.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace pelmora::testing {
namespace {

using service::KeyedRow;

struct Runs {
    const char* Name;
    int Count;
    int RowsEach;
};

class RowRuns : public ::testing::TestWithParam<Runs> {};

TEST_P(RowRuns, ComeBackMergedInKeyOrder) {
    const Runs& runs = GetParam();
    service::RowRuns store;
    std::vector<std::string> written;
    for (int run = 0; run < runs.Count; ++run) {
        std::vector<KeyedRow> rows;
        for (int i = 0; i < runs.RowsEach; ++i) {
            // Keys repeat across runs and arrive unsorted; text of every byte survives.
            const std::string key = "K" + std::to_string((i * 7 + run) % (runs.RowsEach + 3));
            rows.push_back({key, {key, "Fam\t\xB0", std::string("D\0\r\n", 4), "$1.00", "", "x"}});
            written.push_back(key);
        }
        store.Spill(std::move(rows));
    }
    std::vector<std::string> read;
    while (auto row = store.Next()) {
        EXPECT_EQ(row->second.PartNumber, row->first);
        EXPECT_EQ(row->second.Family, "Fam\t\xB0");
        EXPECT_EQ(row->second.Description, std::string("D\0\r\n", 4));
        EXPECT_EQ(row->second.Total, "");
        read.push_back(row->first);
    }
    std::sort(written.begin(), written.end());
    EXPECT_EQ(read, written);
}

const Runs Cases[] = {
    {"None", 0, 0},
    {"One", 1, 50},
    {"Several", 5, 20},
    // More runs than files are kept open: they are merged on the way.
    {"MoreThanKeptOpen", 150, 7},
};

INSTANTIATE_TEST_SUITE_P(Spills, RowRuns, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace pelmora::testing
