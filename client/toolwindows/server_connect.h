// CServerConnect: the window shown while the client connects. Eight stages,
// each with a picture of its state (not begun, failed, succeeded, under way,
// skipped), a header line naming where the client connects to, and six
// message lines: the failure text (in up to three lines) or the five
// information lines. It is modeless; the connect sequence feeds it with
// WM_APP+0x0C (stage state) and WM_APP+0x0D (text) and closes it according
// to its close mode. Timer 10 closes it "AutoCloseConnectDialogTime"
// seconds after the last text when "AutoCloseConnectDialog" is on.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QTimer>

#include <array>

#include "client/core/connect_progress.h"

class QLabel;
class QPushButton;

namespace zol {

struct ConnectDialogOptions {
    bool autoClose = false;
    int autoCloseSeconds = 0;  // 0 or less: no automatic closing
    int dpi = 96;
};

class CServerConnect : public QDialog, public ConnectProgress {
    Q_OBJECT
  public:
    explicit CServerConnect(const ConnectDialogOptions& options, QWidget* parent = nullptr);

    void SetHeader(const QString& header);

    // ConnectProgress: sends the application messages to itself, so the
    // window changes before the call returns.
    void ReportStage(int stage, StageState state) override;
    void ReportText(int line, const std::string& text) override;

    StageState StateOf(int stage) const { return states_.at(static_cast<std::size_t>(stage)); }
    QString MessageLine(int line) const;  // 1 to 6
    QString Header() const;
    bool AutoCloseRunning() const { return autoCloseTimer_.isActive(); }

    // The header line for a connection: via the relay, by host name, or by address.
    static QString HeaderFor(bool viaRelay, const std::string& hostName, std::uint32_t address,
                             int port);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void ShowText(int line, const QString& text);
    void SetLine(int index, const QString& text, bool failure);

    ConnectDialogOptions options_;
    std::array<QPixmap, 6> pictures_;
    std::array<QWidget*, kConnectStages> stageSpots_{};
    std::array<StageState, kConnectStages> states_{};
    QWidget* logoSpot_ = nullptr;
    QLabel* header_ = nullptr;
    std::array<QLabel*, 6> lines_{};
    QPushButton* close_ = nullptr;
    QTimer autoCloseTimer_;  // timer 10
};

}  // namespace zol
