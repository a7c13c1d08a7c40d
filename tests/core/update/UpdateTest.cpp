#include "catalogue/AppState.h"
#include "catalogue/IniFile.h"
#include "platform/ConfirmDialogs.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "update/DateText.h"
#include "update/UpdateForms.h"
#include "wizard/MainForm.h"

#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

using namespace std::chrono;

class UpdateTest : public ::testing::Test {
protected:
    UpdateTest() {
        app.SetFolders(folder.Path());
        platform.Windows.QuickUpdate = [this](QuickUpdateForm& form) {
            shown.push_back(form.lblMessage);
            if (answer == ModalResult::Ok)
                form.btnUpdateClick();
            else if (answer == ModalResult::Cancel)
                form.btnCancelClick();
            return answer;
        };
    }
    std::string StoredDate() const {
        return TIniFile(folder.Path() + "update.ini").ReadString("UPDATE", "date", "");
    }
    void Store(const std::string& text) { folder.Write("update.ini", text); }

    TempFolder folder;
    AppState app;
    FakePlatform platform;
    std::vector<std::string> shown;
    // Ok presses Update, Cancel presses Cancel, Retry stands for the close box.
    ModalResult answer = ModalResult::Retry;
};

TEST_F(UpdateTest, FirstRunOnlySchedulesTheFirstReminder) {
    CheckUpdateReminder(app, platform.Seams);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(StoredDate(), "2027-01-06");
}

TEST_F(UpdateTest, ReminderShowsOnlyAfterTheStoredDay) {
    Store("[UPDATE]\r\ndate=2026-12-07\r\n");
    CheckUpdateReminder(app, platform.Seams);
    EXPECT_TRUE(shown.empty());
    Store("[UPDATE]\r\ndate=2026-12-06\r\n");
    CheckUpdateReminder(app, platform.Seams);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "It appears you have not updated your application files lately. You can "
                        "download the latest data files from here.");
}

TEST_F(UpdateTest, CancelMovesTheReminderByTheDaysAndTheCloseBoxDoesNot) {
    Store("[UPDATE]\r\ndays=45\r\ndate=2026-11-30\r\n");
    CheckUpdateReminder(app, platform.Seams);
    CheckUpdateReminder(app, platform.Seams);
    EXPECT_EQ(shown.size(), 2u) << "closed with the close box, it shows again";
    EXPECT_EQ(StoredDate(), "2026-11-30");
    answer = ModalResult::Cancel;
    CheckUpdateReminder(app, platform.Seams);
    EXPECT_EQ(StoredDate(), "2027-01-21");
    CheckUpdateReminder(app, platform.Seams);
    EXPECT_EQ(shown.size(), 3u);
}

TEST_F(UpdateTest, DatesOfOlderFilesStillReadAndGarbageCountsAsThirtyDaysOn) {
    Store("[UPDATE]\r\ndate=12/6/2026\r\n");
    CheckUpdateReminder(app, platform.Seams);
    EXPECT_EQ(shown.size(), 1u);
    Store("[UPDATE]\r\ndate=6.12.2026\r\n");
    CheckUpdateReminder(app, platform.Seams);
    EXPECT_EQ(shown.size(), 2u);
    Store("[UPDATE]\r\ndate=next tuesday\r\n");
    CheckUpdateReminder(app, platform.Seams);
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_EQ(StoredDate(), "next tuesday") << "not rewritten by the check";
}

// An interval from a damaged file must not wrap the date or push it past 9999.
TEST_F(UpdateTest, TheIntervalStaysWithinTenYears) {
    answer = ModalResult::Cancel;
    Store("[UPDATE]\r\ndays=2147483647\r\ndate=2026-01-01\r\n");
    CheckUpdateReminder(app, platform.Seams);
    EXPECT_EQ(StoredDate(), "2036-12-04");
    Store("[UPDATE]\r\ndays=-5\r\ndate=2026-01-01\r\n");
    CheckUpdateReminder(app, platform.Seams);
    EXPECT_EQ(StoredDate(), "2026-12-08");

    UpdateOptionsForm options(app, platform.Seams);
    options.LoadUpdateOptions();
    EXPECT_EQ(options.spnDays, 1);
    options.spnDays = 5000000;
    options.SaveUpdateOptions();
    EXPECT_EQ(TIniFile(folder.Path() + "update.ini").ReadInteger("UPDATE", "days", 0), 3650);
}

TEST_F(UpdateTest, UpdateDownloadsStartsTheInstallerAndReschedules) {
    Store("[UPDATE]\r\ndate=2026-01-01\r\n");
    answer = ModalResult::Ok;
    CheckUpdateReminder(app, platform.Seams);
    EXPECT_EQ(
        platform.Net.Calls,
        (std::vector<std::string>{"download https://www.corvane.com/darerazudivivu/pelmora.exe " +
                                      folder.Path() + "pelmora.exe",
                                  "open " + folder.Path() + "pelmora.exe"}));
    EXPECT_EQ(platform.Messages.Log.back().Text,
              "Update files have been downloaded. Press OK to continue with installation");
    EXPECT_EQ(platform.Busy.Shown, (std::vector<bool>{true, false}));
    EXPECT_EQ(StoredDate(), "2027-01-06");
}

