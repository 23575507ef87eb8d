#include "client/toolwindows/server_status_window.h"

#include <QApplication>
#include <QDate>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "client/core/client_settings.h"
#include "client/core/zol_client_app.h"
#include "client/core/zol_client_doc.h"
#include "client/model/server_error.h"
#include "client/toolwindows/dialog_layout.h"
#include "client/toolwindows/tool_window_look.h"
#include "guibase/dpi_scale.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

CServerStatusWindow* gOpenWindow = nullptr;

// Widths that could not show a column are not kept.
constexpr int kNarrowestColumn = 20;

struct StateLook {
    const char* text;
    const char* background;
    const char* foreground;
};

// The window's state as the main window keeps it: 2 warning, 3 fault,
// anything else normal.
StateLook LookOfState(std::int32_t state) {
    if (state == 2)
        return {"Warning", "#F2C200", "#1E2A33"};
    if (state == 3)
        return {"Fault", "#C62828", "#FFFFFF"};
    return {"Normal", "#2E7D32", "#FFFFFF"};
}

QString DateTimeText(const FieldDateTimeValue& value) {
    if (!value.valid)
        return QStringLiteral("\u2014");
    const QDateTime when(QDate(value.year, value.month, value.day),
                         QTime(value.hour, value.minute, value.second));
    return QLocale().toString(when, QLocale::ShortFormat);
}

QString TimeText(const FieldDateTimeValue& value) {
    if (!value.valid)
        return QStringLiteral("\u2014");
    return QLocale().toString(QTime(value.hour, value.minute, value.second), QLocale::ShortFormat);
}

QString Plural(int n, const char* one, const char* many) {
    return n == 1 ? QStringLiteral("1 %1").arg(QLatin1String(one))
                  : QStringLiteral("%1 %2").arg(n).arg(QLatin1String(many));
}

}  // namespace

