// The client's switches for being measured from outside (the programs in
// bench/ read what they print on standard output):
//
//   --exit-when-shown         after the first connect, paint the home display,
//                             print "home display shown <ms> ms after process
//                             start" and quit (exit code 0; 1 when the connect
//                             failed, 2 when no connect was started)
//   --exit-after-updates N    after the first connect print "connected", then
//                             quit once N "Update" pushes were applied,
//                             printing "applied <n> updates, longest event-loop
//                             gap <ms> ms, <ms> ms from the first to the last"
//                             (exit code 1 when none came for 30 seconds)
#pragma once

#include <cstdint>

class QApplication;

namespace zol {

class CZOLClientApp;

// Milliseconds since the kernel started this process, loading included (in
// steps of the kernel's clock tick, usually 10 ms); -1 when unknown.
double MillisSinceProcessStart();

void ArrangeExitWhenShown(QApplication& qtApp, CZOLClientApp& app);
void ArrangeExitAfterUpdates(QApplication& qtApp, CZOLClientApp& app, std::uint64_t count);

}  // namespace zol
