#include "order/AddOrderForm.h"

#include "PriceTables.h"
#include "catalogue/AppState.h"
#include "catalogue/TxtTable.h"
#include "support/FakePlatform.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

class AddOrderTest : public ::testing::Test {
protected:
    AddOrderTest() {
        WriteTestCatalogue(folder);
        WritePriceTables(folder);
        app.SetFolders(folder.Path());
    }

    // Opens the dialog for the part; while it is shown the quantity is typed and
    // Add pressed (or Cancel when quantity is empty).
    bool Add(const std::string& partNumber, const std::string& quantity,
             const std::string& description = "desc") {
        platform.Windows.AddToOrder = [&] {
            dialog.FormShow();
            shownNote = dialog.lblNote;
            shownQuantity = dialog.txtQuantity;
            if (quantity.empty()) {
                dialog.btnCancelClick();
                return false;
            }
            dialog.txtQuantity = quantity;
            dialog.txtQuantityChange();
            dialog.btnAddClick();
            return true;
        };
        return dialog.OpenAddToOrder({1, partNumber, description}, order);
    }

    TempFolder folder;
    AppState app;
    FakePlatform platform;
    AddOrderForm dialog{app, platform.Seams};
    TTxtTable order;
    std::string shownNote;
    std::string shownQuantity;
};

TEST_F(AddOrderTest, PricesTheQuantityAndAppendsTheLine) {
    EXPECT_TRUE(Add("R051PC0120USN", "3", "Straight Section, WR51"));
    EXPECT_EQ(shownNote,
              "To add this item to your order, specify the quantity desired and press OK.");
    EXPECT_EQ(dialog.lblNoteColour, (Rgb{0, 0, 128}));
    EXPECT_EQ(dialog.btnAddCaption, "&Add");
    EXPECT_EQ(order.Lines, std::vector<std::string>{"3|$37.50|Contact Corvane Rep.|R051PC0120USN|"
                                                    "Straight Section, WR51"});
}

TEST_F(AddOrderTest, DeliveryAppliesUpToItsQuantityLimit) {
    Add("R090PC0120USG", "5");
    EXPECT_EQ(dialog.txtPrice, "$700.00");
    EXPECT_EQ(dialog.txtDelivery, "Stock");
    dialog.txtQuantity = "6";
    dialog.txtQuantityChange();
    EXPECT_EQ(dialog.txtDelivery, "Contact Corvane Rep.");
}

TEST_F(AddOrderTest, SecondAddOfAPartChangesItsLineInPlace) {
    Add("C090CNSG", "2", "first");
    Add("R090PC0120USG", "1");
    Add("C090CNSG", "4", "second");
    EXPECT_EQ(shownQuantity, "2");
    EXPECT_EQ(dialog.lblNoteColour, (Rgb{255, 0, 0}));
    EXPECT_EQ(dialog.btnAddCaption, "&Continue");
    ASSERT_EQ(order.RowCount(), 2);
    EXPECT_EQ(order.Lines[0], "4|$600.00|1 week|C090CNSG|first");

    Add("c090CNSG", "1");
    EXPECT_EQ(order.RowCount(), 3) << "letter case makes another part";
    Add("C090CNSG", "");
    EXPECT_EQ(order.Lines[0], "4|$600.00|1 week|C090CNSG|first") << "Cancel changes nothing";
}

TEST_F(AddOrderTest, StoredQuantitiesStayWholeNumbersInRange) {
    EXPECT_EQ(AddOrderForm::QuantityOf("12"), 12);
    EXPECT_EQ(AddOrderForm::QuantityOf(""), 1);
    EXPECT_EQ(AddOrderForm::QuantityOf("abc"), 1);
    EXPECT_EQ(AddOrderForm::QuantityOf("0"), 1);
    EXPECT_EQ(AddOrderForm::QuantityOf("-4"), 1);
    EXPECT_EQ(AddOrderForm::QuantityOf("123456"), 99999);
    EXPECT_EQ(AddOrderForm::QuantityOf("99999999999999999999"), 1);
    Add("R051PC0120USN", "0007");
    EXPECT_EQ(order.GetField(0, 1), "7");
}

// A quantity above the largest is refused with a message, never cut or capped, and
// the dialog stays open with nothing stored and no price for it.
TEST_F(AddOrderTest, AQuantityAboveTheLargestIsRefusedAndNothingStored) {
    Add("R090PC0120USG", "2");
    Add("R090PC0120USG", "123456");
    EXPECT_EQ(dialog.txtPrice, "N/A");
    EXPECT_FALSE(dialog.Closed);
    ASSERT_EQ(platform.Messages.Log.size(), 1u);
    EXPECT_EQ(platform.Messages.Log[0].Text, "The quantity is a whole number from 1 to 99999.");
    EXPECT_EQ(order.Lines, std::vector<std::string>{"2|$280.00|Stock|R090PC0120USG|desc"});
    dialog.txtQuantity = "99999";
    dialog.txtQuantityChange();
    dialog.btnAddClick();
    EXPECT_TRUE(dialog.Closed);
    EXPECT_EQ(order.GetField(0, 1), "99999");
}

