#include "wizard/MainForm.h"

#include "catalogue/AppState.h"
#include "catalogue/Errors.h"
#include "catalogue/IniFile.h"
#include "catalogue/TableSource.h"
#include "order/AddOrderForm.h"
#include "order/OrderForm.h"
#include "platform/FileDialogs.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "wizard/ShowImage.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace pelmora {
namespace {

using testing::FakePlatform;
using testing::TempFolder;

class MainFormTest : public ::testing::Test {
protected:
    MainFormTest() {
        app.SetFolders(folder.Path());
        folder.Write("Data/Family.tbl", "Letter|Type|Step|Metric|Drawing|Photo\r\n"
                                        "C|Waveguide to Coax|0.5|10|c_dwg.gif|c.gif\r\n"
                                        "D|90\xB0 Rigid Twist|0.5|10|d_dwg.gif|d.gif\r\n");
        folder.Write("Data/Flange.tbl",
                     "Code|Waveguide|Type|Model|Picture\r\nU|090|UG Cover|UG-39/U|u.gif\r\n");
        folder.Write("Data/Dimensions.tbl",
                     "F|W|Min|Max|MaxMm|Def|DefMm\r\nR|090|1.0|72.0|1829|12.0|305\r\n");
        folder.Write("Images/WG.gif", "GIF89a");
        folder.Write("Images/NA.gif", "GIF89a");
    }

    MainForm& Create() {
        form = std::make_unique<MainForm>(app, platform.Seams);
        form->FormCreate();
        return *form;
    }

    TempFolder folder;
    AppState app;
    FakePlatform platform;
    std::vector<testing::FakeMessageBoxes::Shown>& messages = platform.Messages.Log;
    std::unique_ptr<MainForm> form;
};

TEST_F(MainFormTest, CreateFillsTheProductTypeListFromTheFamilyTable) {
    MainForm& main = Create();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(main.cbxProductType.Items,
              (std::vector<std::vector<std::string>>{{"C", "Waveguide to Coax"},
                                                     {"D", "90\xB0 Rigid Twist"}}));
    EXPECT_EQ(main.cbxProductType.ItemIndex, -1);
    EXPECT_EQ(main.FamilyTable.RowCount(), 2);
    EXPECT_EQ(main.FlangeTable.GetField(0, 3), "UG Cover");
    EXPECT_EQ(main.DimensionsTable.GetField(0, 6), "12.0");
    EXPECT_EQ(main.imgProduct.File, folder.Path() + "Images/WG.gif");
    EXPECT_EQ(main.ScreenCaption, "Wizard - Screen 1 of 2");
    EXPECT_EQ(main.cbxFinish.ItemIndex, 0);
}

TEST_F(MainFormTest, MissingStartUpTablesShowOneBoxEachAndStartEmpty) {
    std::filesystem::remove(folder.Path() + "Data/Family.tbl");
    std::filesystem::remove(folder.Path() + "Data/Dimensions.tbl");
    MainForm& main = Create();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].Text.find("Data/Family.tbl"), std::string::npos);
    EXPECT_NE(messages[1].Text.find("Data/Dimensions.tbl"), std::string::npos);
    EXPECT_TRUE(main.cbxProductType.Items.empty());
    EXPECT_EQ(main.FlangeTable.RowCount(), 1);
}

TEST_F(MainFormTest, ProductPhotoFallsBackToNotAvailableThenToNothing) {
    std::filesystem::remove(folder.Path() + "Images/WG.gif");
    EXPECT_EQ(Create().imgProduct.File, folder.Path() + "Images/NA.gif");
    std::filesystem::remove(folder.Path() + "Images/NA.gif");
    EXPECT_EQ(Create().imgProduct.File, "");
}

// A picture name from the catalogue never shows a file outside the pictures' folder.
TEST_F(MainFormTest, PicturesOutsideImagesShowNotAvailable) {
    folder.Write("secret.gif", "GIF89a");
    folder.Write("Images/inside.gif", "GIF89a");
    AppState app;
    app.SetFolders(folder.Path());
    EXPECT_EQ(ShowImage(app, "inside.gif", true).File, folder.Path() + "Images/inside.gif");
    for (const std::string& name :
         std::vector<std::string>{"../secret.gif", folder.Path() + "secret.gif", "../../etc/x"})
        EXPECT_EQ(ShowImage(app, name, true).File, folder.Path() + "Images/NA.gif") << name;
    std::filesystem::create_symlink(folder.Path() + "secret.gif",
                                    folder.Path() + "Images/link.gif");
    EXPECT_EQ(ShowImage(app, "link.gif", true).File, folder.Path() + "Images/NA.gif");
    std::filesystem::create_directory_symlink(folder.Path(), folder.Path() + "Images/up");
    EXPECT_EQ(ShowImage(app, "up/secret.gif", true).File, folder.Path() + "Images/NA.gif");
}

