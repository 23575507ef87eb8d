#include "client/popups/tui_program_start.h"

#include "client/popups/tui_key_button.h"

namespace zol {

void CTUIProgramStart::AddButtons() {
    AddButton(RunningAtOpen() ? QStringLiteral("Stop") : QStringLiteral("Start"), [this] {
        if (StopProgram() == 0 && !RunningAtOpen())
            StartProgram();
    });
}

}  // namespace zol
