// CRemoteAccessViewer: the trace window. It shows every message the client
// queues for sending (WM_APP+0x15), every field-list frame it receives
// (WM_APP+0x16) and the trace texts of the tiles (WM_APP+0x19), with the
// time, the direction, the length and the bytes made readable.
//
// At most one viewer exists; while it is open it is the registered receiver
// of those messages. Messages are recorded as they come and shown in
// batches a few times a second; the history keeps the newest
// kTraceHistoryLimit rows, so a burst of any size neither stalls the event
// loop nor grows memory. Pause stops recording, Clear empties, Copy puts
// the selected rows (all when none is selected) on the clipboard.
//
// Thread-safety: Post may be called from any thread (the server link's
// workers); everything else on the user-interface thread.
#pragma once

#include <QDateTime>
#include <QDialog>
#include <QTimer>

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "client/core/app_messages.h"
#include "client/toolwindows/trace_model.h"

class QLabel;
class QPushButton;
class QTableView;

namespace zol {

inline constexpr std::size_t kTraceHistoryLimit = 5000;
// Bytes kept of one message; the viewer shows no more of it anyway.
inline constexpr std::size_t kTraceBytesKept = 2048;

class CRemoteAccessViewer : public QDialog {
    Q_OBJECT
  public:
    // The open viewer, or null.
    static CRemoteAccessViewer* Instance();
    // Shows the viewer, creating it when none is open (/RAV at start, the
    // button on the options sheet). A viewer opened from a modal dialog
    // (`modalOwner`) lives in that dialog's window while it runs, so that
    // it can be used at once, and becomes a window of its own afterwards.
    static CRemoteAccessViewer* Open(QWidget* modalOwner = nullptr);
    // Called with true when a viewer opens and false when it closes (the
    // app turns the link's trace copies on and off with it). UI thread.
    static void SetOpenHook(std::function<void(bool open)> hook);
    // Hands a copy of `bytes` to the open viewer (TraceSent, TraceReceived
    // or TraceText); nothing when no viewer is open. Any thread; it never
    // blocks for longer than a copy. The viewer also takes these messages
    // as posted AppMessageEvents with a TextPayload.
    static void Post(AppMessage message, std::string_view bytes);

    ~CRemoteAccessViewer() override;

    TraceModel& Model() { return model_; }
    QTableView* Table() const { return table_; }
    QPushButton* PauseButton() const { return pause_; }
    QPushButton* ClearButton() const { return clear_; }
    QPushButton* CopyButton() const { return copy_; }
    // Messages not shown: dropped from the history or arriving while paused.
    std::size_t Dropped() const { return dropped_; }
    std::size_t PendingCount() const { return pending_.size(); }
    // Shows what has arrived at once (tests, and before copying).
    void Flush();
    void CopyRows();

  protected:
    bool event(QEvent* event) override;

  private:
    explicit CRemoteAccessViewer(int dpi);
    struct PendingMessage {
        qint64 msecsSinceEpoch = 0;  // when it arrived
        TraceDirection direction = TraceDirection::Text;
        std::size_t length = 0;
        std::string bytes;  // at most kTraceBytesKept
    };
    static QEvent::Type WakeEventType();
    // Moves what Post left in the inbox into the pending rows.
    void TakeInbox();
    void Record(TraceDirection direction, std::string bytes, std::size_t length,
                qint64 msecsSinceEpoch = QDateTime::currentMSecsSinceEpoch());
    // Shows the oldest waiting rows, a bounded number per call.
    void ShowSomePending();
    void UpdateStatus();

    TraceModel model_;
    std::deque<PendingMessage> pending_;
    // Filled by Post on any thread; guarded by the registration lock.
    std::deque<PendingMessage> inbox_;
    std::size_t inboxDropped_ = 0;
    // Buffers of messages shown or dropped, for Post to reuse: `spare_` is
    // guarded by the registration lock, `used_` belongs to this thread and
    // goes to `spare_` with each inbox taken.
    std::vector<std::string> spare_;
    std::vector<std::string> used_;
    bool wakePosted_ = false;
    QTimer flushTimer_;
    std::size_t dropped_ = 0;
    bool paused_ = false;
    QTableView* table_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* pause_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace zol
