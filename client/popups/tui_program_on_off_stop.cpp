#include "client/popups/tui_program_on_off_stop.h"

#include "client/popups/tui_key_button.h"

namespace zol {

void CTUIProgramOnOffStop::AddButtons() {
    CTUIKeyButton* on = AddButton(QStringLiteral("ON"), {});
    CTUIKeyButton* stop = AddButton(QStringLiteral("STOP"), {});
    CTUIKeyButton* off = AddButton(QStringLiteral("OFF"), {});
    const auto running = [on, stop, off](bool runs) {
        on->setEnabled(!runs);
        off->setEnabled(!runs);
        stop->setEnabled(runs);
    };
    running(RunningAtOpen());
    // The buttons follow the press whatever the server answered.
    connect(on, &QAbstractButton::clicked, this, [this, running] {
        TurnOn();
        running(true);
    });
    connect(off, &QAbstractButton::clicked, this, [this, running] {
        TurnOff();
        running(true);
    });
    connect(stop, &QAbstractButton::clicked, this, [this, running] {
        StopProgram();
        running(false);
    });
}

}  // namespace zol
