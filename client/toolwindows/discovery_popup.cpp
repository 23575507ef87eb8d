#include "client/toolwindows/discovery_popup.h"

#include <QLabel>
#include <QVBoxLayout>

#include "client/toolwindows/discovery_texts.h"
#include "client/toolwindows/tool_window_look.h"
#include "guibase/dpi_scale.h"

namespace zol {

CDiscoveryPopup::CDiscoveryPopup(int dpi, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromLatin1(kSearchingCaption));
    setModal(false);
    ApplyToolWindowLook(this, dpi);
    auto* text = new QLabel(QString::fromLatin1(kSearchingText), this);
    text->setObjectName(QStringLiteral("heading"));
    text->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    const int margin = ScalePixels(24, dpi);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(text);
    setFixedSize(ScalePixels(380, dpi), ScalePixels(110, dpi));
}

}  // namespace zol
