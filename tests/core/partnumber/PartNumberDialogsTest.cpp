// The Quick Builder and the conversion dialog with their histories.
#include "catalogue/AppState.h"
#include "partnumber/ConvertForm.h"
#include "partnumber/CreateForm.h"
#include "support/FakePlatform.h"
#include "support/TestCatalogue.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

using Texts = std::vector<std::string>;

class PartNumberDialogs : public ::testing::Test {
protected:
    PartNumberDialogs() {
        WriteTestCatalogue(folder);
        WriteTable(folder, "Conversion.tbl",
                   "Old|New|Comment\n"
                   "ws-90-12|r090pu0120usg|Lower case in the table\n"
                   "WS-62|R062PU0120USG|First row\n"
                   "WS-62|R062PK0120KSG|Second row");
        app.SetFolders(folder.Path());
        quickBuilder.FormCreate();
        convert.FormCreate();
    }

    void Convert(const std::string& text) {
        convert.cbxOldPartNumberText = text;
        convert.cbxOldPartNumberChange();
        convert.btnConvertClick();
    }

    TempFolder folder;
    AppState app;
    FakePlatform platform;
    Texts applied;
    CreateForm quickBuilder{app, platform.Seams,
                            [this](const std::string& p) { applied.push_back(p); }};
    ConvertForm convert{app, platform.Seams,
                        [this](const std::string& p) { applied.push_back(p); }};
};

TEST_F(PartNumberDialogs, QuickBuilderAppliesTheTrimmedUpperCaseTextOnce) {
    for (const char* typed : {"  e090pc060k090sg ", "E090PC060K090SG", "PW090C"}) {
        quickBuilder.FormShow();
        quickBuilder.cbxPartNumberText = typed;
        quickBuilder.btnCreateClick();
        EXPECT_TRUE(quickBuilder.Closed);
    }
    EXPECT_EQ(applied, (Texts{"E090PC060K090SG", "E090PC060K090SG", "PW090C"}));
    EXPECT_EQ(quickBuilder.History.Items, (Texts{"E090PC060K090SG", "PW090C"}));

    quickBuilder.FormShow();
    EXPECT_EQ(quickBuilder.cbxPartNumberText, "");
    quickBuilder.cbxPartNumberText = "   ";
    quickBuilder.btnCreateClick();
    EXPECT_TRUE(quickBuilder.Closed);
    EXPECT_EQ(applied.size(), 3u) << "a blank Create only closes";
}

TEST_F(PartNumberDialogs, HistoriesSurviveARestartAndClearStaysCleared) {
    quickBuilder.History.Items = {"R090PC0120USG", "C090CNSG"};
    quickBuilder.FormDestroy();
    EXPECT_EQ(folder.Read("Data/Parts.hst"), "R090PC0120USG\r\nC090CNSG\r\n");
    CreateForm restarted(app, platform.Seams, [](const std::string&) {});
    restarted.FormCreate();
    EXPECT_EQ(restarted.History.Items, (Texts{"R090PC0120USG", "C090CNSG"}));
    restarted.ClearAllItemsClick();
    restarted.FormDestroy();
    EXPECT_EQ(folder.Read("Data/Parts.hst"), "");
}

TEST_F(PartNumberDialogs, HistoryFilesWithOddLineEndsOrManyEntriesLoad) {
    folder.Write("Data/OldParts.hst", "A\nB\rC\r\n\r\nD");
    ConvertForm odd(app, platform.Seams, [](const std::string&) {});
    odd.FormCreate();
    EXPECT_EQ(odd.History.Items, (Texts{"A", "B", "C", "", "D"}));

    std::string many;
    for (int i = 0; i < 200000; ++i)
        many += "R090PC" + std::to_string(i) + "\r\n";
    folder.Write("Data/Parts.hst", many);
    CreateForm large(app, platform.Seams, [](const std::string&) {});
    large.FormCreate();
    EXPECT_EQ(large.History.Items.size(), 200000u);
}

TEST_F(PartNumberDialogs, HistoryIsWrittenOnlyWhenTheDataFolderExists) {
    app.SetFolders(folder.Path() + "elsewhere/");
    quickBuilder.History.Items = {"X"};
    quickBuilder.FormDestroy();
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "elsewhere"));
    EXPECT_TRUE(platform.Messages.Log.empty());
}

TEST_F(PartNumberDialogs, ConversionFindsTheOldNumberInAnyLetterCase) {
    convert.FormShow();
    EXPECT_FALSE(convert.btnContinueEnabled);
    Convert(" Ws-90-12 ");
    EXPECT_EQ(convert.txtNewPartNumber, "R090PU0120USG");
    EXPECT_EQ(convert.memComments, "Lower case in the table");
    EXPECT_TRUE(convert.btnContinueEnabled);
    EXPECT_EQ(convert.FocusedControl, "btnContinue");
    Convert("ws-90-12");
    EXPECT_EQ(convert.History.Items, Texts{"WS-90-12"});

    convert.btnContinueClick();
    EXPECT_EQ(applied, Texts{"R090PU0120USG"});
    EXPECT_TRUE(convert.Closed);
}

TEST_F(PartNumberDialogs, FirstRowWinsAndEditingClearsTheResult) {
    Convert("WS-62");
    EXPECT_EQ(convert.txtNewPartNumber, "R062PU0120USG");
    convert.cbxOldPartNumberText = "WS-6";
    convert.cbxOldPartNumberChange();
    EXPECT_EQ(convert.txtNewPartNumber, "");
    EXPECT_EQ(convert.memComments, "");
    EXPECT_FALSE(convert.btnContinueEnabled);
}

TEST_F(PartNumberDialogs, FailedConversionsSayWhyAndStayOutOfTheHistory) {
    for (const char* typed : {"NOPE", "  "}) {
        Convert(typed);
        EXPECT_FALSE(convert.btnContinueEnabled);
        EXPECT_EQ(platform.Messages.Log.back().Text,
                  "Sorry, that part number cannot be converted.\rPlease check the part number "
                  "again.\rIf you have entered it correctly, but still get this message,\rplease "
                  "contact your Corvane Corporation represantative.");
    }
    EXPECT_TRUE(convert.History.Items.empty());
}

TEST_F(PartNumberDialogs, CancelAfterAConversionKeepsItsHistoryEntry) {
    Convert("WS-62");
    convert.btnCancelClick();
    EXPECT_TRUE(applied.empty());
    convert.FormDestroy();
    EXPECT_EQ(folder.Read("Data/OldParts.hst"), "WS-62\r\n");
}

} // namespace
} // namespace pelmora::testing
