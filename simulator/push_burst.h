// A burst of "Update" pushes for load tests (the control command `burst`):
// push k sets the next of a cycle of objects to level k mod 101, as zolsim's
// own state and to the clients. They go out in slices, one per event-loop
// turn, so that the sockets empty between slices at the speed the clients
// read; a slice waits while a receiver holds more than a high-water mark
// unsent, but a burst waits two seconds at most in all: then the rest goes
// out at once, and a client that does not read meets the usual cut-off for
// unread bytes.
//
// Thread-safety: the server's event loop only.
#pragma once

#include <QObject>
#include <QTimer>

#include <vector>

namespace zol {

class SimServer;

class PushBurst : public QObject {
  public:
    // `target`: a connection id, or 0 for all. The objects must exist.
    PushBurst(SimServer& server, int target, int count, std::vector<int> objectIds);

    // Sends the burst from the event loop and deletes itself at the end.
    void Start();
    // Sends the next slice; false once every push has gone out.
    bool SendSlice();

  private:
    void Step();

    SimServer& server_;
    int target_;
    int count_;
    std::vector<int> objectIds_;
    int next_ = 0;
    int waits_ = 0;
    QTimer timer_;
};

}  // namespace zol
