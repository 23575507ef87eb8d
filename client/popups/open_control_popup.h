// Opening a control pop-up from the template table: the class and layout
// the template names, given the object's id, run modally.
#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>

#include "client/display/popup_template.h"
#include "client/popups/popup_context.h"

namespace zol {

class CTUIPopup;

// The pop-up for `popup`, not yet initialised; null for templates that open
// no control pop-up ("None", the infrared keypad).
std::unique_ptr<CTUIPopup> MakeControlPopup(const PopupTemplate& popup, std::int32_t objectId,
                                            const PopupContext& context, QWidget* parent = nullptr);

// Opens the pop-up modally and returns when it closed (QDialog::Accepted or
// Rejected; Rejected too when nothing opened because the object is gone).
// The pop-up is freed with deleteLater: a nested loop may still hold it.
int OpenControlPopup(const PopupTemplate& popup, std::int32_t objectId, const PopupContext& context,
                     QWidget* parent = nullptr);

}  // namespace zol
