#include "FontsAhead.h"
#include "Keyboard.h"
#include "Look.h"
#include "PlatformStart.h"
#include "Program.h"
#include "QtPlatform.h"
#include "Text1252Qt.h"
#include "TfrmSplash.h"
#include "catalogue/AppState.h"
#include "catalogue/FileSystem.h"

#include <QApplication>
#include <QEventLoop>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

using namespace pelmora;

namespace {

constexpr int SplashMilliseconds = 400;

constexpr const char* Usage =
    "Usage: pelmora38 [--help | --version | ANY]\n"
    "The Pelmora 38 configurator for waveguide assemblies, in a window.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "  --version      print the version and exit\n"
    "\n"
    "Any other parameter only skips the splash picture. The window needs a\n"
    "graphical session (an X or Wayland display); pelmora-cli(1) answers the same\n"
    "questions on the command line and pelmora-web(1) in a browser.\n";

// The text that --help or --version asks for, help first when both are given.
std::optional<const char*> AskedText(int argc, char* argv[]) {
    std::optional<const char*> text;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h")
            return Usage;
        if (argument == "--version")
            text = "pelmora38 " PELMORA_VERSION "\n";
    }
    return text;
}

// A text that cannot be written (a full disk, a closed pipe) is a failure, not
// an empty success.
int PrintText(const char* text) {
    std::fputs(text, stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "pelmora38: cannot write to standard output: %s\n",
                     std::strerror(errno));
        return 3;
    }
    return 0;
}

// Qt aborts with a page of advice when no display can be reached; the user gets
// one line instead. An explicitly chosen platform (offscreen, say) is left to Qt.
bool GraphicalSessionMissing() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return !set("DISPLAY") && !set("WAYLAND_DISPLAY") && !set("QT_QPA_PLATFORM");
}

void CentreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

} // namespace

int main(int argc, char* argv[]) {
    if (const auto text = AskedText(argc, argv))
        return PrintText(*text);
    // Any other parameter only suppresses the splash.
    const bool showSplash = argc <= 1;
    if (GraphicalSessionMissing()) {
        std::fprintf(stderr, "pelmora38: no graphical session (neither an X nor a Wayland display "
                             "is set); start it from a desktop, or use pelmora-cli\n");
        return 1;
    }

    FontsAhead fonts;
    std::optional<PlatformStartGuard> platformStart(std::in_place);
    QApplication application(argc, argv);
    platformStart.reset();
    EnterPressesButtons enterPressesButtons;
    application.installEventFilter(&enterPressesButtons);
    AltLettersTypeNothing altLettersTypeNothing;
    application.installEventFilter(&altLettersTypeNothing);
    Q_INIT_RESOURCE(pelmora);
    QApplication::setApplicationName(QStringLiteral("Pelmora 38"));
    ApplyLook(application);
    fonts.Wait();
    // "." is the decimal separator whatever the user's regional settings.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());

    AppState app;
    app.Locate(ToCore(QCoreApplication::applicationDirPath()), UserFolders::FromEnvironment());
    app.CreateUserFolders();
    // Tables are kept between actions and read again once their file changes.
    TableCache tables;
    app.Cache = &tables;

    std::unique_ptr<TfrmSplash> splash;
    if (showSplash) {
        splash = std::make_unique<TfrmSplash>(
            FromCore(ResolvePath(app.AppDir + "images/splashimage.gif")));
        splash->show();
        QApplication::processEvents();
    }

    QtPlatform qt;
    Program program(app, qt.Seams, qt.Windows);
    TfrmMain& window = program.MainWindow;
    qt.Messages.SetParent(&window);
    qt.Help.SetParent(&window);
    qt.Confirm.SetParent(&window);
    qt.Files.SetParent(&window);
    qt.Print.SetParent(&window);

    if (splash) {
        QEventLoop wait;
        QTimer::singleShot(SplashMilliseconds, &wait, &QEventLoop::quit);
        wait.exec();
        splash.reset();
    }

    window.show();
    CentreOnScreen(window);
    return QApplication::exec();
}
