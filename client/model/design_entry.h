// One design object from the entry fields of a "GetDesign" reply.
#pragma once

#include "client/model/design_object.h"
#include "client/model/reply_fields.h"

namespace zol {

// Servers from this major version on send the fields after p+7.
inline constexpr int kExtendedEntriesMajor = 14;

// Fills `object` (holding its defaults) from `entry`. The text and button
// counts place the fields that follow them even beyond 16, but at most 16
// of each are kept, and never more than the entry carries.
void DecodeDesignObject(const ReplyFields& entry, int serverMajor, DesignObject& object);

}  // namespace zol
