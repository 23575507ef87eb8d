// CServerStatusWindow: UI command 11, modal. What "GetServerStatus" and the
// extended status report, readable at a glance: the server's state as a
// coloured badge, its clock, up-time, sunrise and sunset, the design
// inspector's counts, the home mode and schedule, and the extended status
// lines in a table of Id, Time and Text. It asks the server when opened and
// on Refresh; a pushed extended status can be fed in while it is open.
//
// The table's column widths are the settings ServerStatusColWidthId, ...Time
// and ...Text; the window's own layout is kept under kServerStatusLayoutKey.
#pragma once

#include <QDialog>

#include "client/model/request_catalogue.h"
#include "client/toolwindows/extended_status.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace zol {

class CZOLClientApp;
struct ClientSettings;
class RegistryStore;
class RequestChannel;

inline constexpr const char* kServerStatusLayoutKey =
    "Software\\Tarnwell\\ZOLClient\\Dialogs\\ServerStatus";

class CServerStatusWindow : public QDialog {
    Q_OBJECT
  public:
    CServerStatusWindow(RequestChannel& channel, ClientSettings& settings, int dpi,
                        QWidget* parent = nullptr);
    ~CServerStatusWindow() override;

    // The window while one is open (null otherwise), for the push dispatch
    // to hand it a pushed extended status. User-interface thread only.
    static CServerStatusWindow* OpenWindow();

    // Names for the home mode and schedule numbers (the loaded design).
    void SetDesign(const Design* design) { design_ = design; }
    // Where the window's layout is kept (null: not kept).
    void SetLayoutStore(RegistryStore* store);

    // Asks the server for both statuses and shows them; a failure is named
    // in the message line and keeps what was shown.
    void Refresh();
    void ShowServerStatus(const ServerStatus& status);
    void ShowExtendedStatus(const ExtendedStatusReport& report);

    QTreeWidget* Table() const { return table_; }
    QString StateText() const;
    QString MessageText() const;
    QPushButton* RefreshButton() const { return refresh_; }
    // The value shown for a fact ("Server time", "Home mode", ...); empty
    // when there is no such fact.
    QString FactText(const QString& name) const;

  public slots:
    // Keeps the column widths in the settings and the layout in the store.
    void done(int result) override;

  private:
    QLabel* AddFact(const QString& name, int row, int column);

    RequestChannel& channel_;
    ClientSettings& settings_;
    int dpi_;
    const Design* design_ = nullptr;
    RegistryStore* layoutStore_ = nullptr;
    QLabel* state_ = nullptr;
    QLabel* title_ = nullptr;
    QWidget* facts_ = nullptr;
    QTreeWidget* table_ = nullptr;
    QLabel* message_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QPushButton* close_ = nullptr;
};

// UI command 11: opens the window on the application's link and settings,
// asks the server, runs it modally.
void ShowServerStatus(CZOLClientApp& app, QWidget* parent);

}  // namespace zol
