// The window's first action after start beside the same action later: the program
// built as it starts, in its own style and font, shown, left idle as long as a user
// takes to reach for the first list (the time start-up work deferred past the first
// paint has), then the family picked in turn, each pick and its repaint timed in
// this thread's processor time. A later pick is timed twice: after the same idle as
// the first (like for like: an idle machine's caches hold other work by then), and
// back to back with other picks (caches warm). Prints one line of JSON:
// {"firstMs", "laterIdleMs", "laterMs"}, the first pick and the medians of the
// later picks of the same family.
//
//   pelmora_window_first_action [IDLE_MS]       (under Xvfb or offscreen)
#include "Look.h"
#include "Program.h"
#include "QtPlatform.h"
#include "Text1252Qt.h"
#include "catalogue/AppState.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

using namespace pelmora;

namespace {

double ThreadMs() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void IdleFor(int milliseconds) {
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

double Median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

} // namespace

int main(int argc, char* argv[]) {
    const int idleMs = argc > 1 ? std::atoi(argv[1]) : 300;
    QApplication application(argc, argv);
    ApplyLook(application);
    AppState app;
    app.Locate(ToCore(QCoreApplication::applicationDirPath()), UserFolders::FromEnvironment());
    TableCache tables;
    app.Cache = &tables;
    QtPlatform qt;
    Program program(app, qt.Seams, qt.Windows);
    TfrmMain& window = program.MainWindow;
    window.show();
    IdleFor(idleMs);

    auto* families = window.findChild<QComboBox*>(QStringLiteral("cbxProductType"));
    const int count = families ? families->count() : 0;
    if (count < 2) {
        std::fprintf(stderr, "pelmora_window_first_action: no families to pick\n");
        return 1;
    }
    auto pick = [&](int index) {
        const double start = ThreadMs();
        emit families->activated(index);
        window.repaint();
        return ThreadMs() - start;
    };
    const double first = pick(0);
    std::vector<double> later;
    for (int round = 0; round < 15; ++round) {
        for (int index = 1; index < count; ++index)
            pick(index);
        later.push_back(pick(0));
    }
    std::vector<double> laterIdle;
    for (int round = 0; round < 5; ++round) {
        pick(1);
        IdleFor(idleMs);
        laterIdle.push_back(pick(0));
    }
    std::printf("{\"firstMs\": %.3f, \"laterIdleMs\": %.3f, \"laterMs\": %.3f}\n", first,
                Median(laterIdle), Median(later));
    return 0;
}
