// Where "ExtServerStatus" pushes go: every status tile shown registers itself
// here when it subscribes and unregisters when it goes, so the push dispatch
// never posts to a tile that is gone and one tile going does not cut off
// the others.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

namespace zol {

struct ExtendedStatusRecord;

class ExtendedStatusReceivers {
  public:
    // Adding a receiver twice keeps one entry.
    void Register(QObject* receiver);
    // True when that was the last receiver (the server's pushes can stop).
    // Unknown receivers are ignored and give false.
    bool Unregister(QObject* receiver);
    bool Empty();

    // Posts the record to every receiver (a copy each, the last gets the
    // record itself) as AppMessage::ExtendedStatus. With no receiver the
    // record is freed here. Returns the number of receivers posted to.
    int Post(std::unique_ptr<ExtendedStatusRecord> record);

  private:
    void DropGone();

    std::vector<QPointer<QObject>> receivers_;
};

}  // namespace zol
