#include "client/toolwindows/remote_access_viewer.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <mutex>

#include "client/toolwindows/tool_window_look.h"
#include "client/toolwindows/trace_format.h"
#include "guibase/dpi_scale.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

constexpr int kFlushIntervalMs = 100;
constexpr std::size_t kRowsPerTurn = 250;

// The registration: posting threads read it, the viewer sets and clears it.
// Holding the lock while posting keeps the viewer from being destroyed
// between the check and the post.
std::mutex gViewerLock;
CRemoteAccessViewer* gViewer = nullptr;
std::function<void(bool)>& OpenHook() {
    static std::function<void(bool)> hook;
    return hook;
}

}  // namespace

CRemoteAccessViewer* CRemoteAccessViewer::Instance() {
    std::lock_guard lock(gViewerLock);
    return gViewer;
}

CRemoteAccessViewer* CRemoteAccessViewer::Open(QWidget* modalOwner) {
    CRemoteAccessViewer* viewer = Instance();
    if (viewer == nullptr) {
        viewer = new CRemoteAccessViewer(ToolWindowDpi());
        {
            std::lock_guard lock(gViewerLock);
            gViewer = viewer;
        }
        if (OpenHook())
            OpenHook()(true);
    }
    if (auto* owner = qobject_cast<QDialog*>(modalOwner);
        owner != nullptr && owner->isModal() && viewer->parentWidget() == nullptr) {
        // A modal dialog blocks every window outside it; inside it the
        // viewer works. When the dialog ends the viewer stands alone again
        // (before the dialog is destroyed, which would take it along).
        const QRect where = viewer->geometry();
        viewer->setParent(owner, Qt::Window);
        connect(owner, &QDialog::finished, viewer, [viewer, where] {
            viewer->setParent(nullptr, Qt::Window);
            viewer->setGeometry(where);
            viewer->show();
        });
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

void CRemoteAccessViewer::Post(AppMessage message, std::string_view bytes) {
    TraceDirection direction = TraceDirection::Text;
    if (message == AppMessage::TraceSent)
        direction = TraceDirection::Sent;
    else if (message == AppMessage::TraceReceived)
        direction = TraceDirection::Received;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    // The copy is made before taking the lock, into a buffer of an earlier
    // message that this thread got back last time (pushed out of the full
    // inbox, or shown already): a steady stream allocates and frees nothing,
    // and the lock is held for a few moves.
    thread_local std::string copy;
    copy.assign(bytes.substr(0, kTraceBytesKept));
    std::lock_guard lock(gViewerLock);
    if (gViewer == nullptr)
        return;
    // Messages wait in the inbox and one wake-up event fetches them all, so
    // a burst costs the event loop one event, not one per message.
    CRemoteAccessViewer& viewer = *gViewer;
    PendingMessage arrived{now, direction, bytes.size(), std::move(copy)};
    copy = std::string();
    if (viewer.inbox_.size() >= kTraceHistoryLimit) {
        copy = std::move(viewer.inbox_.front().bytes);
        viewer.inbox_.pop_front();
        ++viewer.inboxDropped_;
    } else if (!viewer.spare_.empty()) {
        copy = std::move(viewer.spare_.back());
        viewer.spare_.pop_back();
    }
    viewer.inbox_.push_back(std::move(arrived));
    if (!viewer.wakePosted_) {
        viewer.wakePosted_ = true;
        QCoreApplication::postEvent(&viewer, new QEvent(WakeEventType()));
    }
}

QEvent::Type CRemoteAccessViewer::WakeEventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void CRemoteAccessViewer::TakeInbox() {
    std::deque<PendingMessage> arrived;
    {
        std::lock_guard lock(gViewerLock);
        arrived.swap(inbox_);
        dropped_ += inboxDropped_;
        inboxDropped_ = 0;
        wakePosted_ = false;
        while (!used_.empty() && spare_.size() < kTraceHistoryLimit) {
            spare_.push_back(std::move(used_.back()));
            used_.pop_back();
        }
    }
    used_.clear();
    for (PendingMessage& m : arrived)
        Record(m.direction, std::move(m.bytes), m.length, m.msecsSinceEpoch);
}

CRemoteAccessViewer::CRemoteAccessViewer(int dpi) : model_(kTraceHistoryLimit) {
    setWindowTitle(QStringLiteral("Remote Access Viewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    ApplyToolWindowLook(this, dpi);

    table_ = new QTableView(this);
    table_->setModel(&model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // Uniform rows keep scrolling cheap with thousands of them.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(ScalePixels(30, dpi));
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setColumnWidth(TraceModel::TimeColumn, ScalePixels(120, dpi));
    table_->setColumnWidth(TraceModel::DirectionColumn, ScalePixels(110, dpi));
    table_->setColumnWidth(TraceModel::BytesColumn, ScalePixels(70, dpi));
    table_->setObjectName(QStringLiteral("trace"));  // a fixed-width face, for the bytes

    status_ = new QLabel(this);
    // A changing count must not lay the window out again on every batch.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    pause_ = MakeTouchButton(QStringLiteral("Pause"), this, dpi);
    pause_->setCheckable(true);
    clear_ = MakeTouchButton(QStringLiteral("Clear"), this, dpi);
    copy_ = MakeTouchButton(QStringLiteral("Copy"), this, dpi);
    close_ = MakeTouchButton(QStringLiteral("Close"), this, dpi, true);
    connect(pause_, &QPushButton::toggled, this, [this](bool on) {
        paused_ = on;
        pause_->setText(on ? QStringLiteral("Resume") : QStringLiteral("Pause"));
        UpdateStatus();
    });
    connect(clear_, &QPushButton::clicked, this, [this] {
        pending_.clear();
        model_.Clear();
        dropped_ = 0;
        UpdateStatus();
    });
    connect(copy_, &QPushButton::clicked, this, &CRemoteAccessViewer::CopyRows);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    flushTimer_.setSingleShot(true);
    connect(&flushTimer_, &QTimer::timeout, this, &CRemoteAccessViewer::ShowSomePending);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(pause_);
    buttons->addWidget(clear_);
    buttons->addWidget(copy_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    // A line of its own: beside the buttons the counts of a burst were cut.
    layout->addWidget(status_);
    layout->addLayout(buttons);
    resize(ScalePixels(1000, dpi), ScalePixels(560, dpi));
    UpdateStatus();
}

CRemoteAccessViewer::~CRemoteAccessViewer() {
    {
        std::lock_guard lock(gViewerLock);
        if (gViewer != this)
            return;
        gViewer = nullptr;
    }
    if (OpenHook())
        OpenHook()(false);
}

void CRemoteAccessViewer::SetOpenHook(std::function<void(bool)> hook) {
    OpenHook() = std::move(hook);
}

bool CRemoteAccessViewer::event(QEvent* event) {
    if (event->type() == WakeEventType()) {
        TakeInbox();
        return true;
    }
    AppMessageEvent* message = AppMessageEvent::From(event);
    if (message == nullptr)
        return QDialog::event(event);
    auto* payload = message->PayloadAs<TextPayload>();
    std::string bytes = payload != nullptr ? std::move(payload->text) : std::string();
    // Post sends a cut copy and the full length in the first parameter.
    const std::size_t length = std::max(
        bytes.size(), static_cast<std::size_t>(std::max<std::intptr_t>(0, message->WParam())));
    switch (message->Message()) {
        case AppMessage::TraceSent:
            Record(TraceDirection::Sent, std::move(bytes), length);
            break;
        case AppMessage::TraceReceived:
            Record(TraceDirection::Received, std::move(bytes), length);
            break;
        case AppMessage::TraceText:
            Record(TraceDirection::Text, std::move(bytes), length);
            break;
        default:
            return QDialog::event(event);
    }
    return true;
}

void CRemoteAccessViewer::Record(TraceDirection direction, std::string bytes, std::size_t length,
                                 qint64 msecsSinceEpoch) {
    if (paused_) {
        ++dropped_;
        used_.push_back(std::move(bytes));
        return;
    }
    if (bytes.size() > kTraceBytesKept)
        bytes.resize(kTraceBytesKept);
    pending_.push_back({msecsSinceEpoch, direction, length, std::move(bytes)});
    // Only the newest rows can be shown: older waiting ones are dropped
    // unread, so a burst costs no formatting and no memory.
    if (pending_.size() > model_.Capacity()) {
        used_.push_back(std::move(pending_.front().bytes));
        pending_.pop_front();
        ++dropped_;
    }
    if (!flushTimer_.isActive())
        flushTimer_.start(kFlushIntervalMs);
}

void CRemoteAccessViewer::Flush() {
    while (!pending_.empty())
        ShowSomePending();
}

void CRemoteAccessViewer::ShowSomePending() {
    flushTimer_.stop();
    if (pending_.empty())
        return;
    QScrollBar* scroll = table_->verticalScrollBar();
    const bool atEnd = scroll->value() >= scroll->maximum();
    const std::size_t before = static_cast<std::size_t>(model_.rowCount());
    // A few hundred rows per turn of the event loop keeps each turn short;
    // the rest follows at once, after whatever else is waiting.
    const std::size_t count = std::min(pending_.size(), kRowsPerTurn);
    std::vector<TraceRow> batch;
    batch.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        PendingMessage& m = pending_[i];
        QString text = m.direction == TraceDirection::Text
                           ? FromWindows1252(ReadableTrace(m.bytes, m.bytes.size()))
                           : FromWindows1252(ReadableTrace(m.bytes, m.length));
        // The local time is worked out only for rows that are shown.
        const QTime time = QDateTime::fromMSecsSinceEpoch(m.msecsSinceEpoch).time();
        batch.push_back({time, m.direction, m.direction == TraceDirection::Text ? 0 : m.length,
                         std::move(text)});
        used_.push_back(std::move(m.bytes));
    }
    const std::size_t added = batch.size();
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(count));
    model_.Append(std::move(batch));
    const std::size_t after = static_cast<std::size_t>(model_.rowCount());
    dropped_ += before + added - after;
    if (atEnd)
        table_->scrollToBottom();
    UpdateStatus();
    if (!pending_.empty())
        flushTimer_.start(0);
}

void CRemoteAccessViewer::CopyRows() {
    Flush();
    QStringList lines;
    const QModelIndexList selected = table_->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        for (int row = 0; row < model_.rowCount(); ++row)
            lines << model_.RowText(row);
    } else {
        std::vector<int> rows;
        for (const QModelIndex& index : selected)
            rows.push_back(index.row());
        std::sort(rows.begin(), rows.end());
        for (int row : rows)
            lines << model_.RowText(row);
    }
    QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void CRemoteAccessViewer::UpdateStatus() {
    const QLocale locale;
    QString text = QStringLiteral("%1 messages shown (the last %2 are kept)")
                       .arg(locale.toString(model_.rowCount()),
                            locale.toString(static_cast<qulonglong>(model_.Capacity())));
    if (dropped_ > 0)
        text += QStringLiteral(", %1 not shown")
                    .arg(locale.toString(static_cast<qulonglong>(dropped_)));
    if (paused_)
        text += QStringLiteral(". Paused.");
    status_->setText(text);
}

}  // namespace zol
