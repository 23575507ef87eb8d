#include "client/popups/tui_program_on_off.h"

#include "client/popups/tui_key_button.h"

namespace zol {

void CTUIProgramOnOff::AddButtons() {
    AddButton(QStringLiteral("ON"), [this] {
        if (StopProgram() == 0)
            TurnOn();
    });
    AddButton(QStringLiteral("OFF"), [this] {
        if (StopProgram() == 0)
            TurnOff();
    });
}

}  // namespace zol
