#include "client/display/zol_client_view.h"

#include <QPainter>

#include "client/core/app_messages.h"
#include "guibase/dpi_scale.h"
#include "guibase/font_conversion.h"

namespace zol {

CZOLClientView::CZOLClientView(QColor background, QColor text, int dpi, QWidget* parent)
    : QWidget(parent), background_(background), text_(text), dpi_(dpi) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CZOLClientView::ClearCurrentDisplay() {
    hasCurrentDisplay_ = false;
    currentDisplayId_ = 0;
    update();
}

// Interim bodies until the tiles exist: the view only records which display
// it was asked to show.
void CZOLClientView::ShowDisplay(std::int32_t displayId) {
    currentDisplayId_ = displayId;
    hasCurrentDisplay_ = displayId != 0;
    update();
}

void CZOLClientView::LeaveDisplay() {}

void CZOLClientView::RefreshDisplayTiles() {}

void CZOLClientView::UpdateTilesNamed(std::string_view) {}

void CZOLClientView::ObjectChanged(std::int32_t) {}

void CZOLClientView::SetNotice(const QString& notice) {
    notice_ = notice;
    update();
}

void CZOLClientView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    if (hasCurrentDisplay_ || notice_.isEmpty())
        return;
    QFont font(QStringLiteral("Open Sans Light"));
    font.setPixelSize(PointsToPixels(20, dpi_));
    painter.setFont(font);
    painter.setPen(text_);
    const int margin = ScalePixels(40, dpi_);
    painter.drawText(rect().adjusted(margin, margin, -margin, -margin),
                     Qt::AlignCenter | Qt::TextWordWrap, notice_);
}

bool CZOLClientView::event(QEvent* event) {
    if (AppMessageEvent* message = AppMessageEvent::From(event)) {
        // User activity restarts the home-return timer, which arrives with
        // the display model.
        if (message->Message() == AppMessage::UserActivity)
            return true;
    }
    return QWidget::event(event);
}

}  // namespace zol
