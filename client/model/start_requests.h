// The requests a first connect makes after the password, in order: the
// reference DPI, the design's parts, its title, the cloud token and the
// parts of the display list. Shared
// by the load and by the launcher that sends them ahead of it, which must
// send the very same bytes.
#pragma once

#include <string>

#include "serverlink/field_list.h"

namespace zol {

inline std::string ReferenceDpiRequest() {
    return FieldList{"ZOLApp", "GetReferenceDPI"}.Message();
}

inline std::string DesignPartRequest(int part) {
    return FieldList{"ZOLApp", "GetDesign", std::to_string(part)}.Message();
}

inline std::string DesignTitleRequest() {
    return FieldList{"ZOLObject", "ZOL.GetDesignTitle"}.Message();
}

inline std::string CloudTokenRequest() {
    return FieldList{"ZOLApp", "GetCloudToken"}.Message();
}

inline std::string DisplayPartRequest(int part) {
    return FieldList{"ZOLApp", "GetDisplays", std::to_string(part)}.Message();
}

}  // namespace zol
