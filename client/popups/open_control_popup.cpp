#include "client/popups/open_control_popup.h"

#include <QPointer>

#include "client/popups/tui_keypad_1to8.h"
#include "client/popups/tui_keypad_key6.h"
#include "client/popups/tui_keypad_key6h.h"
#include "client/popups/tui_keypad_key7.h"
#include "client/popups/tui_keypad_key8.h"
#include "client/popups/tui_keypad_zs.h"
#include "client/popups/tui_on_off_dim.h"
#include "client/popups/tui_program_on_off.h"
#include "client/popups/tui_program_on_off_stop.h"
#include "client/popups/tui_program_start.h"
#include "client/popups/tui_program_start_stop.h"
#include "client/popups/tui_thermostat.h"

namespace zol {

std::unique_ptr<CTUIPopup> MakeControlPopup(const PopupTemplate& popup, std::int32_t objectId,
                                            const PopupContext& context, QWidget* parent) {
    using C = PopupClass;
    switch (popup.popupClass) {
        case C::OnOffDim:
            return std::make_unique<CTUIOnOffDim>(context, objectId, popup.hasSlider, parent);
        case C::KeypadZS:
            return std::make_unique<CTUIKeypadZS>(context, objectId, popup, parent);
        case C::Keypad1to8:
            return std::make_unique<CTUIKeypad1to8>(context, objectId, popup, parent);
        case C::KeypadKey6:
            return std::make_unique<CTUIKeypadKey6>(context, objectId, popup, parent);
        case C::KeypadKey7:
            return std::make_unique<CTUIKeypadKey7>(context, objectId, popup, parent);
        case C::KeypadKey8:
            return std::make_unique<CTUIKeypadKey8>(context, objectId, popup, parent);
        case C::KeypadKey6H:
            return std::make_unique<CTUIKeypadKey6H>(context, objectId, popup, parent);
        case C::ProgramStartStop:
            return std::make_unique<CTUIProgramStartStop>(context, objectId, parent);
        case C::ProgramOnOffStop:
            return std::make_unique<CTUIProgramOnOffStop>(context, objectId, parent);
        case C::ProgramStart:
            return std::make_unique<CTUIProgramStart>(context, objectId, parent);
        case C::ProgramOnOff:
            return std::make_unique<CTUIProgramOnOff>(context, objectId, parent);
        case C::Thermostat:
            return std::make_unique<CTUIThermostat>(context, objectId, popup.layout, parent);
        case C::IrKeypad:
        case C::None:
            break;
    }
    return nullptr;
}

int OpenControlPopup(const PopupTemplate& popup, std::int32_t objectId, const PopupContext& context,
                     QWidget* parent) {
    QPointer<CTUIPopup> shown(MakeControlPopup(popup, objectId, context, parent).release());
    if (!shown)
        return QDialog::Rejected;
    int result = QDialog::Rejected;
    if (shown->Initialise())
        result = shown->exec();
    if (shown)
        shown->deleteLater();
    return result;
}

}  // namespace zol
