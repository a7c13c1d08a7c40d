#pragma once

// While it lives, a platform Qt cannot start (a display that is set but cannot be
// reached, say) ends the program with one line and exit code 1 instead of Qt's
// page of advice and an abort. What Qt says on a start that succeeds is passed on
// when the guard ends.
class PlatformStartGuard {
public:
    PlatformStartGuard();
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;
};
