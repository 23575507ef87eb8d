#include "client/measure_switches.h"

#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "client/core/main_frame.h"
#include "client/core/zol_client_app.h"
#include "client/event_loop_gap_watch.h"

namespace zol {

namespace {

// The first connect ends well within this, or the measurement failed.
constexpr int kConnectLimitMs = 120'000;
// Pushes that stop coming for this long are not coming.
constexpr qint64 kQuietLimitMs = 30'000;

// The reader waits for each line as it comes.
void PrintLine(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

void Quit(QApplication& qtApp, CZOLClientApp& app, int code) {
    app.MainFrame()->close();
    qtApp.exit(code);
}

// Ends the program when the first connect does not end in time.
void ArrangeConnectLimit(QApplication& qtApp, CZOLClientApp& app) {
    auto* limit = new QTimer(&qtApp);
    limit->setSingleShot(true);
    QObject::connect(limit, &QTimer::timeout, &qtApp, [&qtApp, &app] {
        PrintLine("the first connect did not end within " + std::to_string(kConnectLimitMs) +
                  " ms");
        Quit(qtApp, app, 1);
    });
    QObject::connect(app.MainFrame(), &CMainFrame::ConnectFinished, limit, &QTimer::stop);
    limit->start(kConnectLimitMs);
}

bool NoConnectStarted(QApplication& qtApp, CZOLClientApp& app) {
    if (app.AutoConnectPosted())
        return false;
    PrintLine("no connect at start: the settings need \"AutoConnect\" and a server");
    QTimer::singleShot(0, &qtApp, [&qtApp, &app] { Quit(qtApp, app, 2); });
    return true;
}

}  // namespace

double MillisSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string line;
    if (!std::getline(stat, line))
        return -1;
    // The name in parentheses may hold blanks; the start time is the 20th
    // field after it.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    for (int i = 0; i < 20 && fields >> field; ++i) {
    }
    const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    timespec now{};
    if (fields.fail() || ticksPerSecond <= 0 || ::clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return -1;
    const double startMs = std::stod(field) * 1000.0 / static_cast<double>(ticksPerSecond);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6 -
           startMs;
}

void ArrangeExitWhenShown(QApplication& qtApp, CZOLClientApp& app) {
    if (NoConnectStarted(qtApp, app))
        return;
    ArrangeConnectLimit(qtApp, app);
    QObject::connect(app.MainFrame(), &CMainFrame::ConnectFinished, &qtApp,
                     [&qtApp, &app](int result) {
                         if (result != 0) {
                             PrintLine("connect failed (" + std::to_string(result) + ")");
                             Quit(qtApp, app, 1);
                             return;
                         }
                         // Painted now, not when the loop gets to it.
                         app.MainFrame()->repaint();
                         PrintLine("home display shown " +
                                   std::to_string(std::lround(MillisSinceProcessStart())) +
                                   " ms after process start");
                         Quit(qtApp, app, 0);
                     });
}

void ArrangeExitAfterUpdates(QApplication& qtApp, CZOLClientApp& app, std::uint64_t count) {
    if (NoConnectStarted(qtApp, app))
        return;
    ArrangeConnectLimit(qtApp, app);
    struct Watch {
        EventLoopGapWatch gaps;
        QElapsedTimer sinceProgress;
        QElapsedTimer sinceFirst;
        std::uint64_t seen = 0;
    };
    auto watch = std::make_shared<Watch>();
    Watch* w = watch.get();
    const auto onTick = [&qtApp, &app, w, count] {
        const std::uint64_t applied = app.MainFrame()->UpdatesApplied();
        if (applied != w->seen) {
            if (w->seen == 0)
                w->sinceFirst.start();
            w->seen = applied;
            w->sinceProgress.restart();
        }
        if (applied < count && w->sinceProgress.elapsed() < kQuietLimitMs)
            return;
        w->gaps.Stop();
        const qint64 spanMs = w->sinceFirst.isValid() ? w->sinceFirst.elapsed() : 0;
        PrintLine("applied " + std::to_string(applied) + " updates, longest event-loop gap " +
                  std::to_string(w->gaps.LongestGapMs()) + " ms, " + std::to_string(spanMs) +
                  " ms from the first to the last");
        Quit(qtApp, app, applied >= count ? 0 : 1);
    };
    QObject::connect(app.MainFrame(), &CMainFrame::ConnectFinished, &qtApp,
                     [&qtApp, &app, watch, onTick](int result) {
                         if (result != 0) {
                             PrintLine("connect failed (" + std::to_string(result) + ")");
                             Quit(qtApp, app, 1);
                             return;
                         }
                         // The gaps count from here, the home display
                         // painted: the connect itself turns the loop on its
                         // own terms.
                         app.MainFrame()->repaint();
                         watch->sinceProgress.start();
                         watch->gaps.Start(onTick);
                         PrintLine("connected");
                     });
}

}  // namespace zol
