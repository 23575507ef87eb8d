// ControlPopupRegistry: the open pop-ups and dialogs that show records of the
// design, and the one that wants object-change messages (`openPopup`).
//
// The push dispatcher posts WM_APP+0x0B (AppMessage::ObjectChanged, second
// parameter the object id) to ControlPopups().OpenPopup() when it is not
// null. The frame calls CloseAllControlPopups() before it clears the view or
// empties the design, so no open window keeps showing a freed record.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include <QDialog>
#include <QPointer>

#include <vector>

namespace zol {

class ControlPopupRegistry {
  public:
    // The pop-up registered for object-change messages, or null.
    QDialog* OpenPopup() const { return openPopup_.data(); }
    void SetOpenPopup(QDialog* popup) { openPopup_ = popup; }
    // Clears the registration only when `popup` holds it.
    void ClearOpenPopup(const QDialog* popup);

    // Windows that CloseAll ends (pop-ups, the infrared keypad, the graph
    // key): they register while they are open.
    void Track(QDialog* dialog);
    void Untrack(const QDialog* dialog);
    bool AnyOpen() const;
    // Ends every tracked window as cancelled, newest first.
    void CloseAll();

  private:
    QPointer<QDialog> openPopup_;
    std::vector<QPointer<QDialog>> open_;
};

// The registry of this process.
ControlPopupRegistry& ControlPopups();

// For the main frame: call before the view or the design is cleared
// ("DisplayChange", "ClientOperation" 0, a lost connection, a reload).
void CloseAllControlPopups();

}  // namespace zol
