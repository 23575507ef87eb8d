#include "msgpopup/msg_text_font.h"

#include "guibase/dpi_scale.h"
#include "guibase/font_conversion.h"

namespace zol {

QFont MsgTextFont(int dpi) {
    return WindowsFont(QStringLiteral("Arial"), ScalePixels(kMsgTextCellHeight, dpi));
}

}  // namespace zol
