#include "client/popups/tui_program_start_stop.h"

#include "client/popups/tui_key_button.h"

namespace zol {

void CTUIProgramStartStop::AddButtons() {
    CTUIKeyButton* start = AddButton(QStringLiteral("START"), {});
    CTUIKeyButton* stop = AddButton(QStringLiteral("STOP"), {});
    start->setEnabled(!RunningAtOpen());
    stop->setEnabled(RunningAtOpen());
    // The buttons follow the press whatever the server answered.
    connect(start, &QAbstractButton::clicked, this, [this, start, stop] {
        StartProgram();
        start->setEnabled(false);
        stop->setEnabled(true);
    });
    connect(stop, &QAbstractButton::clicked, this, [this, start, stop] {
        StopProgram();
        start->setEnabled(true);
        stop->setEnabled(false);
    });
}

}  // namespace zol
