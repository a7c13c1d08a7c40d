// The order's history: undo and redo over every change, whether closing would lose
// work, and the recovery file that brings an order back after a crash.
#include "order/OrderJournal.h"

#include "catalogue/TxtTable.h"
#include "support/FakeMessageBoxes.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

TEST(OrderJournal, UndoWalksEveryChangeBackToTheStartAndRedoForwardAgain) {
    TempFolder folder;
    FakeMessageBoxes messages;
    OrderJournal journal(folder.Path() + "order.recovery");
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
    OrderJournal journal(folder.Path() + "order.recovery");
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
    const std::string path = folder.Path() + "order.recovery";
    TTxtTable order;
    order.Lines = {"2|$2,469.00|Stock|R090PC0120USG|90\xB0 \\ back\\slash",
                   " 1 |N/A| odd \r inside |X|\n", "3|$1.00|||"};
    {
        OrderJournal crashed(path);
        crashed.Record(order, messages);
    }
    OrderJournal next(path);
    ASSERT_TRUE(next.Recovered().has_value());
    EXPECT_EQ(*next.Recovered(), order.Lines);

    next.RemoveRecovery();
    EXPECT_FALSE(next.Recovered().has_value());
    order.Lines.clear();
    next.Record(order, messages);
    EXPECT_FALSE(std::filesystem::exists(path)) << "an empty order leaves no file";
}

TEST(OrderJournal, AFolderThatCannotBeWrittenIsReportedOnce) {
    TempFolder folder;
    FakeMessageBoxes messages;
    OrderJournal journal(folder.Path() + "gone/order.recovery");
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
