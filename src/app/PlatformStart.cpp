#include "PlatformStart.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

QtMessageHandler previousHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> heldMessages;

void HoldOrEnd(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        heldMessages.emplace_back(type, message);
        return;
    }
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr,
                 "pelmora38: the display \"%s\" cannot be reached; start it from a desktop, or "
                 "use pelmora-cli\n",
                 display ? display : "");
    std::_Exit(1);
}

} // namespace

PlatformStartGuard::PlatformStartGuard() {
    previousHandler = qInstallMessageHandler(HoldOrEnd);
}

PlatformStartGuard::~PlatformStartGuard() {
    qInstallMessageHandler(previousHandler);
    for (const auto& [type, message] : std::exchange(heldMessages, {}))
        qt_message_output(type, QMessageLogContext(), message);
}
