#pragma once

#include "QtModalWindows.h"
#include "support/FakePlatform.h"

namespace pelmora::testing {

// The scripted seams with the program's real modal windows, for window tests.
struct GuiPlatform {
    FakePlatform Fakes;
    QtModalWindows Windows{Fakes.Messages};
    Platform Seams{Fakes.Messages, Fakes.Help,  Fakes.Confirm, Windows,  Fakes.Files,
                   Fakes.Busy,     Fakes.Print, Fakes.Time,    Fakes.Net};
};

} // namespace pelmora::testing
