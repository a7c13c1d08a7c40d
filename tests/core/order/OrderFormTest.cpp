#include "order/OrderForm.h"

#include "PriceTables.h"
#include "catalogue/AppState.h"
#include "catalogue/FileSystem.h"
#include "catalogue/TxtTable.h"
#include "order/AddOrderForm.h"
#include "order/OrderFiles.h"
#include "order/OrderJournal.h"
#include "support/FakePlatform.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

class OrderFormTest : public ::testing::Test {
protected:
    OrderFormTest() {
        WriteTestCatalogue(folder);
        WritePriceTables(folder);
        app.SetFolders(folder.Path());
        order.Lines = {"1|$140.00|Stock|R090PC0120USG|Straight",
                       "2|$520.00|Contact Corvane Rep.|ST090S|Step",
                       "1|N/A|Contact Corvane Rep.|PW090C|Window"};
        platform.Windows.Order = [&] { form.FormShow(); };
        form.ShowOrder(order);
    }

    TempFolder folder;
    AppState app;
    FakePlatform platform;
    AddOrderForm addOrder{app, platform.Seams};
    std::vector<std::string> applied;
    OrderForm form{app, platform.Seams, addOrder,
                   [this](const std::string& partNumber) { applied.push_back(partNumber); }};
    TTxtTable order;
};

TEST_F(OrderFormTest, GridShowsTheLinesUnderTheHeader) {
    ASSERT_EQ(form.Cells.size(), 4u);
    EXPECT_EQ(form.Cells[0], (OrderForm::Row{"", " Quantity", " Price ", " Delivery Time",
                                             " Part Number", " Description"}));
    EXPECT_EQ(form.Cells[2],
              (OrderForm::Row{"", "2", "$520.00", "Contact Corvane Rep.", "ST090S", "Step"}));
    EXPECT_EQ(form.lblCounter, "Orders - 1 of 3");
    EXPECT_TRUE(form.btnEditPartNumberEnabled);
}

TEST_F(OrderFormTest, SelectingALineMovesTheCounterAndTheEditRule) {
    form.grdOrderSelectCell(2);
    EXPECT_EQ(form.lblCounter, "Orders - 2 of 3");
    EXPECT_FALSE(form.btnEditPartNumberEnabled) << "step twist";
    form.grdOrderSelectCell(3);
    EXPECT_FALSE(form.btnEditPartNumberEnabled) << "pressure window";
    form.grdOrderSelectCell(1);
    EXPECT_TRUE(form.btnEditPartNumberEnabled);
}

TEST_F(OrderFormTest, DeleteAsksFirstAndWorksFromTheKeyboardToo) {
    form.grdOrderSelectCell(2);
    platform.Messages.Answers = {false, true};
    form.btnDeleteLineItemClick();
    EXPECT_EQ(order.RowCount(), 3);
    EXPECT_EQ(platform.Messages.Log.back().Text, "Delete \"ST090S\" from your order?");
    form.grdOrderKeyDown(OrderForm::DeleteKey);
    EXPECT_EQ(order.RowCount(), 2);
    EXPECT_EQ(form.Cells.size(), 3u);
    EXPECT_EQ(form.lblCounter, "Orders - 2 of 2");
}

TEST_F(OrderFormTest, DeletingTheOnlyLineLeavesOneBlankRow) {
    order.Lines.resize(1);
    form.FormShow();
    form.btnDeleteLineItemClick();
    EXPECT_EQ(form.Cells.size(), 2u);
    EXPECT_EQ(form.Cells[1], OrderForm::Row{});
    EXPECT_EQ(form.lblCounter, "Orders - 0 of 0");
    EXPECT_FALSE(form.btnEditPartNumberEnabled);
    form.btnDeleteLineItemClick();
    form.btnChangeQtyClick();
    EXPECT_EQ(platform.Messages.Log.size(), 1u) << "nothing to do on an empty order";
}

TEST_F(OrderFormTest, ClearOrderAsksAndEmptiesEverything) {
    platform.Messages.Answers = {false, true};
    form.btnClearOrderClick();
    EXPECT_EQ(order.RowCount(), 3);
    form.btnClearOrderClick();
    EXPECT_EQ(platform.Messages.Log.back().Text,
              "Doing this will clear you entire order. Continue?");
    EXPECT_EQ(order.RowCount(), 0);
    EXPECT_EQ(form.Cells.size(), 2u);
    EXPECT_EQ(form.lblCounter, "Orders - 0 of 0");
}

TEST_F(OrderFormTest, ChangeQuantityRepricesTheLineThroughTheAddDialog) {
    platform.Windows.AddToOrder = [&] {
        addOrder.FormShow();
        EXPECT_EQ(addOrder.txtQuantity, "1");
        addOrder.txtQuantity = "3";
        addOrder.txtQuantityChange();
        addOrder.btnAddClick();
        return true;
    };
    form.btnChangeQtyClick();
    EXPECT_EQ(order.Lines[0], "3|$420.00|Stock|R090PC0120USG|Straight");
    EXPECT_EQ(form.Cells[1][2], "$420.00");
}

TEST_F(OrderFormTest, EditPartNumberTakesTheSelectedLineBackIntoTheWizard) {
    form.grdOrderSelectCell(1);
    form.btnEditPartNumberClick();
    EXPECT_EQ(applied, std::vector<std::string>{"R090PC0120USG"});
    EXPECT_TRUE(form.CloseRequested);
}

