// CTUIThermostat: the thermostat pop-up. It reads the thermostat's state
// when it opens and shows the temperature, the heat and cool set points
// with up and down buttons, and the mode and fan choices, as the template's
// layout has them. Set-point presses are collected and sent a second after
// the last one, before a mode change, and on every close; mode and fan
// changes go at once. After a mode change it waits three seconds (input
// off) and reads the state again, to show what the thermostat accepted.
// It neither closes by itself nor follows object changes.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "client/display/popup_template.h"
#include "client/model/device_commands.h"
#include "client/popups/tui_popup.h"

class QButtonGroup;
class QLabel;
class QWidget;

namespace zol {

class CTUIButton;
class CTUIKeyButton;

inline constexpr int kSetPointTimerId = 16;
inline constexpr int kModeRereadTimerId = 17;
inline constexpr int kSetPointDelayMs = 1000;
inline constexpr int kModeRereadDelayMs = 3000;

class CTUIThermostat : public CTUIPopup {
    Q_OBJECT
  public:
    CTUIThermostat(PopupContext context, std::int32_t objectId, PopupLayout layout,
                   QWidget* parent = nullptr);

    // The person's actions.
    void StepHeat(int delta);
    void StepCool(int delta);
    void ChooseMode(int mode);
    void ChooseFan(int fan);  // 0 "On", 1 "Off"

    int HeatSetPoint() const { return heatSetPoint_; }
    int CoolSetPoint() const { return coolSetPoint_; }
    int Mode() const { return mode_; }
    int Fan() const { return fan_; }
    bool Waiting() const { return waiting_; }

    QLabel* TemperatureLine() const { return temperature_; }
    QLabel* HeatField() const { return heatField_; }
    QLabel* CoolField() const { return coolField_; }
    CTUIButton* HeatUp() const { return heatUp_; }
    CTUIButton* HeatDown() const { return heatDown_; }
    CTUIButton* CoolUp() const { return coolUp_; }
    CTUIButton* CoolDown() const { return coolDown_; }
    QButtonGroup* ModeButtons() const { return modeGroup_; }
    QButtonGroup* FanButtons() const { return fanGroup_; }
    QWidget* ModeRow() const { return modeRow_; }
    QWidget* FanRow() const { return fanRow_; }
    QWidget* HeatRow() const { return heatRow_; }
    QWidget* CoolRow() const { return coolRow_; }

  protected:
    bool RegistersAsOpenPopup() const override { return false; }
    bool AutoCloses() const override { return false; }
    bool BuildBody(QVBoxLayout& body, const DesignObject& object) override;
    void BeforeClose() override;

  private:
    void ReadState();
    void ShowState();
    void ShowSetPointButtons(CTUIButton* up, CTUIButton* down, QLabel* field, bool enabled);
    void ShowMode();
    // Sends pending set points; false when the pop-up went meanwhile.
    bool SendPending();
    // One change; false when it failed or the pop-up went.
    bool Change(ThermostatSetting what, int value, const char* action);
    void ShowProblem(const char* action, const std::string& report);
    void Step(int& setPoint, int minimum, int maximum, bool enabled, bool& pending, QLabel* field,
              int delta);
    QWidget* MakeSetPointRow(const QString& caption, QLabel*& field, CTUIButton*& up,
                             CTUIButton*& down, const std::function<void(int)>& step);

    bool hasFan_ = false;
    bool hasMode_ = false;
    bool hasHeat_ = true;
    bool hasCool_ = true;
    bool temperatureOnly_ = false;
    int heatSetPoint_ = 68;
    int coolSetPoint_ = 68;
    int heatMin_ = 40;
    int heatMax_ = 100;
    int coolMin_ = 40;
    int coolMax_ = 100;
    bool heatEnabled_ = false;
    bool coolEnabled_ = false;
    int currentTemperature_ = -1;
    int mode_ = 0;
    int fan_ = 0;
    bool celsius_ = false;
    bool heatPending_ = false;
    bool coolPending_ = false;
    bool readOk_ = false;
    bool waiting_ = false;

    QLabel* temperature_ = nullptr;
    QWidget* controls_ = nullptr;
    QWidget* modeRow_ = nullptr;
    QWidget* fanRow_ = nullptr;
    QWidget* heatRow_ = nullptr;
    QWidget* coolRow_ = nullptr;
    QButtonGroup* modeGroup_ = nullptr;
    QButtonGroup* fanGroup_ = nullptr;
    QLabel* heatField_ = nullptr;
    QLabel* coolField_ = nullptr;
    CTUIButton* heatUp_ = nullptr;
    CTUIButton* heatDown_ = nullptr;
    CTUIButton* coolUp_ = nullptr;
    CTUIButton* coolDown_ = nullptr;
};

}  // namespace zol
