// CTUISystem: the control panel ("ZOL Client Control Panel") that the status
// bar opens: home modes and schedules, connect, client options, server
// status, the logs, lock and unlock, and the about box. It returns what the
// status bar turns into a main-frame command; a chosen home mode or schedule
// is set by OpenControlPanel once the panel has closed, so the request's
// wait (and any message box) runs outside the panel's modal loop.
#pragma once

#include <QDialog>

#include <optional>

#include "client/popups/control_panel_services.h"

class QVBoxLayout;
class QWidget;

namespace zol {

class CTUIKeyButton;
class CTUIOptionButton;

enum ControlPanelResult : int {
    PanelNone = 0,
    PanelConnect = 1,
    PanelReconnect = 2,
    PanelClientOptions = 3,
    PanelServerStatus = 5,
    PanelLog1 = 6,
    PanelLog2 = 7,
    PanelLog3 = 8,
};

class CTUISystem : public QDialog {
    Q_OBJECT
  public:
    CTUISystem(ControlPanelServices services, QWidget* parent = nullptr);
    ~CTUISystem() override;

    int Result() const { return result_; }
    std::optional<int> ChosenHomeMode() const { return homeMode_; }
    std::optional<int> ChosenSchedule() const { return schedule_; }

    // The command buttons by caption ("Connect" reads "Reconnect" when so shown).
    CTUIKeyButton* Command(const QString& caption) const;
    QWidget* HomeModeGroup() const { return homeModes_; }
    QWidget* ScheduleGroup() const { return schedules_; }
    CTUIOptionButton* HomeModeButton(int index) const;
    CTUIOptionButton* ScheduleButton(int index) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int Scaled(int pixels) const;
    QWidget* MakeGroup(const QString& caption, QVBoxLayout*& rows);
    void AddHomeModes(const Design& design, QVBoxLayout& rows);
    void AddSchedules(const Design& design, QVBoxLayout& rows);
    void AddCommands(QWidget& area);
    void Finish(int result);
    bool UnlockCodeAccepted();
    void Lock(LockState kind);
    void Unlock();

    ControlPanelServices services_;
    int dpi_;
    int result_ = PanelNone;
    std::optional<int> homeMode_;
    std::optional<int> schedule_;
    QWidget* homeModes_ = nullptr;
    QWidget* schedules_ = nullptr;
};

// Opens the panel modally; after it closed, sets the chosen home mode or
// schedule through the services. Returns the panel's result.
int OpenControlPanel(const ControlPanelServices& services, QWidget* parent = nullptr);

}  // namespace zol
