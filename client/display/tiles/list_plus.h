// CListPlus: the icon list of an icon tile. It makes its own click and
// double-click notifications from presses, so that a long press counts as
// a double click: a press starts the hold timer (TUIShortTapTime) and the
// double-click timer (the system's double-click time); a tap acts when the
// shorter has run after the release, a held press when the hold timer runs
// out, and a system double click at once. It never shows scroll bars (the
// status bar scrolls it) and paints the display's background picture.
#pragma once

#include <QImage>
#include <QListWidget>
#include <QPoint>

#include <cstdint>
#include <memory>

#include "client/model/clock.h"

namespace zol {

inline constexpr int kListChildId = 100;
inline constexpr int kListHoldTimerId = 1001;
inline constexpr int kListDoubleClickTimerId = 1002;
// Item data role of the object (or display) id each item carries.
inline constexpr int kObjectIdRole = Qt::UserRole + 1;

class CListPlus : public QListWidget {
    Q_OBJECT
  public:
    CListPlus(std::unique_ptr<Clock> timers, QWidget* parent);
    ~CListPlus() override;

    void SetTimes(int shortTapMs, int doubleClickMs);
    void SetBackgroundPicture(QImage picture);
    bool HasBackgroundPicture() const { return !background_.isNull(); }
    // Puts item `row` at `at` (viewport coordinates), off the grid.
    void PlaceItem(int row, QPoint at);

    // The gesture, as the mouse handlers drive it (also for tests).
    void OnButtonDown(QPoint point);
    void OnButtonUp();
    void OnHoldTimer();
    void OnDoubleClickTimer();
    void OnSystemDoubleClick(QPoint point);

    // The id of the item at `point` (viewport coordinates), or nullopt.
    std::optional<std::int32_t> ObjectAt(QPoint point) const;

  signals:
    // `hasItem` false: the gesture was on empty space.
    void ItemClicked(bool hasItem, std::int32_t objectId);
    void ItemDoubleClicked(bool hasItem, std::int32_t objectId);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void Notify(bool doubleClick);

    std::unique_ptr<Clock> timers_;
    int shortTapMs_ = 500;
    int doubleClickMs_ = 400;
    QPoint pressPoint_;
    bool released_ = true;
    bool pressed_ = false;  // a press of this list started the gesture
    QImage background_;
};

}  // namespace zol