TEST_F(MainFormTest, HelpIsEnabledOnlyWhenTheHelpFileExistsAndOpensTopicOne) {
    EXPECT_FALSE(Create().mnuHelpEnabled);
    folder.Write("Pelmora38.hlp", "help");
    MainForm& main = Create();
    EXPECT_TRUE(main.mnuHelpEnabled);
    main.mnuHelpClick();
    EXPECT_EQ(platform.Help.Shown, std::vector<std::string>{folder.Path() + "Pelmora38.hlp#1"});
}

// Done after the first paint, unasked: what a pick finds wrong is told when the
// user picks.
TEST_F(MainFormTest, PickingEachFamilyAheadTellsNothingAndChangesNothing) {
    MainForm& main = Create();
    main.PickEachFamilyAhead();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(main.cbxProductType.ItemIndex, -1);
    EXPECT_TRUE(main.imgLength.File.empty());
    EXPECT_THROW(main.PickProductType(0), FileError);
}

struct UnitsCase {
    const char* name;
    const char* iniText; // nullptr: no settings file
    bool imperial;
    const char* writtenBack;
    friend void PrintTo(const UnitsCase& c, std::ostream* os) { *os << c.name; }
};

class MainFormUnits : public MainFormTest, public ::testing::WithParamInterface<UnitsCase> {};

TEST_P(MainFormUnits, SettingIsAppliedAtStartAndWrittenBackAtClose) {
    const UnitsCase& c = GetParam();
    if (c.iniText)
        folder.Write("Pelmora.ini", c.iniText);
    MainForm& main = Create();
    EXPECT_EQ(app.ImperialUnits, c.imperial);
    EXPECT_EQ(main.mnuImperialChecked, c.imperial);
    EXPECT_EQ(main.mnuMetricChecked, !c.imperial);
    EXPECT_EQ(main.LengthUnitLabel, c.imperial ? "inches" : "mm");
    main.FormClose();
    const TIniFile written(folder.Path() + "Pelmora.ini");
    EXPECT_EQ(written.ReadString("UNITS", "type", "?"), c.writtenBack);
    EXPECT_TRUE(messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Settings, MainFormUnits,
    ::testing::Values(UnitsCase{"Absent", nullptr, true, "P"},
                      UnitsCase{"UpperP", "[UNITS]\r\ntype=P\r\n", true, "P"},
                      UnitsCase{"LowerP", "[UNITS]\r\ntype=p\r\n", false, "M"},
                      UnitsCase{"Metric", "[units]\r\nTYPE=M\r\n", false, "M"},
                      UnitsCase{"OtherText", "[UNITS]\r\ntype=inches\r\n", false, "M"},
                      UnitsCase{"Garbled", "\xFF\xFE\x01[UN\r\n==\r\n", true, "P"}),
    [](const auto& info) { return std::string(info.param.name); });

// A server makes a form for every request, through its cache of the folder.
TEST_F(MainFormTest, SettingsAreFoundInAnyCaseThroughALinkAndAsSoonAsTheyChange) {
    TableCache cache;
    app.Cache = &cache;
    const auto imperialAtStart = [&] {
        const TableScope request;
        Create();
        return app.ImperialUnits;
    };
    EXPECT_TRUE(imperialAtStart());
    folder.Write("PELMORA.INI", "[UNITS]\r\ntype=M\r\n");
    EXPECT_FALSE(imperialAtStart());
    std::filesystem::remove(folder.Path() + "PELMORA.INI");
    EXPECT_TRUE(imperialAtStart());

    const TempFolder dotfiles;
    std::filesystem::create_symlink(dotfiles.Write("pelmora.ini", "[UNITS]\r\ntype=M\r\n"),
                                    folder.Path() + "Pelmora.ini");
    EXPECT_FALSE(imperialAtStart());
    dotfiles.Write("pelmora.ini", "[UNITS]\r\ntype=P\r\n");
    EXPECT_TRUE(imperialAtStart());
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainFormTest, CloseKeepsTheOtherSettingsOfTheFile) {
    folder.Write("Pelmora.ini", "[PREVIEW]\r\nsize=3\r\n[UNITS]\r\ntype=P\r\n");
    MainForm& main = Create();
    main.mnuMetricClick();
    main.FormClose();
    EXPECT_EQ(folder.Read("Pelmora.ini"), "[PREVIEW]\r\nsize=3\r\n[UNITS]\r\ntype=M\r\n");
}

// The list of materials is the order of the last window closed that held one.
TEST_F(MainFormTest, CloseWritesTheBillOfMaterialsOfAWindowThatHeldAnOrder) {
    folder.Write("pelmora38.lom", "another window's order");
    Create().FormClose();
    EXPECT_EQ(folder.Read("pelmora38.lom"), "another window's order");

    MainForm& emptied = Create();
    emptied.OrderLines.Lines = {"1|$1.00|Stock|R1|d"};
    emptied.Journal.Record(emptied.OrderLines, platform.Messages);
    emptied.OrderLines.Lines.clear();
    emptied.Journal.Record(emptied.OrderLines, platform.Messages);
    emptied.FormClose();
    EXPECT_EQ(folder.Read("pelmora38.lom").substr(0, 10), "[HEADER]\r\n");
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainFormTest, CloseIntoAnUnwritableFolderReportsEachFileAndStillCloses) {
    MainForm& main = Create();
    main.OrderLines.Lines = {"1|$1.00|Stock|R1|d"};
    main.Journal.Record(main.OrderLines, platform.Messages);
    app.SetFolders(folder.Path() + "gone/");
    main.FormClose();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].Text, "Cannot create file " + folder.Path() +
                                    "gone/Pelmora.ini: No such file or directory");
    EXPECT_EQ(messages[1].Text, "Cannot create file " + folder.Path() +
                                    "gone/pelmora38.lom: No such file or directory");
    EXPECT_EQ(main.FamilyTable.RowCount(), 0);
}

