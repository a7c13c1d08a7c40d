#pragma once

#include <string>

namespace pelmora {

struct AppState;
struct Platform;

// "update.ini" beside the program: the days between reminders, the auto-update
// box and the next reminder date.
class UpdateSettings {
public:
    static constexpr int DefaultDays = 30;
    // A reminder interval outside these bounds is a damaged file, not a choice: a
    // huge one would overflow the date or land past the year 9999.
    static constexpr int FewestDays = 1;
    static constexpr int MostDays = 3650;
    static int BoundedDays(int days);

    explicit UpdateSettings(const AppState& app);

    int ReadUpdateDays() const;
    void ScheduleNextReminder(int days, Platform& platform) const;

    std::string Path;
};

// The "Quick Update" dialog, made for one showing.
class QuickUpdateForm {
public:
    static constexpr const char* OwnText =
        "Before clicking the Update button, please make sure you have an active Internet "
        "connection.";
    static constexpr const char* FixedText =
        "It is recommended that you restart your application after updated files have been "
        "installed.";

    QuickUpdateForm(AppState& app, Platform& platform, const std::string& message);

    void btnUpdateClick();
    void btnCancelClick();
    void btnOptionsClick();

    std::string lblMessage;

private:
    AppState& app_;
    Platform& platform_;
};

// The "Update Options" dialog, made for one showing; it saves however it closes.
class UpdateOptionsForm {
public:
    static constexpr int MinimumDays = 10;
    static constexpr int MaximumDays = 100;

    UpdateOptionsForm(AppState& app, Platform& platform);

    void LoadUpdateOptions();
    void cbxAutoUpdateClick();
    void SaveUpdateOptions();

    int spnDays = UpdateSettings::DefaultDays;
    bool cbxAutoUpdate = false;
    bool spnDaysEnabled = true;

private:
    AppState& app_;
    Platform& platform_;
};

// The reminder run each time the main window becomes active, and the menu entry.
void CheckUpdateReminder(AppState& app, Platform& platform);
void ShowQuickUpdate(AppState& app, Platform& platform, const std::string& message);

// The about box, made for one showing.
class AboutForm {
public:
    static constexpr const char* Caption = "About Pelmora";
    static constexpr const char* Title = "Pelmora 38";

    AboutForm(const AppState& app, Platform& platform);

    void lblWebAddressClick();

    std::string imgPicture; // "corvane.bmp" when present, else empty
    std::string lblWebAddress;

private:
    Platform& platform_;
};

} // namespace pelmora
