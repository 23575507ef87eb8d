#include "client/popups/tui_thermostat.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

#include "client/model/alert_kind.h"
#include "client/model/design_object.h"
#include "client/model/user_reporter.h"
#include "client/popups/popup_style.h"
#include "client/popups/tui_button.h"
#include "client/popups/tui_key_button.h"
#include "guibase/windows1252_text.h"

namespace zol {
namespace {

constexpr int kChoiceWidth = 120;
constexpr int kFieldWidth = 110;
constexpr int kCaptionWidth = 90;
constexpr int kValuePixels = 34;

QLabel* MakeCaption(const QString& text, int pixels, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setPixelSize(pixels);
    f.setBold(true);
    label->setFont(f);
    return label;
}

}  // namespace

CTUIThermostat::CTUIThermostat(PopupContext context, std::int32_t objectId, PopupLayout layout,
                               QWidget* parent)
    : CTUIPopup(std::move(context), objectId, parent) {
    switch (layout) {
        case PopupLayout::ThermostatTHMF:
            hasFan_ = hasMode_ = hasHeat_ = true;
            hasCool_ = false;
            break;
        case PopupLayout::ThermostatTHCM:
            hasMode_ = hasHeat_ = hasCool_ = true;
            hasFan_ = false;
            break;
        case PopupLayout::ThermostatTHCMF:
            hasFan_ = hasMode_ = hasHeat_ = hasCool_ = true;
            break;
        default:
            temperatureOnly_ = true;
            hasFan_ = hasMode_ = hasHeat_ = hasCool_ = false;
            break;
    }
}

QWidget* CTUIThermostat::MakeSetPointRow(const QString& caption, QLabel*& field, CTUIButton*& up,
                                         CTUIButton*& down, const std::function<void(int)>& step) {
    auto* row = new QWidget(controls_);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(Scaled(kPopupSpacing));
    QLabel* label = MakeCaption(caption, Scaled(kLabelPixels + 3), row);
    label->setFixedWidth(Scaled(kCaptionWidth));
    line->addWidget(label);
    down = new CTUIButton(Dpi(), row);
    down->setFixedSize(Scaled(kMinTouchTarget), Scaled(kMinTouchTarget));
    down->setObjectName(caption + QStringLiteral(" down"));
    line->addWidget(down);
    field = MakeCaption(QString(), Scaled(kValuePixels), row);
    field->setObjectName(caption + QStringLiteral(" field"));
    field->setAlignment(Qt::AlignCenter);
    field->setFixedWidth(Scaled(kFieldWidth));
    line->addWidget(field);
    up = new CTUIButton(Dpi(), row);
    up->setFixedSize(Scaled(kMinTouchTarget), Scaled(kMinTouchTarget));
    up->setObjectName(caption + QStringLiteral(" up"));
    line->addWidget(up);
    line->addStretch(1);
    connect(up, &QAbstractButton::clicked, this, [step] { step(+1); });
    connect(down, &QAbstractButton::clicked, this, [step] { step(-1); });
    return row;
}

bool CTUIThermostat::BuildBody(QVBoxLayout& body, const DesignObject&) {
    temperature_ = MakeCaption(temperatureOnly_ ? QStringLiteral("Current Temperature Unknown")
                                                : QStringLiteral("Current Temperature ---"),
                               Scaled(kLabelPixels + 5), this);
    temperature_->setObjectName(QStringLiteral("temperature"));
    body.addWidget(temperature_);
    controls_ = new QWidget(this);
    auto* rows = new QVBoxLayout(controls_);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(Scaled(kPopupSpacing));
    body.addWidget(controls_);

    const auto choiceRow = [this](const QString& caption, const QStringList& choices,
                                  QButtonGroup*& group, const std::function<void(int)>& choose) {
        auto* row = new QWidget(controls_);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(Scaled(kPopupSpacing / 2));
        QLabel* label = MakeCaption(caption, Scaled(kLabelPixels + 3), row);
        label->setFixedWidth(Scaled(kCaptionWidth));
        line->addWidget(label);
        group = new QButtonGroup(row);
        group->setExclusive(true);
        for (int i = 0; i < choices.size(); ++i) {
            auto* button = new CTUIKeyButton(choices[i], kChoiceWidth, kKeyHeight, Dpi(), row);
            button->setObjectName(caption + choices[i]);
            button->setCheckable(true);
            group->addButton(button, i);
            line->addWidget(button);
        }
        line->addStretch(1);
        // A click on the checked choice chooses it again, as a radio button does.
        connect(group, &QButtonGroup::idClicked, this, choose);
        return row;
    };
    modeRow_ = choiceRow(QStringLiteral("Mode:"),
                         {QStringLiteral("Off"), QStringLiteral("Heat"), QStringLiteral("Cool"),
                          QStringLiteral("Auto")},
                         modeGroup_, [this](int mode) { ChooseMode(mode); });
    fanRow_ = choiceRow(QStringLiteral("Fan:"), {QStringLiteral("On"), QStringLiteral("Off")},
                        fanGroup_, [this](int fan) { ChooseFan(fan); });
    heatRow_ = MakeSetPointRow(QStringLiteral("Heat"), heatField_, heatUp_, heatDown_,
                               [this](int d) { StepHeat(d); });
    coolRow_ = MakeSetPointRow(QStringLiteral("Cool"), coolField_, coolUp_, coolDown_,
                               [this](int d) { StepCool(d); });
    rows->addWidget(modeRow_);
    rows->addWidget(fanRow_);
    rows->addWidget(heatRow_);
    rows->addWidget(coolRow_);
    modeRow_->setVisible(hasMode_);
    fanRow_->setVisible(hasFan_);
    heatRow_->setVisible(hasHeat_);
    coolRow_->setVisible(hasCool_);
    controls_->setVisible(!temperatureOnly_);
    ShowSetPointButtons(heatUp_, heatDown_, heatField_, false);
    ShowSetPointButtons(coolUp_, coolDown_, coolField_, false);

    QPointer<CTUIThermostat> self(this);
    ReadState();
    return !self.isNull() && !IsClosing();
}

void CTUIThermostat::ReadState() {
    ThermostatReading reading;
    const std::optional<int> result = Send([&reading](DeviceCommands& c, const DesignObject& o) {
        return c.ReadThermostat(o, reading);
    });
    if (!result)
        return;
    if (*result != 0) {
        readOk_ = false;
        mode_ = 0;
        ShowMode();
        ShowProblem("retrieving state", reading.extraText);
        return;
    }
    readOk_ = true;
    heatSetPoint_ = reading.heatSetpoint;
    heatMax_ = reading.heatSetpointHigh;
    heatMin_ = reading.heatSetpointLow;
    coolSetPoint_ = reading.coolSetpoint;
    coolMax_ = reading.coolSetpointHigh;
    coolMin_ = reading.coolSetpointLow;
    currentTemperature_ = reading.currentTemperature;
    mode_ = reading.mode;
    fan_ = reading.fan;
    celsius_ = reading.celsius != 0;
    heatEnabled_ = heatSetPoint_ != -1;
    coolEnabled_ = coolSetPoint_ != -1;
    heatPending_ = coolPending_ = false;
    ShowState();
}

void CTUIThermostat::ShowSetPointButtons(CTUIButton* up, CTUIButton* down, QLabel* field,
                                         bool enabled) {
    up->LoadSlotImage(enabled ? "up.png" : "upDisabled.png", 0);
    down->LoadSlotImage(enabled ? "down.png" : "downDisabled.png", 0);
    up->setEnabled(enabled);
    down->setEnabled(enabled);
    field->setEnabled(enabled);
}

void CTUIThermostat::ShowState() {
    if (hasHeat_)
        ShowSetPointButtons(heatUp_, heatDown_, heatField_, heatEnabled_);
    if (hasCool_)
        ShowSetPointButtons(coolUp_, coolDown_, coolField_, coolEnabled_);
    if (currentTemperature_ != -1) {
        // The degree sign is the code page's single byte 0xB0.
        const std::string degrees =
            std::to_string(currentTemperature_) + (celsius_ ? "\xB0 C" : "\xB0 F");
        temperature_->setText(FromWindows1252("Current temperature: " + degrees));
    }
    heatField_->setText(heatSetPoint_ == -1 ? QString() : QString::number(heatSetPoint_));
    coolField_->setText(coolSetPoint_ == -1 ? QString() : QString::number(coolSetPoint_));
    ShowMode();
    if (QAbstractButton* fan = fanGroup_->button(fan_))
        fan->setChecked(true);
}

void CTUIThermostat::ShowMode() {
    if (QAbstractButton* button = mode_ >= 0 && mode_ <= 3 ? modeGroup_->button(mode_) : nullptr) {
        button->setChecked(true);
        return;
    }
    // A mode the radio group does not know checks none of its buttons.
    modeGroup_->setExclusive(false);
    for (QAbstractButton* b : modeGroup_->buttons())
        b->setChecked(false);
    modeGroup_->setExclusive(true);
}

void CTUIThermostat::Step(int& setPoint, int minimum, int maximum, bool enabled, bool& pending,
                          QLabel* field, int delta) {
    RestartCloseTimer();
    if (!enabled || waiting_)
        return;
    // Compared with < and >: a set point reported beyond its bound never
    // moves further out.
    if (delta > 0 && setPoint < maximum)
        ++setPoint;
    else if (delta < 0 && setPoint > minimum)
        --setPoint;
    else
        return;
    field->setText(QString::number(setPoint));
    pending = true;
    Timers().StartOneShot(kSetPointTimerId, std::chrono::milliseconds(kSetPointDelayMs),
                          [this] { SendPending(); });
}

void CTUIThermostat::StepHeat(int delta) {
    Step(heatSetPoint_, heatMin_, heatMax_, heatEnabled_, heatPending_, heatField_, delta);
}

void CTUIThermostat::StepCool(int delta) {
    Step(coolSetPoint_, coolMin_, coolMax_, coolEnabled_, coolPending_, coolField_, delta);
}

bool CTUIThermostat::SendPending() {
    Timers().Stop(kSetPointTimerId);
    QPointer<CTUIThermostat> self(this);
    if (heatPending_) {
        heatPending_ = false;
        Change(ThermostatHeatSetpoint, heatSetPoint_, "changing Heat Setpoint");
        if (!self)
            return false;
    }
    if (coolPending_) {
        coolPending_ = false;
        Change(ThermostatCoolSetpoint, coolSetPoint_, "changing Cool Setpoint");
        if (!self)
            return false;
    }
    return true;
}

bool CTUIThermostat::Change(ThermostatSetting what, int value, const char* action) {
    std::string report;
    const std::optional<int> result = Send([&](DeviceCommands& c, const DesignObject& o) {
        return c.ChangeThermostat(o, what, value, report);
    });
    if (!result)
        return false;
    if (*result != 0) {
        ShowProblem(action, report);
        return false;
    }
    return true;
}

void CTUIThermostat::ChooseMode(int mode) {
    RestartCloseTimer();
    if (waiting_)
        return;
    // Pending set points go first: the re-read below would show the old ones.
    if (!SendPending())
        return;
    mode_ = mode;
    if (!Change(ThermostatMode, mode, "changing Mode"))
        return;
    waiting_ = true;
    controls_->setEnabled(false);
    Timers().StartOneShot(kModeRereadTimerId, std::chrono::milliseconds(kModeRereadDelayMs),
                          [this] {
                              waiting_ = false;
                              controls_->setEnabled(true);
                              ReadState();
                          });
}

void CTUIThermostat::ChooseFan(int fan) {
    RestartCloseTimer();
    if (waiting_)
        return;
    fan_ = fan;
    // "On" is 0 and "Off" 1 on the wire, as the radio index.
    Change(ThermostatFan, fan, "changing Fan");
}

void CTUIThermostat::ShowProblem(const char* action, const std::string& report) {
    const DesignObject* object = Object();
    UserReporter* reporter = Context().services.reporter;
    if (object == nullptr || reporter == nullptr)
        return;
    std::string text =
        "Problem when communicating with " + FullObjectName(*object) + " when " + action;
    text += report.empty() ? "." : ". Thermostat reports: " + report;
    reporter->ShowAlert(AlertProblem, text);
}

void CTUIThermostat::BeforeClose() {
    Timers().Stop(kModeRereadTimerId);
    SendPending();
}

}  // namespace zol
