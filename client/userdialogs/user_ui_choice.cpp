#include "client/userdialogs/user_ui_choice.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "client/core/interface_picture.h"
#include "client/userdialogs/user_dialog_style.h"
#include "guibase/dpi_scale.h"
#include "guibase/windows1252_text.h"

namespace zol {

CUserUIChoice::CUserUIChoice(const UserDialogRequest& request, Clock& clock, int timerId, int dpi,
                             QWidget* parent)
    : CUserUIDialog(request, clock, timerId, dpi, parent),
      selectedIcon_(LoadInterfacePicture("ChoiceSelected.png")),
      unselectedIcon_(LoadInterfacePicture("ChoiceUnselected.png")) {
    for (std::size_t i = 0; i < request.texts.size(); ++i) {
        if (!request.texts[i].empty())
            count_ = static_cast<int>(i) + 1;
    }
    const std::int32_t preset = ReadDecimal(request.initialValue);
    selected_ = preset >= 0 && preset < count_ ? preset : 0;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        QPushButton* button =
            MakePadKey(FromWindows1252(request.texts[i]), kPromptWidth, 64, dpi, this);
        button->setObjectName(QStringLiteral("choice"));
        button->setCheckable(true);
        button->setFont(UserDialogFont(18, dpi));
        button->setIconSize(QSize(ScalePixels(36, dpi), ScalePixels(36, dpi)));
        button->setVisible(static_cast<int>(i) < count_);
        buttons_[i] = button;
        Body()->addWidget(button);
        const int index = static_cast<int>(i);
        connect(button, &QPushButton::clicked, this, [this, index] {
            NoteUserInput();
            Select(index);
        });
    }
    Select(selected_);
}

void CUserUIChoice::Select(int index) {
    selected_ = index;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const bool on = static_cast<int>(i) == index;
        buttons_[i]->setChecked(on);
        buttons_[i]->setIcon(on ? selectedIcon_ : unselectedIcon_);
    }
}

std::optional<std::string> CUserUIChoice::ConfirmedAnswer() {
    return std::to_string(selected_);
}

}  // namespace zol