CServerStatusWindow::CServerStatusWindow(RequestChannel& channel, ClientSettings& settings, int dpi,
                                         QWidget* parent)
    : QDialog(parent), channel_(channel), settings_(settings), dpi_(dpi) {
    gOpenWindow = this;
    setWindowTitle(QStringLiteral("Server Status"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ApplyToolWindowLook(this, dpi);

    auto* heading = new QLabel(QStringLiteral("ZOL Server"), this);
    heading->setObjectName(QStringLiteral("heading"));
    state_ = new QLabel(this);
    state_->setAlignment(Qt::AlignCenter);
    state_->setMinimumSize(ScalePixels(140, dpi), ScalePixels(kTouchHeight - 6, dpi));
    state_->setProperty("fact", true);
    auto* top = new QHBoxLayout;
    top->addWidget(heading, 1);
    top->addWidget(state_);

    facts_ = new QWidget(this);
    auto* factGrid = new QGridLayout(facts_);
    factGrid->setContentsMargins(0, 0, 0, 0);
    factGrid->setHorizontalSpacing(ScalePixels(16, dpi));
    factGrid->setColumnStretch(1, 1);
    factGrid->setColumnStretch(3, 1);
    const char* const left[] = {"Server time", "Up since", "Up time", "Design inspector"};
    const char* const right[] = {"Sunrise", "Sunset", "Home mode", "Schedule"};
    for (int i = 0; i < 4; ++i) {
        AddFact(QString::fromLatin1(left[i]), i, 0);
        AddFact(QString::fromLatin1(right[i]), i, 2);
    }

    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("heading"));
    table_ = new QTreeWidget(this);
    table_->setColumnCount(3);
    table_->setHeaderLabels({QStringLiteral("Id"), QStringLiteral("Time"), QStringLiteral("Text")});
    table_->setRootIsDecorated(false);
    table_->setAlternatingRowColors(true);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setColumnWidth(0, settings_.serverStatusColWidthId);
    table_->setColumnWidth(1, settings_.serverStatusColWidthTime);
    table_->setColumnWidth(2, settings_.serverStatusColWidthText);

    const RefreshCloseRow row = MakeRefreshCloseRow(this, dpi);
    message_ = row.message;
    refresh_ = row.refresh;
    close_ = row.close;
    connect(refresh_, &QPushButton::clicked, this, &CServerStatusWindow::Refresh);
    QHBoxLayout* buttons = row.layout;

    auto* layout = new QVBoxLayout(this);
    const int margin = ScalePixels(16, dpi);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addLayout(top);
    layout->addWidget(facts_);
    layout->addSpacing(ScalePixels(8, dpi));
    layout->addWidget(title_);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    resize(ScalePixels(820, dpi), ScalePixels(620, dpi));
    // Until the server answers nothing is known.
    state_->setText(QStringLiteral("Unknown"));
    state_->setStyleSheet(
        QStringLiteral("background: #C9D2DB; color: #1E2A33; border-radius: %1px;")
            .arg(ScalePixels(8, dpi)));
}

CServerStatusWindow::~CServerStatusWindow() {
    if (gOpenWindow == this)
        gOpenWindow = nullptr;
}

CServerStatusWindow* CServerStatusWindow::OpenWindow() {
    return gOpenWindow;
}

QLabel* CServerStatusWindow::AddFact(const QString& name, int row, int column) {
    auto* grid = static_cast<QGridLayout*>(facts_->layout());
    auto* label = new QLabel(name, facts_);
    label->setStyleSheet(QStringLiteral("color: #5A6B78;"));
    auto* value = new QLabel(facts_);
    value->setObjectName(name);
    value->setProperty("fact", true);
    value->setMinimumHeight(ScalePixels(30, dpi_));
    grid->addWidget(label, row, column);
    grid->addWidget(value, row, column + 1);
    return value;
}

QString CServerStatusWindow::FactText(const QString& name) const {
    const auto* value = facts_->findChild<QLabel*>(name);
    return value != nullptr ? value->text() : QString();
}

void CServerStatusWindow::SetLayoutStore(RegistryStore* store) {
    layoutStore_ = store;
    if (layoutStore_ != nullptr)
        RestoreDialogLayout(*layoutStore_, kServerStatusLayoutKey, this);
}

QString CServerStatusWindow::StateText() const {
    return state_->text();
}

QString CServerStatusWindow::MessageText() const {
    return message_->text();
}

void CServerStatusWindow::ShowServerStatus(const ServerStatus& status) {
    const StateLook look = LookOfState(status.state);
    state_->setText(QString::fromLatin1(look.text));
    state_->setStyleSheet(QStringLiteral("background: %1; color: %2; border-radius: %3px;")
                              .arg(QLatin1String(look.background), QLatin1String(look.foreground))
                              .arg(ScalePixels(8, dpi_)));
    auto set = [this](const char* name, const QString& text) {
        if (auto* value = facts_->findChild<QLabel*>(QString::fromLatin1(name)))
            value->setText(text);
    };
    set("Server time", DateTimeText(status.snapshot.serverTime));
    set("Up since", DateTimeText(status.snapshot.upSince));
    set("Sunrise", TimeText(status.snapshot.sunrise));
    set("Sunset", TimeText(status.snapshot.sunset));
    const int red = status.numbers[0];
    const int yellow = status.numbers[1];
    set("Design inspector", red == 0 && yellow == 0
                                ? QStringLiteral("no messages")
                                : Plural(red, "red", "red") + QStringLiteral(", ") +
                                      Plural(yellow, "yellow", "yellow"));
    const std::int32_t mode = status.numbers[2];
    const std::int32_t schedule = status.numbers[3];
    QString modeText = QString::number(mode);
    QString scheduleText = QString::number(schedule);
    if (design_ != nullptr) {
        if (mode >= 0 && mode < design_->homeModeCount &&
            static_cast<std::size_t>(mode) < design_->homeModeNames.size()) {
            modeText = FromWindows1252(design_->homeModeNames[static_cast<std::size_t>(mode)]);
        }
        for (std::int32_t i = 0; i < design_->scheduleCount; ++i) {
            if (design_->scheduleNumbers[static_cast<std::size_t>(i)] == schedule)
                scheduleText = FromWindows1252(design_->scheduleNames[static_cast<std::size_t>(i)]);
        }
    }
    set("Home mode", modeText);
    set("Schedule", scheduleText);
}

void CServerStatusWindow::ShowExtendedStatus(const ExtendedStatusReport& report) {
    if (auto* value = facts_->findChild<QLabel*>(QStringLiteral("Up time")))
        value->setText(report.upTime.empty() ? QStringLiteral("\u2014")
                                             : FromWindows1252(report.upTime));
    QString title = FromWindows1252(report.title);
    if (!report.firstDate.empty() || !report.secondDate.empty()) {
        title += QStringLiteral("   %1 \u2013 %2")
                     .arg(FromWindows1252(report.firstDate), FromWindows1252(report.secondDate));
    }
    title_->setText(title);
    table_->clear();
    const QString time = TimeText(report.serverTime);
    int id = 0;
    for (const std::string& line : report.lines) {
        auto* row = new QTreeWidgetItem(table_);
        row->setText(0, QString::number(++id));
        row->setText(1, time);
        if (line.rfind('-', 0) == 0) {
            // A section row ("---Monday"): its name without the dashes, bold.
            row->setText(2, FromWindows1252(line.size() > 3 ? line.substr(3) : std::string()));
            QFont bold = row->font(2);
            bold.setBold(true);
            row->setFont(2, bold);
            continue;
        }
        const std::size_t comma = line.find(',');
        row->setText(2, comma == std::string::npos
                            ? FromWindows1252(line)
                            : FromWindows1252(line.substr(0, comma)) + QStringLiteral(": ") +
                                  FromWindows1252(line.substr(comma + 1)));
    }
}

void CServerStatusWindow::Refresh() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::string failure;
    ServerStatus status;
    if (ReadServerStatus(channel_, status, failure) == 0) {
        ShowServerStatus(status);
        message_->clear();
    } else {
        message_->setText(FromWindows1252(failure));
    }
    ExtendedStatusReport report;
    std::string extFailure;
    const int code = ReadExtendedStatus(channel_, report, extFailure);
    if (code == 0) {
        ShowExtendedStatus(report);
    } else if (code != kServerUnknownRequest && message_->text().isEmpty()) {
        // A server without the extended status simply has none to show.
        message_->setText(FromWindows1252(extFailure));
    }
    QApplication::restoreOverrideCursor();
}

void CServerStatusWindow::done(int result) {
    const auto keep = [this](int column, std::int32_t& setting) {
        if (table_->columnWidth(column) >= kNarrowestColumn)
            setting = table_->columnWidth(column);
    };
    keep(0, settings_.serverStatusColWidthId);
    keep(1, settings_.serverStatusColWidthTime);
    keep(2, settings_.serverStatusColWidthText);
    if (layoutStore_ != nullptr)
        SaveDialogLayout(*layoutStore_, kServerStatusLayoutKey, this);
    QDialog::done(result);
}

void ShowServerStatus(CZOLClientApp& app, QWidget* parent) {
    CServerStatusWindow window(app.Channel(), app.Settings(), ToolWindowDpi(), parent);
    if (app.Document() != nullptr)
        window.SetDesign(&app.Document()->GetDesign());
    window.SetLayoutStore(&app.Store());
    // Modal from its first show: it is shown before it asks the server, and
    // exec() on a window already shown would leave the rest of the client
    // usable under it.
    window.setModal(true);
    window.show();
    window.Refresh();
    window.exec();
}

}  // namespace zol
