// The arrangement of each keypad layout: how many rockers and "B" keys it
// has and how the keys stand. Captions come from the object at run time.
#pragma once

#include "client/display/popup_template.h"

namespace zol {

struct KeypadLayout {
    int rockers = 0;           // top and bottom halves each
    int keys = 0;              // "B" keys
    int keyColumns = 1;        // keys per row
    bool sixthButton = false;  // a wide extra button under the keys (UPB7)
};

KeypadLayout KeypadLayoutOf(PopupLayout layout);

}  // namespace zol
