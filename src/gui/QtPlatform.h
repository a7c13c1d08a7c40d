#pragma once

#include "ModulePrinter.h"
#include "QtBusyCursor.h"
#include "QtClock.h"
#include "QtConfirmDialogs.h"
#include "QtFileDialogs.h"
#include "QtHelpViewer.h"
#include "QtInternet.h"
#include "QtMessageBoxes.h"
#include "QtModalWindows.h"
#include "platform/Platform.h"

namespace pelmora {

// Every seam of the forms made of Qt, and the Platform over them, as the window
// runs. Seams refers to the members, so the whole is never copied.
struct QtPlatform {
    QtMessageBoxes Messages;
    QtHelpViewer Help;
    QtConfirmDialogs Confirm;
    QtModalWindows Windows{Messages};
    QtFileDialogs Files;
    QtBusyCursor Busy;
    ModulePrinter Print;
    QtClock Time;
    QtInternet Net;
    Platform Seams{Messages, Help, Confirm, Windows, Files, Busy, Print, Time, Net};

    QtPlatform() = default;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;
};

} // namespace pelmora