TEST_F(UpdateTest, AnInstallerTheDesktopCannotStartIsReported) {
    platform.Net.Opens = false;
    Store("[UPDATE]\r\ndate=2026-01-01\r\n");
    answer = ModalResult::Ok;
    CheckUpdateReminder(app, platform.Seams);
    ASSERT_EQ(platform.Messages.Log.size(), 2u);
    EXPECT_EQ(platform.Messages.Log[1],
              (FakeMessageBoxes::Shown{"error", "The installer " + folder.Path() +
                                                    "pelmora.exe could not be started.\rPlease "
                                                    "start it from its folder."}));
}

TEST_F(UpdateTest, FailedDownloadSaysSoAndStillReschedules) {
    platform.Net.Succeed = false;
    Store("[UPDATE]\r\ndays=10\r\ndate=2026-01-01\r\n");
    answer = ModalResult::Ok;
    CheckUpdateReminder(app, platform.Seams);
    EXPECT_EQ(platform.Net.Calls.size(), 1u) << "nothing is opened";
    EXPECT_EQ(platform.Messages.Log.back().Kind, "error");
    EXPECT_EQ(platform.Messages.Log.back().Text,
              "Unable to dowload files. Please make sure you have an active Internet connection.");
    EXPECT_EQ(StoredDate(), "2026-12-17");
}

TEST_F(UpdateTest, MenuEntryShowsTheDialogsOwnText) {
    MainForm main(app, platform.Seams);
    main.mnuUpdateClick();
    EXPECT_EQ(shown, std::vector<std::string>{QuickUpdateForm::OwnText});
}

TEST_F(UpdateTest, OptionsAreSavedHoweverTheDialogCloses) {
    platform.Windows.UpdateOptions = [](UpdateOptionsForm& options) {
        EXPECT_EQ(options.spnDays, 30);
        EXPECT_TRUE(options.spnDaysEnabled);
        options.spnDays = 60;
        options.cbxAutoUpdate = true;
        options.cbxAutoUpdateClick();
        EXPECT_FALSE(options.spnDaysEnabled);
    };
    QuickUpdateForm form(app, platform.Seams, "");
    form.btnOptionsClick();
    const TIniFile ini(folder.Path() + "update.ini");
    EXPECT_EQ(ini.ReadInteger("UPDATE", "days", 0), 60);
    EXPECT_EQ(ini.ReadString("UPDATE", "autoupdate", ""), "1");

    UpdateOptionsForm reopened(app, platform.Seams);
    reopened.LoadUpdateOptions();
    EXPECT_FALSE(reopened.spnDaysEnabled);
}

TEST_F(UpdateTest, AboutBoxShowsTheLogoWhenPresentAndOpensTheAddress) {
    MainForm main(app, platform.Seams);
    std::vector<std::string> pictures;
    platform.Windows.About = [&](AboutForm& about) {
        pictures.push_back(about.imgPicture);
        about.lblWebAddressClick();
    };
    main.mnuAboutClick();
    folder.Write("Images/corvane.bmp", "BM");
    main.mnuAboutClick();
    EXPECT_EQ(pictures, (std::vector<std::string>{"", folder.Path() + "Images/corvane.bmp"}));
    EXPECT_EQ(platform.Net.Calls.back(), "open https://www.corvane.com");
    EXPECT_TRUE(platform.Messages.Log.empty());
}

// Without a browser the user is told, with the address to copy by hand.
TEST_F(UpdateTest, AboutBoxSaysWhenTheAddressCannotBeOpened) {
    platform.Net.Opens = false;
    AboutForm about(app, platform.Seams);
    about.lblWebAddressClick();
    EXPECT_EQ(platform.Net.Calls, std::vector<std::string>{"open https://www.corvane.com"});
    EXPECT_EQ(
        platform.Messages.Log,
        (std::vector<FakeMessageBoxes::Shown>{
            {"error", "The web address https://www.corvane.com could not be opened in a "
                      "web browser.\rPlease copy it from the About box into your browser."}}));
    EXPECT_EQ(about.lblWebAddress, "www.corvane.com");
}

TEST(Date, IsoTextRoundTripsAndDaysAdd) {
    const Date date{year(2026), December, day(7)};
    EXPECT_EQ(DateText(AddDays(date, 30)), "2027-01-06");
    EXPECT_EQ(ParseDate("2024-02-29"), (Date{year(2024), February, day(29)}));
    EXPECT_FALSE(ParseDate("2023-02-29"));
    EXPECT_FALSE(ParseDate(""));
    EXPECT_EQ(ParseDate("1/2/27"), (Date{year(2027), January, day(2)}));
}

} // namespace
} // namespace pelmora::testing