TEST_F(MainFormTest, UnitsCommandAlreadyTickedChangesNothing) {
    MainForm& main = Create();
    main.LengthUnitLabel = "marker";
    main.mnuImperialClick();
    EXPECT_EQ(main.LengthUnitLabel, "marker");
    main.mnuMetricClick();
    EXPECT_FALSE(app.ImperialUnits);
    EXPECT_EQ(main.LengthUnitLabel, "mm");
}

TEST_F(MainFormTest, ResetSettingsEmptiesTheWizardButKeepsUnitsAndOrder) {
    MainForm& main = Create();
    main.mnuMetricClick();
    main.OrderLines.Lines.push_back("1|$10.00|Stock|R090PU0120USG|Straight");
    main.cbxProductType.ItemIndex = 1;
    main.cbxWaveguide.Items = {{"090", "WR90"}};
    main.cbxWaveguide.ItemIndex = 0;
    main.cbxFlangeA.Items = {{"U", "UG Cover", "UG-39/U"}};
    main.cbxFlangeA.ItemIndex = 0;
    main.imgFlangeA = {"u.gif", false};
    main.cbxLength.ImperialItems = {"12.0"};
    main.cbxLength.MetricItems = {"305"};
    main.cbxLength.Items = {"305"};
    main.cbxLength.ItemIndex = 0;
    main.txtPresetLength = "3.0";
    main.txtPartNumber = "R090MU0305USG";
    main.ActivePage = MainForm::ScreenTwo;

    main.mnuResetSettingsClick();

    EXPECT_EQ(main.cbxProductType.ItemIndex, -1);
    EXPECT_EQ(main.cbxProductType.Items.size(), 2u);
    EXPECT_EQ(main.imgProduct.File, folder.Path() + "Images/WG.gif");
    EXPECT_TRUE(main.cbxWaveguide.Items.empty());
    EXPECT_TRUE(main.cbxFlangeA.Items.empty());
    EXPECT_EQ(main.imgFlangeA.File, "");
    EXPECT_TRUE(main.cbxLength.Items.empty());
    EXPECT_TRUE(main.cbxLength.MetricItems.empty());
    EXPECT_EQ(main.txtPresetLength, "");
    EXPECT_EQ(main.cbxFinish.ItemIndex, -1);
    EXPECT_EQ(main.cbxFinish.Items.size(), 2u);
    EXPECT_EQ(main.txtPartNumber, "");
    EXPECT_EQ(main.ActivePage, MainForm::ScreenOne);
    EXPECT_EQ(main.ScreenCaption, "Wizard - Screen 1 of 2");
    EXPECT_EQ(main.FocusedControl, "cbxProductType");
    EXPECT_FALSE(app.ImperialUnits);
    EXPECT_TRUE(main.mnuMetricChecked);
    EXPECT_EQ(main.OrderLines.RowCount(), 1);
}

