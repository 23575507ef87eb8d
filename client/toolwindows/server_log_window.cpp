#include "client/toolwindows/server_log_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "client/core/app_messages.h"
#include "client/core/client_settings.h"
#include "client/core/main_frame.h"
#include "client/core/zol_client_app.h"
#include "client/model/server_error.h"
#include "client/toolwindows/tool_window_look.h"
#include "guibase/dpi_scale.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

// The four columns shown, and which of the view's seven stored widths each uses.
constexpr int kColumnCount = 4;
constexpr std::size_t kStoredWidth[kColumnCount] = {0, 1, 5, 6};
constexpr int kNarrowestColumn = 20;

QString EntryTime(const FieldDateTimeValue& value) {
    if (!value.valid)
        return QString();
    // Fixed width and sortable, so the column reads at a glance.
    return QDateTime(QDate(value.year, value.month, value.day),
                     QTime(value.hour, value.minute, value.second))
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString FailureLine(int code, const std::string& failureText) {
    if (code == kServerUnknownRequest)
        return QStringLiteral("This server keeps no log.");
    return QStringLiteral("The server log could not be read (%1).")
        .arg(FromWindows1252(failureText));
}

}  // namespace

CServerLogWindow::CServerLogWindow(RequestChannel& channel, ClientSettings& settings, int kind,
                                   int dpi, QWidget* parent)
    : QDialog(parent),
      channel_(channel),
      settings_(settings),
      kind_(kind >= 0 && kind < kServerLogViewCount ? kind : 0) {
    setWindowTitle(QStringLiteral("Server Log"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ApplyToolWindowLook(this, dpi);

    auto* filterLabel = new QLabel(QStringLiteral("Show"), this);
    filter_ = new QComboBox(this);
    filter_->setMinimumWidth(ScalePixels(220, dpi));
    filterLabel->setBuddy(filter_);
    connect(filter_, &QComboBox::currentIndexChanged, this, &CServerLogWindow::Refresh);
    auto* top = new QHBoxLayout;
    top->addWidget(filterLabel);
    top->addWidget(filter_);
    top->addStretch(1);

    table_ = new QTreeWidget(this);
    table_->setColumnCount(kColumnCount);
    table_->setHeaderLabels({QStringLiteral("#"), QStringLiteral("Time"), QStringLiteral("Kind"),
                             QStringLiteral("Text")});
    table_->setRootIsDecorated(false);
    table_->setAlternatingRowColors(true);
    table_->setUniformRowHeights(true);
    const auto& widths = settings_.logViewColumnWidth[static_cast<std::size_t>(kind_)];
    for (int c = 0; c < kColumnCount; ++c)
        table_->setColumnWidth(c, std::max(kNarrowestColumn, widths[kStoredWidth[c]]));
    // A time is never cut: the stored default was measured for a smaller font.
    const int timeWidth =
        table_->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00 00:00:00")) +
        ScalePixels(16, dpi);
    table_->setColumnWidth(1, std::max(table_->columnWidth(1), timeWidth));

    const RefreshCloseRow row = MakeRefreshCloseRow(this, dpi);
    message_ = row.message;
    refresh_ = row.refresh;
    close_ = row.close;
    connect(refresh_, &QPushButton::clicked, this, &CServerLogWindow::Refresh);
    QHBoxLayout* buttons = row.layout;

    auto* layout = new QVBoxLayout(this);
    const int margin = ScalePixels(16, dpi);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addLayout(top);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    resize(ScalePixels(960, dpi), ScalePixels(640, dpi));
}

QString CServerLogWindow::MessageText() const {
    return message_->text();
}

QString CServerLogWindow::KindName(std::int32_t kind) const {
    for (const ServerLogFilter& f : filters_) {
        if (f.number == kind && kind != 0)
            return FromWindows1252(f.name);
    }
    return QString::number(kind);
}

void CServerLogWindow::Load() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::string failure;
    const int code = ReadLogFilters(channel_, filters_, failure);
    // A server that names no filter still has its whole log to show.
    if (code == 0 && filters_.empty())
        filters_.push_back({0, "All"});
    {
        const QSignalBlocker quiet(filter_);
        filter_->clear();
        for (const ServerLogFilter& f : filters_)
            filter_->addItem(FromWindows1252(f.name), f.number);
        const QString kept =
            FromWindows1252(settings_.logViewFilter[static_cast<std::size_t>(kind_)]);
        const int index = filter_->findText(kept);
        filter_->setCurrentIndex(index >= 0 ? index : 0);
    }
    QApplication::restoreOverrideCursor();
    if (code != 0) {
        table_->clear();
        message_->setText(FailureLine(code, failure));
        return;
    }
    Refresh();
}

void CServerLogWindow::Refresh() {
    if (filter_->count() == 0) {
        // Without the server's filters there is nothing to ask for.
        Load();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<ServerLogEntry> entries;
    std::string failure;
    const int code = ReadServerLog(channel_, filter_->currentData().toInt(), entries, failure);
    QApplication::restoreOverrideCursor();
    if (code != 0) {
        table_->clear();
        message_->setText(FailureLine(code, failure));
        return;
    }
    ShowEntries(entries);
    message_->setText(entries.empty() ? QStringLiteral("The log is empty.") : QString());
}

void CServerLogWindow::ShowEntries(const std::vector<ServerLogEntry>& entries) {
    table_->clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(entries.size()));
    for (const ServerLogEntry& e : entries) {
        auto* row = new QTreeWidgetItem;
        row->setText(0, QString::number(e.number));
        row->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        row->setText(1, EntryTime(e.time));
        row->setText(2, KindName(e.kind));
        row->setText(3, FromWindows1252(e.text));
        rows.push_back(row);
    }
    table_->addTopLevelItems(rows);
}

bool CServerLogWindow::event(QEvent* event) {
    AppMessageEvent* message = AppMessageEvent::From(event);
    if (message == nullptr || message->Message() != AppMessage::LogAdd)
        return QDialog::event(event);
    const auto kind = static_cast<std::int32_t>(message->WParam());
    const int shown = filter_->count() > 0 ? filter_->currentData().toInt() : -1;
    auto* payload = message->PayloadAs<TextPayload>();
    if (payload != nullptr && (shown == 0 || shown == kind)) {
        auto* row = new QTreeWidgetItem;
        row->setText(1,
                     QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        row->setText(2, KindName(kind));
        row->setText(3, FromWindows1252(payload->text));
        table_->insertTopLevelItem(0, row);
        message_->clear();
    }
    return true;
}

void CServerLogWindow::done(int result) {
    const auto k = static_cast<std::size_t>(kind_);
    if (filter_->count() > 0)
        settings_.logViewFilter[k] = ToWindows1252(filter_->currentText());
    for (int c = 0; c < kColumnCount; ++c) {
        if (table_->columnWidth(c) >= kNarrowestColumn)
            settings_.logViewColumnWidth[k][kStoredWidth[c]] = table_->columnWidth(c);
    }
    QDialog::done(result);
}

void ShowServerLog(CZOLClientApp& app, QWidget* parent, int kind) {
    CServerLogWindow window(app.Channel(), app.Settings(), kind, ToolWindowDpi(), parent);
    // Lines the server pushes ("LogAdd") arrive while the window is open.
    if (CMainFrame* frame = app.MainFrame())
        frame->Registered().RegisterLogWindow(&window);
    // Modal from its first show: it is shown before it asks the server, and
    // exec() on a window already shown would leave the rest of the client
    // usable under it.
    window.setModal(true);
    window.show();
    window.Load();
    window.exec();
}

}  // namespace zol
