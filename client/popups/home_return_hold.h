// HomeReturnHold: while a pop-up is open the view's home return must wait.
// It holds back the "Home" UI command that the view's home-return timer
// posts to the main frame, and when it ends it tells the view of user
// activity, so the home-return wait starts again from the pop-up's close.
#pragma once

#include <QObject>
#include <QPointer>

namespace zol {

class HomeReturnHold : public QObject {
    Q_OBJECT
  public:
    HomeReturnHold(QObject* mainFrame, QObject* view);
    ~HomeReturnHold() override;

    int HeldBack() const { return heldBack_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QObject> mainFrame_;
    QPointer<QObject> view_;
    int heldBack_ = 0;
};

}  // namespace zol
