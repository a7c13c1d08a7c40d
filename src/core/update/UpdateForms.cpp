#include "UpdateForms.h"

#include "catalogue/AppState.h"
#include "catalogue/Deployment.h"
#include "catalogue/Errors.h"
#include "catalogue/FileSystem.h"
#include "DateText.h"
#include "catalogue/IniFile.h"
#include "platform/BusyCursor.h"
#include "platform/Clock.h"
#include "platform/ConfirmDialogs.h"
#include "platform/Internet.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalWindows.h"
#include "platform/Platform.h"

#include <algorithm>

namespace pelmora {

namespace {

constexpr const char* Section = "UPDATE";

void Write(Platform& platform, const std::string& path, const char* key, const std::string& value) {
    try {
        TIniFile(path).WriteString(Section, key, value);
    } catch (const FileError& error) {
        platform.Messages.Error(error.what());
    }
}

// The hourglass shows while the installer downloads; any failure of the download
// counts as no download.
bool DownloadFile(Platform& platform, const std::string& url, const std::string& target) {
    platform.Busy.Show(true);
    bool downloaded = false;
    try {
        downloaded = platform.Net.Download(url, target);
    } catch (const std::exception&) {
        downloaded = false;
    }
    platform.Busy.Show(false);
    return downloaded;
}

void DownloadAndInstall(Platform& platform, const std::string& url, const std::string& target) {
    if (DownloadFile(platform, url, target)) {
        platform.Messages.Information(
            "Update files have been downloaded. Press OK to continue with installation");
        if (!platform.Net.Open(target))
            platform.Messages.Error("The installer " + target +
                                    " could not be started.\rPlease start it from its folder.");
    } else {
        platform.Messages.Error(
            "Unable to dowload files. Please make sure you have an active Internet connection.");
    }
}

} // namespace

UpdateSettings::UpdateSettings(const AppState& app) : Path(app.SettingsDir + "update.ini") {}

int UpdateSettings::BoundedDays(int days) {
    return std::clamp(days, FewestDays, MostDays);
}

int UpdateSettings::ReadUpdateDays() const {
    return BoundedDays(TIniFile(Path).ReadInteger(Section, "days", DefaultDays));
}

void UpdateSettings::ScheduleNextReminder(int days, Platform& platform) const {
    Write(platform, Path, "date", DateText(AddDays(platform.Time.Today(), days)));
}

void CheckUpdateReminder(AppState& app, Platform& platform) {
    const UpdateSettings settings(app);
    const TIniFile ini(settings.Path);
    const Date today = platform.Time.Today();
    if (!ini.ValueExists(Section, "date")) {
        // The first run only schedules the first reminder, always 30 days on.
        settings.ScheduleNextReminder(UpdateSettings::DefaultDays, platform);
        return;
    }
    const Date reminder =
        ParseDate(ini.ReadString(Section, "date", "")).value_or(AddDays(today, 30));
    if (std::chrono::sys_days(today) > std::chrono::sys_days(reminder))
        ShowQuickUpdate(app, platform,
                        "It appears you have not updated your application files lately. You can "
                        "download the latest data files from here.");
}

void ShowQuickUpdate(AppState& app, Platform& platform, const std::string& message) {
    QuickUpdateForm form(app, platform, message);
    platform.Windows.ShowQuickUpdate(form);
}

QuickUpdateForm::QuickUpdateForm(AppState& app, Platform& platform, const std::string& message)
    : lblMessage(message.empty() ? OwnText : message), app_(app), platform_(platform) {}

void QuickUpdateForm::btnUpdateClick() {
    DownloadAndInstall(platform_, app_.UpdateUrl, app_.OutputDir + "pelmora.exe");
    const UpdateSettings settings(app_);
    settings.ScheduleNextReminder(settings.ReadUpdateDays(), platform_);
}

void QuickUpdateForm::btnCancelClick() {
    const UpdateSettings settings(app_);
    settings.ScheduleNextReminder(settings.ReadUpdateDays(), platform_);
}

void QuickUpdateForm::btnOptionsClick() {
    UpdateOptionsForm options(app_, platform_);
    options.LoadUpdateOptions();
    platform_.Windows.ShowUpdateOptions(options);
    options.SaveUpdateOptions();
}

UpdateOptionsForm::UpdateOptionsForm(AppState& app, Platform& platform)
    : app_(app), platform_(platform) {}

void UpdateOptionsForm::LoadUpdateOptions() {
    const TIniFile ini(UpdateSettings(app_).Path);
    spnDays =
        UpdateSettings::BoundedDays(ini.ReadInteger(Section, "days", UpdateSettings::DefaultDays));
    cbxAutoUpdate = ini.ReadBool(Section, "autoupdate", false);
    cbxAutoUpdateClick();
}

void UpdateOptionsForm::cbxAutoUpdateClick() {
    spnDaysEnabled = !cbxAutoUpdate;
}

void UpdateOptionsForm::SaveUpdateOptions() {
    const std::string path = UpdateSettings(app_).Path;
    Write(platform_, path, "days", std::to_string(UpdateSettings::BoundedDays(spnDays)));
    Write(platform_, path, "autoupdate", cbxAutoUpdate ? "1" : "0");
}

AboutForm::AboutForm(const AppState& app, Platform& platform)
    : lblWebAddress(MakerWebAddress), platform_(platform) {
    if (FileExists(app.ImagesDir + "corvane.bmp"))
        imgPicture = ResolvePath(app.ImagesDir + "corvane.bmp");
}

void AboutForm::lblWebAddressClick() {
    const std::string address = std::string(UpdateScheme) + "://" + MakerWebAddress;
    if (!platform_.Net.Open(address))
        platform_.Messages.Error("The web address " + address +
                                 " could not be opened in a web browser.\r"
                                 "Please copy it from the About box into your browser.");
}

} // namespace pelmora
