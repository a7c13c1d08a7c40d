// The order's history: undo and redo over every change, whether closing would lose
// work, and the recovery file that brings an order back after a crash.
#include "order/OrderJournal.h"

#include "catalogue/TxtTable.h"
#include "support/FakeMessageBoxes.h"
#include "support/TempFolder.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

TEST(OrderJournal, UndoWalksEveryChangeBackToTheStartAndRedoForwardAgain) {
    TempFolder folder;
    FakeMessageBoxes messages;
    OrderJournal journal(folder.Path());
    TTxtTable order;
    std::vector<std::vector<std::string>> seen{{}};
    for (int i = 0; i < 120; ++i) {
        if (i % 10 == 9)
            order.Lines.clear();
        else if (i % 3 == 2 && !order.Lines.empty())
            order.Lines.erase(order.Lines.begin());
        else
            order.Lines.push_back(std::to_string(i) + "|$1.00|Stock|R" + std::to_string(i) + "|d");
        journal.Record(order, messages);
        if (order.Lines != seen.back())
            seen.push_back(order.Lines);
        journal.Record(order, messages); // nothing changed: no new step
    }
    for (size_t step = seen.size() - 1; step > 0; --step) {
        ASSERT_TRUE(journal.CanUndo());
        journal.Undo(order, messages);
        ASSERT_EQ(order.Lines, seen[step - 1]) << step;
    }
    EXPECT_FALSE(journal.CanUndo());
    for (size_t step = 1; step < seen.size(); ++step) {
        journal.Redo(order, messages);
        ASSERT_EQ(order.Lines, seen[step]) << step;
    }
    EXPECT_FALSE(journal.CanRedo());

    journal.Undo(order, messages);
    order.Lines.push_back("1|N/A|x|NEW|d");
    journal.Record(order, messages);
    EXPECT_FALSE(journal.CanRedo()) << "a new change drops what was undone";
    EXPECT_TRUE(messages.Log.empty());
}

TEST(OrderJournal, ModifiedMeansDifferentFromWhatWasLastSaved) {
    TempFolder folder;
    FakeMessageBoxes messages;
    OrderJournal journal(folder.Path());
    TTxtTable order;
    EXPECT_FALSE(journal.Modified(order));
    order.Lines.push_back("1|$1.00|Stock|R1|d");
    journal.Record(order, messages);
    EXPECT_TRUE(journal.Modified(order));
    journal.MarkSaved(order);
    EXPECT_FALSE(journal.Modified(order));
    journal.Undo(order, messages);
    EXPECT_TRUE(journal.Modified(order));
    journal.Redo(order, messages);
    EXPECT_FALSE(journal.Modified(order));
}

// The run stops without closing: the next run finds every line, byte for byte.
TEST(OrderJournal, LinesComeBackByteForByteAfterACrash) {
    TempFolder folder;
    FakeMessageBoxes messages;
    TTxtTable order;
    order.Lines = {"2|$2,469.00|Stock|R090PC0120USG|90\xB0 \\ back\\slash",
                   " 1 |N/A| odd \r inside |X|\n", "3|$1.00|||"};
    std::string crashedFile;
    {
        OrderJournal crashed(folder.Path());
        crashed.Record(order, messages);
        crashedFile = crashed.RecoveryPath();
    }
    OrderJournal next(folder.Path());
    std::vector<LeftOrder> left = next.LeftBehind();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].Lines, order.Lines);
    EXPECT_EQ(left[0].Path, crashedFile);
    left[0].Discard();
    EXPECT_TRUE(next.LeftBehind().empty());

    next.Record(order, messages);
    EXPECT_TRUE(std::filesystem::exists(next.RecoveryPath()));
    order.Lines.clear();
    next.Record(order, messages);
    EXPECT_FALSE(std::filesystem::exists(next.RecoveryPath())) << "an empty order leaves no file";
}

// Each run keeps its own file; only files of runs that ended are offered, newest
// first, and a file being offered by one run is not offered by another.
TEST(OrderJournal, OnlyOrdersOfRunsThatEndedAreOfferedNewestFirst) {
    TempFolder folder;
    FakeMessageBoxes messages;
    auto record = [&](OrderJournal& journal, const std::string& line) {
        TTxtTable order;
        order.Lines = {line};
        journal.Record(order, messages);
    };
    OrderJournal running(folder.Path());
    record(running, "1|$1.00|Stock|RUNNING|d");
    {
        OrderJournal older(folder.Path());
        record(older, "1|$1.00|Stock|OLDER|d");
        std::filesystem::last_write_time(older.RecoveryPath(),
                                         std::filesystem::file_time_type::clock::now() -
                                             std::chrono::hours(1));
        OrderJournal newer(folder.Path());
        record(newer, "1|$1.00|Stock|NEWER|d");
    }
    folder.Write("pelmora38.recovery", "PELMORA 38 ORDER RECOVERY\r\n1|N/A|x|EARLIER|d\r\n");
    std::filesystem::last_write_time(folder.Path() + "pelmora38.recovery",
                                     std::filesystem::file_time_type::clock::now() -
                                         std::chrono::hours(2));

    OrderJournal starting(folder.Path());
    std::vector<LeftOrder> left = starting.LeftBehind();
    std::vector<std::string> offered;
    for (const LeftOrder& order : left)
        offered.push_back(order.Lines.at(0));
    EXPECT_EQ(offered, (std::vector<std::string>{"1|$1.00|Stock|NEWER|d", "1|$1.00|Stock|OLDER|d",
                                                 "1|N/A|x|EARLIER|d"}));
    EXPECT_TRUE(OrderJournal(folder.Path()).LeftBehind().empty())
        << "claimed by the run offering them";
    left.clear();
    EXPECT_EQ(OrderJournal(folder.Path()).LeftBehind().size(), 3u) << "released, not removed";
}

TEST(OrderJournal, AFolderThatCannotBeWrittenIsReportedOnce) {
    TempFolder folder;
    FakeMessageBoxes messages;
    OrderJournal journal(folder.Path() + "gone/");
    TTxtTable order;
    for (int i = 0; i < 3; ++i) {
        order.Lines.push_back(std::to_string(i + 1) + "|N/A|x|P|d");
        journal.Record(order, messages);
    }
    ASSERT_EQ(messages.Log.size(), 1u);
    EXPECT_NE(messages.Log[0].Text.find("cannot be recovered"), std::string::npos);
}

} // namespace
} // namespace pelmora::testing
