#include "print/PrintedPages.h"

#include "catalogue/TxtTable.h"
#include "print/PelmoraPrint.h"
#include "support/RecordingCanvas.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

using Calls = std::vector<std::string>;

TTxtTable OrderOf(int lines) {
    TTxtTable order;
    for (int i = 1; i <= lines; ++i)
        order.Lines.push_back(std::to_string(i) + "|$1.00|Stock|R090PC0120USG|Line " +
                              std::to_string(i));
    return order;
}

TEST(PrintedPages, FrameHeaderPicturesAndRowsOfTheSpecificationSheet) {
    TempFolder folder;
    const std::string images = folder.Path() + "img/";
    folder.Write("img/a.gif", "GIF89a");
    folder.Write("secret.gif", "GIF89a");
    RecordingCanvas canvas;
    TPelmoraPrint print(canvas, 1.0);
    TTxtTable rows;
    for (int i = 0; i < 10; ++i)
        rows.Lines.push_back("R|C|Item " + std::to_string(i) + "|Value|");
    // A missing picture, and one named outside the pictures' folder, are not drawn.
    DrawSpecSheet(print, images, {"a.gif", "../secret.gif", "gone.gif", "R090PC0120USG"}, rows);

    EXPECT_EQ(
        Calls(canvas.Calls.begin(), canvas.Calls.begin() + 9),
        (Calls{"logo 625,20-800,90", "pen 2",
               "text 50,30 Times New Roman/50 Pelmora Specifications", "line 50,100 800,100",
               "line 50,1050 800,1050", "text 50,1060 Times New Roman/14b Corvane Corporation",
               "text 373,1060 Times New Roman/14b www.corvane.com",
               "text 723,1060 Times New Roman/14b Page 1 of 1",
               "text 295,175 Arial/20b Part Number: R090PC0120USG"}));
    EXPECT_EQ(canvas.Only("picture"), Calls{"picture 50,300-250,430 " + images + "a.gif"});
    EXPECT_EQ(canvas.Only("text 250,250"), Calls{"text 250,250 Arial/20 Image not available"});
    EXPECT_EQ(canvas.Only("text 600,300"), Calls{"text 600,300 Arial/20 Image not available"});
    EXPECT_EQ(canvas.Only("text 150,625"), Calls{"text 150,625 Arial/20bu Description"});
    EXPECT_EQ(canvas.Only("text 150,650"), Calls{"text 150,650 Arial/16 Item 0"});
    EXPECT_EQ(canvas.Only("text 300,812"), Calls{"text 300,812 Arial/16 Value"});
}

TEST(PrintedPages, TenOrderLinesFillOnePage) {
    RecordingCanvas canvas;
    TPelmoraPrint print(canvas, 1.0);
    EXPECT_EQ(DrawOrderPages(print, OrderOf(10), 1), 1);
    EXPECT_TRUE(canvas.Only("new page").empty());
    EXPECT_EQ(canvas.Only("text 723,1060"), Calls{"text 723,1060 Times New Roman/14b Page 1 of 1"});
    const Calls boxes = canvas.Only("box 50,");
    ASSERT_EQ(boxes.size(), 10u);
    EXPECT_EQ(boxes.front(), "box 50,175-110,250 right Arial/15 1");
    EXPECT_EQ(boxes.back(), "box 50,940-110,1015 right Arial/15 10");
    EXPECT_EQ(canvas.Only("box 525,175"), Calls{"box 525,175-800,250 left Arial/15 Line 1"});
    EXPECT_EQ(canvas.Only("text 46,149"), Calls{"text 46,149 Arial/16b Quantity"});
    EXPECT_EQ(canvas.Only("text 616,149"), Calls{"text 616,149 Arial/16b Description"});
}

TEST(PrintedPages, EleventhLineStartsPageTwoAtHeightSixteen) {
    RecordingCanvas counting;
    TPelmoraPrint countingPrint(counting, 1.0);
    EXPECT_EQ(DrawOrderPages(countingPrint, OrderOf(11), 0), 2);
    EXPECT_TRUE(counting.Only("new page").empty()) << "the counting pass starts no pages";

    RecordingCanvas canvas;
    TPelmoraPrint print(canvas, 1.0);
    EXPECT_EQ(DrawOrderPages(print, OrderOf(11), 2), 2);
    EXPECT_EQ(canvas.Only("new page").size(), 1u);
    EXPECT_EQ(canvas.Only("text 723,1060"),
              (Calls{"text 723,1060 Times New Roman/14b Page 1 of 2",
                     "text 723,1060 Times New Roman/14b Page 2 of 2"}));
    EXPECT_EQ(canvas.Only("box 50,175"), (Calls{"box 50,175-110,250 right Arial/15 1",
                                                "box 50,175-110,250 right Arial/16 11"}));
    EXPECT_EQ(canvas.Only("logo").size(), 2u);
}

TEST(PrintedPages, EmptyOrderPrintsItsFrameAndHeads) {
    RecordingCanvas canvas;
    TPelmoraPrint print(canvas, 1.0);
    EXPECT_EQ(DrawOrderPages(print, TTxtTable(), 1), 1);
    EXPECT_TRUE(canvas.Only("box").empty());
    EXPECT_EQ(canvas.Only("text").size(), 9u);
}

TEST(PrintedPages, PrinterOf5100DotsScalesEveryUnitBySix) {
    RecordingCanvas canvas;
    TPelmoraPrint print(canvas, 5100.0 / 850);
    DrawPageFrame(print, "T", "P");
    EXPECT_EQ(canvas.Calls[0], "logo 3750,120-4800,540");
    EXPECT_EQ(canvas.Calls[1], "pen 12");
    EXPECT_EQ(canvas.Calls[2], "text 300,180 Times New Roman/300 T");
}

TEST(PrintedPages, HalfUnitsRoundToEven) {
    RecordingCanvas canvas;
    TPelmoraPrint print(canvas, 0.5);
    EXPECT_EQ(print.X(5), 2);
    EXPECT_EQ(print.X(7), 4);
    EXPECT_EQ(print.Y(9), 4);
    print.TextAligned(11, 11, AlignCenter, AlignMiddle, "ab");
    EXPECT_EQ(canvas.Calls.back(), "text 0,0 /10 ab") << "5.5 - 10/2 and 5.5 - 10/2";
}

} // namespace
} // namespace pelmora::testing
