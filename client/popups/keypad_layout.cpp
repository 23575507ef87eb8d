#include "client/popups/keypad_layout.h"

namespace zol {

KeypadLayout KeypadLayoutOf(PopupLayout layout) {
    using L = PopupLayout;
    switch (layout) {
        case L::ZS11:
        case L::ZS11Load:
            return {1, 1, 1, false};
        case L::ZS12:
        case L::ZS12Load:
            return {1, 2, 1, false};
        case L::ZS22:
        case L::ZS22Load:
            return {2, 2, 1, false};
        case L::ZS23:
        case L::ZS23Load:
            return {2, 3, 1, false};
        case L::ZS24:
        case L::ZS24Load:
            return {2, 4, 1, false};
        case L::ZS24X:
        case L::ZS24XLoad:
            return {2, 4, 2, false};
        case L::ZS25:
        case L::ZS25Load:
            return {2, 5, 1, false};
        case L::ZS26:
        case L::ZS26Load:
            return {2, 6, 2, false};
        case L::ZS28:
        case L::ZS28Load:
            return {2, 8, 2, false};
        case L::Keypad1:
            return {1, 0, 1, false};
        case L::Keypad2:
            return {2, 0, 1, false};
        case L::Keypad3:
            return {3, 0, 1, false};
        case L::Keypad4:
            return {4, 0, 1, false};
        case L::Keypad5:
            return {5, 0, 1, false};
        case L::Keypad6:
            return {6, 0, 1, false};
        case L::Keypad7:
            return {7, 0, 1, false};
        case L::Keypad8:
            return {8, 0, 1, false};
        case L::KL6:
        case L::KL6Load:
            return {0, 6, 2, false};
        case L::UPB6:
        case L::UPB6Load:
            return {0, 6, 3, false};
        case L::UPB7:
        case L::UPB7Load:
            return {0, 5, 1, true};
        case L::KL8:
        case L::KL8Load:
            return {0, 8, 2, false};
        case L::UPB8:
        case L::UPB8Load:
            return {0, 8, 4, false};
        default:
            return {0, 6, 2, false};  // HKEY6
    }
}

}  // namespace zol
