// CServerLogWindow: UI command 12, modal. The server's log, newest first,
// with the filters the server offers ("GetLogFilters") and a refresh. A
// server that keeps no log (-104) or answers with something unreadable
// leaves the table empty and says so in one line.
//
// There are three log views (kind 0, 1, 2); each keeps its filter in
// Log<n>ViewFilter and its column widths in Log<n>ViewColumnWidth<i>.
#pragma once

#include <QDialog>

#include <vector>

#include "client/toolwindows/server_log_request.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace zol {

class CZOLClientApp;
struct ClientSettings;
class RequestChannel;

inline constexpr int kServerLogViewCount = 3;

class CServerLogWindow : public QDialog {
    Q_OBJECT
  public:
    // A kind outside 0 to 2 is view 0.
    CServerLogWindow(RequestChannel& channel, ClientSettings& settings, int kind, int dpi,
                     QWidget* parent = nullptr);

    // Asks for the filters, then the log of the chosen one.
    void Load();
    // Asks for the log of the chosen filter again.
    void Refresh();

    int Kind() const { return kind_; }
    QComboBox* FilterBox() const { return filter_; }
    QTreeWidget* Table() const { return table_; }
    QString MessageText() const;

  protected:
    // A line the server announces while the window is open ("LogAdd",
    // wParam its kind, the text as payload) goes on top when the filter
    // shows its kind.
    bool event(QEvent* event) override;

  public slots:
    // Keeps the filter and the column widths in the settings.
    void done(int result) override;

  private:
    void ShowEntries(const std::vector<ServerLogEntry>& entries);
    QString KindName(std::int32_t kind) const;

    RequestChannel& channel_;
    ClientSettings& settings_;
    int kind_;
    std::vector<ServerLogFilter> filters_;
    QComboBox* filter_ = nullptr;
    QTreeWidget* table_ = nullptr;
    QLabel* message_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QPushButton* close_ = nullptr;
};

// UI command 12 with its argument as the kind.
void ShowServerLog(CZOLClientApp& app, QWidget* parent, int kind);

}  // namespace zol