TEST_F(AddOrderTest, PartsWithoutAPriceShowNotAvailable) {
    for (const char* part : {"PW090C", "X123", "C090CNXG", "E090PC030K040SG"}) {
        Add(part, "1");
        EXPECT_EQ(dialog.txtPrice, "N/A") << part;
        EXPECT_EQ(dialog.txtDelivery, "Contact Corvane Rep.") << part;
    }
    EXPECT_TRUE(platform.Messages.Log.empty());
}

TEST_F(AddOrderTest, AnUnreadablePriceNeverShowsThePreviousPartsPrice) {
    Add("R090PC0120USG", "1");
    ASSERT_EQ(dialog.txtPrice, "$140.00");
    Add("R062PU0120USG", "1");
    ASSERT_EQ(platform.Messages.Log.size(), 2u) << "shown, and the quantity changed";
    EXPECT_EQ(platform.Messages.Log[0].Text, "'abc' is not a valid floating point value");
    EXPECT_EQ(order.Lines[1], "1|N/A|Contact Corvane Rep.|R062PU0120USG|desc");
}

// Money never wraps: an absurd price cell, or a quantity that multiplies the largest
// price beyond what an amount can hold, shows N/A with a message.
TEST_F(AddOrderTest, PricesBeyondAnyAmountShowNotAvailableWithAMessage) {
    WriteTable(folder, "CoaxPrice.tbl", R"(W|Band|D|Price|Delivery|Limit
090|S|coax|1e308|1 week|5
090|X|coax|900000000000000|1 week|5)");
    Add("C090CNSG", "1");
    EXPECT_EQ(order.Lines[0], "1|N/A|Contact Corvane Rep.|C090CNSG|desc");
    EXPECT_EQ(platform.Messages.Log.back().Text, "'1e308' is out of range for a price");

    Add("C090CNXG", "1");
    EXPECT_EQ(order.Lines[1], "1|$900,000,000,000,000.00|1 week|C090CNXG|desc");
    platform.Messages.Log.clear();
    Add("C090CNXG", "99999");
    EXPECT_EQ(order.Lines[1], "99999|N/A|Contact Corvane Rep.|C090CNXG|desc");
    EXPECT_EQ(platform.Messages.Log.back().Text, "The price adds up to more than can be shown");
}

// A negative cell would make a negative line total, stored and saved as it stands.
TEST_F(AddOrderTest, ANegativePriceShowsNotAvailableWithAMessage) {
    WriteTable(folder, "CoaxPrice.tbl",
               "W|Band|D|Price|Delivery|Limit\n090|S|coax|-115.50|1 week|5");
    Add("C090CNSG", "99999");
    EXPECT_EQ(order.Lines[0], "99999|N/A|Contact Corvane Rep.|C090CNSG|desc");
    EXPECT_EQ(platform.Messages.Log.back().Text, "'-115.50' is out of range for a price");
}

// A part number the catalogue does not make is never priced, whatever its table says.
TEST_F(AddOrderTest, APartOutsideTheCatalogueHasNoPrice) {
    platform.Windows.AddToOrder = [&] {
        dialog.txtQuantityChange();
        dialog.btnAddClick();
        return true;
    };
    dialog.OpenAddToOrder({1, "R090PC0120USG", "d", false}, order);
    EXPECT_EQ(order.Lines[0], "1|N/A|Contact Corvane Rep.|R090PC0120USG|d");
}

TEST_F(AddOrderTest, MissingPriceTableIsReportedOnEveryChange) {
    std::filesystem::remove(folder.Path() + "Data/CoaxPrice.tbl");
    Add("C090CNSG", "2");
    EXPECT_EQ(platform.Messages.Log.size(), 2u);
    EXPECT_EQ(order.Lines[0], "2|N/A|Contact Corvane Rep.|C090CNSG|desc");
}

TEST_F(AddOrderTest, TheNoteCanBeHiddenForOneOpening) {
    platform.Windows.AddToOrder = [&] {
        EXPECT_FALSE(dialog.lblNoteVisible);
        return false;
    };
    dialog.OpenAddToOrderWithoutNote({1, "C090CNSG", "d"}, order);
    EXPECT_TRUE(dialog.lblNoteVisible);
}

} // namespace
} // namespace pelmora::testing