TEST_F(OrderFormTest, SaveWritesTheChosenKindWithItsExtension) {
    platform.Files.Choice = SaveChoice{folder.Path() + "order", 2};
    form.btnSaveClick();
    EXPECT_EQ(platform.Files.Filters.back(),
              "Excel Sheet   (*.xls)|*.xls|Text File   (*.txt)|*.txt|XML File   (*.xml)|*.xml");
    EXPECT_EQ(folder.Read("order.txt").substr(0, 10), "  QUANTITY");
    platform.Files.Choice = SaveChoice{folder.Path() + "order.txt", 1};
    form.btnSaveClick();
    EXPECT_EQ(folder.Read("order.txt.xls").substr(0, 8), "QUANTITY");
    platform.Files.Choice = SaveChoice{folder.Path() + "no/such/order", 3};
    form.btnSaveClick();
    ASSERT_EQ(platform.Messages.Log.size(), 1u);
    EXPECT_EQ(platform.Messages.Log[0].Text, "Cannot create file " + folder.Path() +
                                                 "no/such/order.xml: No such file or directory");
    platform.Files.Choice.reset();
    form.btnSaveClick();
    EXPECT_EQ(platform.Messages.Log.size(), 1u);
}

// Save As and Open start where the user last saved or opened an order, in this run
// and the next; Save As suggests a name.
TEST_F(OrderFormTest, FileDialogsStartInTheLastFolderUsed) {
    std::filesystem::create_directories(folder.Path() + "orders");
    platform.Files.Choice = SaveChoice{folder.Path() + "no/such/order", 1};
    form.btnSaveClick();
    platform.Files.Choice = SaveChoice{folder.Path() + "orders/first", 1};
    form.btnSaveClick();
    form.btnOpenClick();
    EXPECT_EQ(platform.Files.Starts, (std::vector<std::string>{"Pelmora Order", "Pelmora Order",
                                                               folder.Path() + "orders"}))
        << "a failed save names no folder";

    OrderForm nextRun(app, platform.Seams, addOrder, [](const std::string&) {});
    platform.Files.Choice.reset();
    nextRun.SaveOrderAs(order);
    EXPECT_EQ(platform.Files.Starts.back(), folder.Path() + "orders/Pelmora Order");
}

TEST_F(OrderFormTest, OpenReplacesTheOrderOnlyAfterAQuestionAndNeverHalfway) {
    OrderJournal journal(folder.Path());
    journal.Record(order, platform.Messages);
    form.UseJournal(journal);
    TTxtTable saved;
    saved.Lines = {"4|$560.00|Stock|R090PC0120USG|Saved yesterday"};
    SaveOrderXml(saved, folder.Path() + "saved.xml");
    folder.Write("broken.xls", "QUANTITY\tPRICE\tDELIVERY TIME\tPART NUMBER\tDESCRIPTION\r\n"
                               "1\t$1.00\tStock\tR1\td\r\nlost\r\n");
    const std::vector<std::string> before = order.Lines;

    platform.Files.OpenChoice = folder.Path() + "broken.xls";
    form.btnOpenClick();
    EXPECT_EQ(order.Lines, before);
    EXPECT_EQ(platform.Messages.Log.back().Text,
              "\"" + folder.Path() + "broken.xls\", line 3: this is not an order line");

    platform.Files.OpenChoice = folder.Path() + "saved.xml";
    platform.Messages.Answers = {false};
    form.btnOpenClick();
    EXPECT_EQ(platform.Messages.Log.back().Text,
              "Replace the current order of 3 line(s) with the order in \"" + folder.Path() +
                  "saved.xml\"?");
    EXPECT_EQ(order.Lines, before) << "No keeps the order";

    form.btnOpenClick();
    EXPECT_EQ(order.Lines, saved.Lines);
    EXPECT_EQ(form.lblCounter, "Orders - 1 of 1");
    EXPECT_FALSE(journal.Modified(order)) << "just opened";
    ASSERT_TRUE(form.btnUndoEnabled);
    form.btnUndoClick();
    EXPECT_EQ(order.Lines, before) << "opening is undone like any change";
    EXPECT_TRUE(form.btnRedoEnabled);
}

// The window's order holds Windows-1252 only: what a saved XML holds beyond it is
// told, line by line, never dropped unseen.
TEST_F(OrderFormTest, OpenTellsWhatTheOrderCannotHold) {
    TTxtTable saved;
    saved.Lines = {"1|$140.00|Stock|R090PC0120USG|plain", "2|$280.00|Stock|C090CNSG|site ?"};
    WriteLines(folder.Path() + "wide.xml",
               OrderFileLines(saved, XmlFile, {{1, {2, U"site \u03B1"}}}));
    platform.Files.OpenChoice = folder.Path() + "wide.xml";
    platform.Messages.Answers = {true};
    form.btnOpenClick();
    EXPECT_EQ(order.Lines, saved.Lines);
    EXPECT_EQ(platform.Messages.Log.front().Text,
              "\"" + folder.Path() +
                  "wide.xml\", line 10: the description's U+03B1 cannot be written in "
                  "Windows-1252; the order form holds \"?\" for each");
}

TEST_F(OrderFormTest, EveryChangeOfTheFormCanBeUndone) {
    OrderJournal journal(folder.Path());
    form.UseJournal(journal);
    form.FormShow();
    EXPECT_FALSE(form.btnUndoEnabled);
    journal.Record(order, platform.Messages);
    form.btnDeleteLineItemClick();
    form.btnClearOrderClick();
    EXPECT_TRUE(order.Lines.empty());
    form.btnUndoClick();
    EXPECT_EQ(order.RowCount(), 2);
    EXPECT_EQ(form.Cells.size(), 3u) << "the grid shows the order undone";
    form.btnUndoClick();
    EXPECT_EQ(order.RowCount(), 3);
    form.btnRedoClick();
    form.btnRedoClick();
    EXPECT_TRUE(order.Lines.empty());
}

} // namespace
} // namespace pelmora::testing
