#include "print/PreviewForm.h"

#include "catalogue/AppState.h"
#include "catalogue/IniFile.h"
#include "order/AddOrderForm.h"
#include "order/OrderForm.h"
#include "support/FakePlatform.h"
#include "support/TestCatalogue.h"
#include "wizard/MainForm.h"

#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

class PreviewTest : public ::testing::Test {
protected:
    PreviewTest() {
        WriteTestCatalogue(folder);
        app.SetFolders(folder.Path());
    }
    PreviewForm& Preview() {
        preview = std::make_unique<PreviewForm>(app, platform.Seams);
        preview->FormCreate();
        return *preview;
    }

    TempFolder folder;
    AppState app;
    FakePlatform platform;
    std::unique_ptr<PreviewForm> preview;
};

TEST_F(PreviewTest, ZoomSizesFollowTheTable) {
    PreviewForm& form = Preview();
    const std::pair<int, int> sizes[] = {{340, 440},  {425, 550}, {510, 660}, {595, 770},
                                         {638, 825},  {680, 880}, {722, 935}, {765, 990},
                                         {850, 1100}, {935, 1210}};
    for (int index = 0; index < 10; ++index) {
        form.cbxPercentIndex = index;
        form.cbxPercentChange();
        EXPECT_EQ(std::make_pair(form.PageWidth, form.PageHeight), sizes[index]) << index;
    }
    EXPECT_EQ(ZoomEntry(4), "75 %");
}

TEST_F(PreviewTest, ZoomIsRememberedAndResetGoesTo85) {
    PreviewForm& form = Preview();
    EXPECT_EQ(form.cbxPercentIndex, 0);
    form.btnSizeClick();
    EXPECT_EQ(form.PageWidth, 722);
    form.cbxPercentIndex = 4;
    form.cbxPercentChange();
    form.FormDestroy();
    EXPECT_EQ(TIniFile(folder.Path() + "Pelmora.ini").ReadInteger("PREVIEW", "size", -1), 4);
    EXPECT_EQ(Preview().cbxPercentIndex, 4);
    EXPECT_EQ(preview->PageWidth, 638);

    folder.Write("Pelmora.ini", "[PREVIEW]\r\nsize=12\r\n");
    EXPECT_EQ(Preview().cbxPercentIndex, 0);
}

TEST_F(PreviewTest, ViewSpecsShowsTheSheetOfThePartOnScreen) {
    MainForm main(app, platform.Seams);
    main.FormCreate();
    PreviewForm& form = Preview();
    main.UsePreviewForm(form);
    bool shown = false;
    platform.Windows.Preview = [&] { shown = true; };

    main.PickProductType(pfStraightSection);
    main.PickWaveguide(0);
    main.PickFlangeA(0);
    main.PickFlangeB(1);
    main.btnCreateClick();
    main.btnViewSpecsClick();
    EXPECT_TRUE(shown);
    EXPECT_EQ(form.Caption, "Preview Part Number: R090PC0120KSG");
    EXPECT_EQ(form.Header.FlangeAPicture, "cpr.gif");
    EXPECT_EQ(form.Header.FlangeBPicture, "choke.gif");
    EXPECT_EQ(form.Header.ProductPicture, "r_dwg.gif");
    ASSERT_EQ(form.SpecRows.RowCount(), 7) << "no Units row, no blank rows";
    EXPECT_EQ(form.SpecRows.Lines[0], "|R|Product Type|Straight Section|");
    EXPECT_EQ(form.SpecRows.GetField(2, 3), "Flange A");

    RecordingCanvas page;
    form.RenderPreview(page);
    EXPECT_EQ(page.Calls[0], "logo 250,8-320,36") << "40 %: 340 pixels for 850 units";
}

TEST_F(PreviewTest, CoaxSheetHasNoRightHandPicture) {
    MainForm main(app, platform.Seams);
    main.FormCreate();
    main.PickProductType(pfCoax);
    main.PickWaveguide(0);
    main.PickFlangeA(0);
    main.PickCoax(0);
    EXPECT_EQ(main.CollectSpecHeader().FlangeBPicture, "");
}

TEST_F(PreviewTest, PrintingGoesToTheChosenPrinterOrNowhere) {
    PreviewForm& form = Preview();
    form.Header.PartNumber = "X";
    platform.Print.Confirm = false;
    form.btnPrintClick();
    EXPECT_TRUE(platform.Print.Jobs.empty());
    platform.Print.Confirm = true;
    platform.Print.Width = 5100;
    form.btnPrintClick();
    EXPECT_EQ(platform.Print.Jobs, (std::vector<std::string>{"Pelmora Specs", "end"}));
    EXPECT_EQ(platform.Print.Page.Calls[2],
              "text 300,180 Times New Roman/300 Pelmora Specifications");
}

TEST_F(PreviewTest, OrderPrintsAfterCountingItsPages) {
    AddOrderForm addOrder(app, platform.Seams);
    OrderForm order(app, platform.Seams, addOrder, [](const std::string&) {});
    TTxtTable lines;
    for (int i = 0; i < 11; ++i)
        lines.Lines.push_back("1|N/A|x|P" + std::to_string(i) + "|d");
    platform.Windows.Order = [&] { order.btnPrintClick(); };
    order.ShowOrder(lines);
    EXPECT_EQ(platform.Print.Jobs, (std::vector<std::string>{"Pelmora Order", "end"}));
    EXPECT_EQ(platform.Print.Page.Only("text 723,1060").back(),
              "text 723,1060 Times New Roman/14b Page 2 of 2");
}

} // namespace
} // namespace pelmora::testing
