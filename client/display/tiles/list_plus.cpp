#include "client/display/tiles/list_plus.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace zol {

CListPlus::CListPlus(std::unique_ptr<Clock> timers, QWidget* parent)
    : QListWidget(parent), timers_(std::move(timers)) {
    setViewMode(QListView::IconMode);
    // Free movement lets items sit at explicit positions; dragging stays off.
    setMovement(QListView::Free);
    setDragEnabled(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setWrapping(true);
    setUniformItemSizes(true);
    setMouseTracking(false);
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    setStyleSheet(QStringLiteral("QListWidget { background: transparent; border: none; }"));
}

CListPlus::~CListPlus() = default;

void CListPlus::SetTimes(int shortTapMs, int doubleClickMs) {
    shortTapMs_ = std::max(0, shortTapMs);
    doubleClickMs_ = std::max(0, doubleClickMs);
}

void CListPlus::SetBackgroundPicture(QImage picture) {
    background_ = std::move(picture);
    viewport()->update();
}

void CListPlus::PlaceItem(int row, QPoint at) {
    setPositionForIndex(at, model()->index(row, 0));
}

std::optional<std::int32_t> CListPlus::ObjectAt(QPoint point) const {
    const QListWidgetItem* item = itemAt(point);
    if (item == nullptr)
        return std::nullopt;
    return item->data(kObjectIdRole).toInt();
}

void CListPlus::OnButtonDown(QPoint point) {
    pressPoint_ = point;
    released_ = false;
    pressed_ = true;
    timers_->StartOneShot(kListHoldTimerId, std::chrono::milliseconds(shortTapMs_),
                          [this] { OnHoldTimer(); });
    timers_->StartOneShot(kListDoubleClickTimerId, std::chrono::milliseconds(doubleClickMs_),
                          [this] { OnDoubleClickTimer(); });
}

void CListPlus::OnButtonUp() {
    released_ = true;
}

void CListPlus::OnHoldTimer() {
    timers_->Stop(kListHoldTimerId);
    timers_->Stop(kListDoubleClickTimerId);
    if (!pressed_)
        return;
    pressed_ = false;
    Notify(!released_);
}

void CListPlus::OnDoubleClickTimer() {
    timers_->Stop(kListDoubleClickTimerId);
    if (!released_ || !pressed_)
        return;  // still held: the hold timer decides
    timers_->Stop(kListHoldTimerId);
    pressed_ = false;
    Notify(false);
}

void CListPlus::OnSystemDoubleClick(QPoint point) {
    timers_->Stop(kListHoldTimerId);
    timers_->Stop(kListDoubleClickTimerId);
    pressed_ = false;
    released_ = true;
    pressPoint_ = point;
    Notify(true);
}

void CListPlus::Notify(bool doubleClick) {
    const std::optional<std::int32_t> id = ObjectAt(pressPoint_);
    if (doubleClick)
        emit ItemDoubleClicked(id.has_value(), id.value_or(0));
    else
        emit ItemClicked(id.has_value(), id.value_or(0));
}

void CListPlus::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    // The item under the finger shows selected while the gesture runs.
    setCurrentItem(itemAt(event->position().toPoint()));
    OnButtonDown(event->position().toPoint());
}

void CListPlus::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        OnButtonUp();
}

void CListPlus::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        OnSystemDoubleClick(event->position().toPoint());
}

void CListPlus::mouseMoveEvent(QMouseEvent*) {
    // No rubber band and no dragging of icons.
}

void CListPlus::paintEvent(QPaintEvent* event) {
    if (!background_.isNull()) {
        // Scaled to cover the list, centred, so a photo fills the panel
        // whatever its size.
        QPainter painter(viewport());
        const QSize area = viewport()->size();
        const QSize scaled = background_.size().scaled(area, Qt::KeepAspectRatioByExpanding);
        const QRect target(
            QPoint((area.width() - scaled.width()) / 2, (area.height() - scaled.height()) / 2),
            scaled);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(target, background_);
    }
    QListWidget::paintEvent(event);
}

}  // namespace zol
