// CClientOptionsSheet: "ZOL Client Options", the property sheet with the
// connection, user-interface and status-bar pages (no help, no apply).
// It works on the settings only when closed with OK and every page's
// entries can be kept; Cancel changes nothing.
#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QTabWidget;

namespace zol {

class CZOLClientApp;
struct ClientSettings;
class COptionsPage;
class CSettingsConnection;
class CSettingsStatusBar;
class CSettingsUserInterface;

class CClientOptionsSheet : public QDialog {
    Q_OBJECT
  public:
    CClientOptionsSheet(ClientSettings& settings, int dpi, QWidget* parent = nullptr);

    CSettingsConnection* ConnectionPage() const { return connection_; }
    CSettingsUserInterface* UserInterfacePage() const { return userInterface_; }
    CSettingsStatusBar* StatusBarPage() const { return statusBar_; }
    QTabWidget* Tabs() const { return tabs_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    // The message line: the first entry that cannot be kept, or empty.
    QString ProblemText() const;

  public slots:
    // Keeps the dialog open, on the page and field at fault, while an entry
    // cannot be kept; otherwise writes every page into the settings.
    void accept() override;

  private:
    void ShowProblem();

    ClientSettings& settings_;
    QTabWidget* tabs_ = nullptr;
    CSettingsConnection* connection_ = nullptr;
    CSettingsUserInterface* userInterface_ = nullptr;
    CSettingsStatusBar* statusBar_ = nullptr;
    std::array<COptionsPage*, 3> pages_{};
    QLabel* problem_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// UI command 3: runs the sheet modally on the application's settings. On OK
// the settings are published to the workers and saved; the caller refreshes
// the status bar. QDialog::Accepted or QDialog::Rejected.
int ShowClientOptions(CZOLClientApp& app, QWidget* parent);

}  // namespace zol
