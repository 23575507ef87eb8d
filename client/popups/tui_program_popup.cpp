#include "client/popups/tui_program_popup.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "client/model/design_object.h"
#include "client/model/device_commands.h"
#include "client/popups/popup_style.h"
#include "client/popups/tui_key_button.h"

namespace zol {

bool CTUIProgramPopup::BuildBody(QVBoxLayout& body, const DesignObject& object) {
    runningAtOpen_ = object.level != 0;
    row_ = new QHBoxLayout();
    row_->setSpacing(Scaled(kPopupSpacing));
    body.addLayout(row_);
    AddButtons();
    return true;
}

CTUIKeyButton* CTUIProgramPopup::AddButton(const QString& caption, std::function<void()> action) {
    auto* button = new CTUIKeyButton(caption, kKeyWidth, kKeyHeight + 16, Dpi(), this);
    button->setObjectName(caption);
    connect(button, &QAbstractButton::clicked, this, [this, action = std::move(action)] {
        RestartCloseTimer();
        if (action)
            action();
    });
    row_->addWidget(button);
    return button;
}

CTUIKeyButton* CTUIProgramPopup::Button(const QString& caption) const {
    for (CTUIKeyButton* button : findChildren<CTUIKeyButton*>()) {
        if (button->objectName() == caption)
            return button;
    }
    return nullptr;
}

std::optional<int> CTUIProgramPopup::Run(int (DeviceCommands::*command)(const DesignObject&)) {
    return Send([command](DeviceCommands& c, const DesignObject& o) { return (c.*command)(o); });
}

int CTUIProgramPopup::StartProgram() {
    return Run(&DeviceCommands::StartProgram).value_or(-1);
}
int CTUIProgramPopup::StopProgram() {
    return Run(&DeviceCommands::StopProgram).value_or(-1);
}
int CTUIProgramPopup::TurnOn() {
    return Run(&DeviceCommands::TurnOn).value_or(-1);
}
int CTUIProgramPopup::TurnOff() {
    return Run(&DeviceCommands::TurnOff).value_or(-1);
}

}  // namespace zol
