// The remote access viewer under a burst: the viewer open on screen, a
// thread standing in for the server link's receive thread hands the link's
// observer 100,000 received frames of 2 KB each as fast as it can (what the
// link does while the viewer is open). Measured: the time from the first
// frame to the last one handled (shown or counted as dropped by the bound),
// the longest gap between event-loop turns, the most rows kept, and RSS.
//
//   xvfb-run -a -s '-screen 0 1280x800x24' build/release/bench/bench_viewer_burst [runs] [messages]
//
// Goals: the longest gap well under 100 ms, never more than 5,000 rows.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "client/core/link_event_poster.h"
#include "client/event_loop_gap_watch.h"
#include "client/toolwindows/remote_access_viewer.h"
#include "serverlink/field_list.h"

namespace zol::bench {
namespace {

constexpr std::size_t kMessageBytes = 2048;
constexpr qint64 kRunLimitMs = 120'000;

// A field list of exactly kMessageBytes whose fourth field is a
// kNumberDigits-digit number that the sender rewrites for each message.
constexpr std::size_t kNumberDigits = 7;
std::string MessageTemplate(std::size_t& numberOffset) {
    const std::string number(kNumberDigits, '0');
    const std::size_t bare = FieldList{"0", "ZOLApp", "Update", number, ""}.Message().size();
    const std::string m =
        FieldList{"0", "ZOLApp", "Update", number, std::string(kMessageBytes - bare, 'x')}
            .Message();
    numberOffset = m.find(number);
    return m;
}

void WriteNumber(std::string& message, std::size_t offset, int number) {
    for (std::size_t i = kNumberDigits; i-- > 0; number /= 10)
        message[offset + i] = static_cast<char>('0' + number % 10);
}

long CurrentRssKib() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return -1;
}

long PeakRssKib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct RunResult {
    bool complete = false;
    double postMs = 0;     // the sending thread, first to last post
    double handledMs = 0;  // first post to the last message handled
    qint64 longestGapMs = 0;
    int peakRows = 0;
    long rssAfterKib = 0;
};

RunResult RunBurst(CRemoteAccessViewer& viewer, LinkEventPoster& poster, int count) {
    viewer.ClearButton()->click();
    QCoreApplication::processEvents();
    RunResult result;
    const auto total = static_cast<std::size_t>(count);
    EventLoopGapWatch gaps;
    QElapsedTimer clock;
    gaps.Start([&] { result.peakRows = std::max(result.peakRows, viewer.Model().rowCount()); });
    clock.start();
    std::thread link([&] {
        QElapsedTimer posting;
        posting.start();
        std::size_t offset = 0;
        std::string message = MessageTemplate(offset);
        for (int i = 0; i < count; ++i) {
            WriteNumber(message, offset, i);
            poster.OnFrameReceived(message);
        }
        result.postMs = static_cast<double>(posting.nsecsElapsed()) / 1e6;
    });
    const auto handled = [&] {
        return static_cast<std::size_t>(viewer.Model().rowCount()) + viewer.Dropped() == total &&
               viewer.PendingCount() == 0;
    };
    while (!handled() && clock.elapsed() < kRunLimitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    result.handledMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    link.join();
    gaps.Stop();
    result.peakRows = std::max(result.peakRows, viewer.Model().rowCount());
    result.complete = handled();
    result.longestGapMs = gaps.LongestGapMs();
    result.rssAfterKib = CurrentRssKib();
    return result;
}

int Run(int runs, int count) {
    CRemoteAccessViewer* viewer = CRemoteAccessViewer::Open();
    QElapsedTimer waited;
    waited.start();
    while ((viewer->windowHandle() == nullptr || !viewer->windowHandle()->isExposed()) &&
           waited.elapsed() < 10'000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    LinkEventPoster poster;
    // As the client wires it while a viewer is open.
    poster.SetTraceSink(&CRemoteAccessViewer::Post);
    const long rssBeforeKib = CurrentRssKib();

    std::printf(
        "%d runs of %d received frames of %zu bytes, viewer on platform %s%s\n", runs, count,
        kMessageBytes, qPrintable(QGuiApplication::platformName()),
        viewer->windowHandle() && viewer->windowHandle()->isExposed() ? ", shown" : ", NOT shown");
    std::vector<double> handled;
    qint64 worstGap = 0;
    int peakRows = 0;
    int failures = 0;
    for (int i = 0; i < runs; ++i) {
        const RunResult r = RunBurst(*viewer, poster, count);
        std::printf(
            "run %d: %s, posted in %.0f ms, all handled after %.0f ms, longest event-loop gap "
            "%lld ms, peak rows %d, RSS %.1f MiB\n",
            i + 1, r.complete ? "complete" : "INCOMPLETE", r.postMs, r.handledMs,
            static_cast<long long>(r.longestGapMs), r.peakRows,
            static_cast<double>(r.rssAfterKib) / 1024.0);
        if (!r.complete || static_cast<std::size_t>(r.peakRows) !=
                               std::min(static_cast<std::size_t>(count), kTraceHistoryLimit)) {
            ++failures;
            continue;
        }
        handled.push_back(r.handledMs);
        worstGap = std::max(worstGap, r.longestGapMs);
        peakRows = std::max(peakRows, r.peakRows);
    }
    if (!handled.empty()) {
        std::sort(handled.begin(), handled.end());
        std::printf(
            "all handled: median %.0f ms; longest event-loop gap: worst %lld ms (goal well "
            "under 100 ms); peak rows %d (bound %zu)\n",
            handled[handled.size() / 2], static_cast<long long>(worstGap), peakRows,
            kTraceHistoryLimit);
    }
    std::printf("RSS: %.1f MiB before the first burst, peak %.1f MiB\n",
                static_cast<double>(rssBeforeKib) / 1024.0,
                static_cast<double>(PeakRssKib()) / 1024.0);
    delete viewer;
    return failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace zol::bench

int main(int argc, char** argv) {
    // Without a screen (make bench) it still runs, on the offscreen platform,
    // which the first line of output names.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int count = argc > 2 ? std::max(1, std::atoi(argv[2])) : 100'000;
    return zol::bench::Run(runs, count);
}