// Closing never throws away an order changed since it was saved or opened.
TEST_F(MainFormTest, ClosingAsksToSaveAChangedOrder) {
    MainForm& main = Create();
    AddOrderForm addOrder(app, platform.Seams);
    OrderForm order(app, platform.Seams, addOrder, [](const std::string&) {});
    main.UseOrderForms(addOrder, order);
    EXPECT_TRUE(main.FormCloseQuery()) << "nothing to lose";
    EXPECT_TRUE(messages.empty());

    main.OrderLines.Lines = {"1|$1.00|Stock|R090PC0120USG|d"};
    main.Journal.Record(main.OrderLines, platform.Messages);
    platform.Messages.ThreeWayAnswers = {Answer::Cancel, Answer::Yes, Answer::No};
    main.CloseRequested = true;
    EXPECT_FALSE(main.FormCloseQuery());
    EXPECT_EQ(messages.back().Text, "Save changes to the order before closing?");
    EXPECT_FALSE(main.CloseRequested) << "Cancel keeps the program open";
    EXPECT_FALSE(main.FormCloseQuery()) << "Save As cancelled";
    EXPECT_TRUE(main.FormCloseQuery()) << "No closes";

    platform.Messages.ThreeWayAnswers = {Answer::Yes};
    platform.Files.Choice = SaveChoice{folder.Path() + "order", 3};
    EXPECT_TRUE(main.FormCloseQuery());
    EXPECT_TRUE(std::filesystem::exists(folder.Path() + "order.xml"));
    messages.clear();
    EXPECT_TRUE(main.FormCloseQuery()) << "saved: no question";
    EXPECT_TRUE(messages.empty());
}

// Finish with an unsaved order asks the closing question alone, not "exit now?"
// before it; with nothing to lose it asks only "exit now?".
TEST_F(MainFormTest, FinishAsksOneQuestion) {
    MainForm& main = Create();
    platform.Messages.Answers = {false};
    main.btnFinishClick();
    EXPECT_FALSE(main.CloseRequested);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.back().Text, "Do you wish to exit now?");

    messages.clear();
    main.OrderLines.Lines = {"1|$1.00|Stock|R090PC0120USG|d"};
    main.Journal.Record(main.OrderLines, platform.Messages);
    main.btnFinishClick();
    EXPECT_TRUE(main.CloseRequested);
    EXPECT_TRUE(messages.empty()) << "the closing asks next";
}

// A run that stops without closing leaves its order behind; the next run offers it.
TEST_F(MainFormTest, AnOrderLeftByACrashIsOfferedBack) {
    const std::vector<std::string> lines = {"2|$2,469.00|Stock|R090PC0120USG|90\xB0 one",
                                            "1|N/A|Contact Corvane Rep.|PW090C|two"};
    {
        MainForm crashed(app, platform.Seams);
        crashed.FormCreate();
        crashed.OrderLines.Lines = lines;
        crashed.Journal.Record(crashed.OrderLines, platform.Messages);
    }
    MainForm& next = Create();
    platform.Messages.Answers = {true};
    next.RestoreUnsavedOrder();
    EXPECT_EQ(messages.back().Text,
              "The program did not close normally. Restore the order with 2 lines?");
    EXPECT_EQ(next.OrderLines.Lines, lines);
    EXPECT_TRUE(next.Journal.Modified(next.OrderLines)) << "not saved anywhere yet";

    next.FormClose();
    {
        MainForm after(app, platform.Seams);
        after.FormCreate();
        messages.clear();
        after.RestoreUnsavedOrder();
        EXPECT_TRUE(messages.empty()) << "a normal close removes the recovery file";
        after.OrderLines.Lines = lines;
        after.Journal.Record(after.OrderLines, platform.Messages);
    }
    platform.Messages.Answers = {false};
    MainForm& declined = Create();
    declined.RestoreUnsavedOrder();
    EXPECT_TRUE(declined.OrderLines.Lines.empty());
    messages.clear();
    declined.RestoreUnsavedOrder();
    EXPECT_TRUE(messages.empty()) << "No removes it";
}

} // namespace
} // namespace pelmora
