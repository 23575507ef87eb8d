// Which key of a keypad a button number names. Buttons are numbered from 0,
// as the clients send them. Rocker keypads ("ZS..." and "Keypad1" to
// "Keypad8") number their rockers first, one per text (the rocker's
// caption), and their keys after them; other keypads number their keys
// alone. Key n's state is the object's button state n.
#pragma once

#include <cstddef>

#include "simulator/sim_design.h"

namespace zol {

enum class KeypadButtonKind {
    kNone,    // the keypad has no such button
    kRocker,  // a rocker; its halves are 0 (top) and 1 (bottom)
    kKey,     // a key with an indicator state
};

struct KeypadButton {
    KeypadButtonKind kind = KeypadButtonKind::kNone;
    std::size_t index = 0;  // the rocker's or the key's number, from 0
};

// Rockers that come before the keys: the text count of a rocker keypad,
// else 0.
std::size_t KeypadRockerCount(const SimObject& object);

KeypadButton ResolveKeypadButton(const SimObject& object, int button);

}  // namespace zol
