// One display from the entry fields of a "GetDisplays" reply.
#pragma once

#include "client/model/display_record.h"
#include "client/model/icon_set.h"
#include "client/model/reply_fields.h"

namespace zol {

// Fills `display` (holding its defaults, with layoutTheme already set to the
// default set) from `entry`; fields the entry does not carry leave their
// members alone. 0, or the decoder's code when a nested list (the object
// ids, the icon positions) does not decode.
int DecodeDisplayEntry(const ReplyFields& entry, const IconSetLookup& iconSets,
                       DisplayRecord& display);

}  // namespace zol
