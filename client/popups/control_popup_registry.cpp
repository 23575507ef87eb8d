#include "client/popups/control_popup_registry.h"

#include <algorithm>

namespace zol {

void ControlPopupRegistry::ClearOpenPopup(const QDialog* popup) {
    if (openPopup_.data() == popup)
        openPopup_.clear();
}

void ControlPopupRegistry::Track(QDialog* dialog) {
    Untrack(dialog);
    open_.emplace_back(dialog);
}

void ControlPopupRegistry::Untrack(const QDialog* dialog) {
    std::erase_if(open_,
                  [dialog](const QPointer<QDialog>& p) { return p.isNull() || p == dialog; });
}

bool ControlPopupRegistry::AnyOpen() const {
    return std::any_of(open_.begin(), open_.end(),
                       [](const QPointer<QDialog>& p) { return !p.isNull(); });
}

void ControlPopupRegistry::CloseAll() {
    // Closing may run code that untracks or (through a nested loop) opens
    // another; work on a copy and repeat until nothing is left.
    for (int round = 0; round < 4 && AnyOpen(); ++round) {
        std::vector<QPointer<QDialog>> open = open_;
        for (auto it = open.rbegin(); it != open.rend(); ++it) {
            if (QDialog* dialog = it->data()) {
                Untrack(dialog);
                dialog->reject();
            }
        }
    }
    open_.clear();
    openPopup_.clear();
}

ControlPopupRegistry& ControlPopups() {
    static ControlPopupRegistry registry;
    return registry;
}

void CloseAllControlPopups() {
    ControlPopups().CloseAll();
}

}  // namespace zol
