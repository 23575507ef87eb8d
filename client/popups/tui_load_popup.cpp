#include "client/popups/tui_load_popup.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "client/model/design_object.h"
#include "client/model/device_commands.h"
#include "client/popups/level_slider.h"
#include "client/popups/popup_style.h"
#include "client/popups/tui_key_button.h"

namespace zol {

CTUILoadPopup::CTUILoadPopup(PopupContext context, std::int32_t objectId, bool hasLoad,
                             bool isDimmable, QWidget* parent)
    : CTUIPopup(std::move(context), objectId, parent),
      hasLoad_(hasLoad),
      isDimmable_(hasLoad && isDimmable) {}

void CTUILoadPopup::AddLoadControls(QVBoxLayout& body, const DesignObject& object,
                                    bool offBySlider) {
    if (!hasLoad_)
        return;
    tracker_.emplace(object.level, offBySlider);
    if (body.count() > 0) {
        // The load's own controls stand apart from the keys above them.
        auto* rule = new QFrame(this);
        rule->setFrameShape(QFrame::HLine);
        rule->setFrameShadow(QFrame::Sunken);
        body.addWidget(rule);
    }
    auto* row = new QHBoxLayout();
    row->setSpacing(Scaled(kPopupSpacing));
    on_ = new CTUIKeyButton(QStringLiteral("ON"), kKeyWidth, kKeyHeight, Dpi(), this);
    on_->setObjectName(QStringLiteral("ON"));
    off_ = new CTUIKeyButton(QStringLiteral("OFF"), kKeyWidth, kKeyHeight, Dpi(), this);
    off_->setObjectName(QStringLiteral("OFF"));
    row->addWidget(on_);
    row->addWidget(off_);
    body.addLayout(row);
    connect(on_, &QAbstractButton::clicked, this, [this] { PressOn(); });
    connect(off_, &QAbstractButton::clicked, this, [this] { PressOff(); });
    if (!isDimmable_)
        return;
    slider_ = new CLevelSlider(Dpi(), this);
    slider_->ShowLevel(object.level);
    body.addWidget(slider_);
    connect(slider_, &CLevelSlider::LevelChosen, this, [this](int level) { ChooseLevel(level); });
}

void CTUILoadPopup::PressOn() {
    RestartCloseTimer();
    if (!Send([](DeviceCommands& c, const DesignObject& o) { return c.TurnOn(o); }))
        return;
    if (tracker_)
        tracker_->Switched(100);
    if (slider_)
        slider_->ShowLevel(100);
}

void CTUILoadPopup::PressOff() {
    RestartCloseTimer();
    if (!Send([](DeviceCommands& c, const DesignObject& o) { return c.TurnOff(o); }))
        return;
    if (tracker_)
        tracker_->Switched(0);
    if (slider_)
        slider_->ShowLevel(0);
}

void CTUILoadPopup::ChooseLevel(int level) {
    RestartCloseTimer();
    if (!tracker_)
        return;
    const std::optional<DimStep> step = tracker_->Move(level);
    if (!step)
        return;
    Send([&step](DeviceCommands& c, const DesignObject& o) {
        switch (step->kind) {
            case DimStep::TurnOff:
                return c.TurnOff(o);
            case DimStep::DimTo:
                return c.DimToPercent(o, step->percent);
            case DimStep::DimUp:
                return c.DimUpPercent(o, step->percent);
            case DimStep::DimDown:
                return c.DimDownPercent(o, step->percent);
        }
        return 0;
    });
}

void CTUILoadPopup::FollowLevel(const DesignObject& object) {
    if (tracker_)
        tracker_->Reset(object.level);
    if (slider_)
        slider_->ShowLevel(object.level);
}

}  // namespace zol
