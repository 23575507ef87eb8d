// CTUIPopup: what every control pop-up shares. It operates one design object
// named by `objectId` and re-finds it for every use, so a reload or a push
// that frees the object never leaves it holding a dangling record; when the
// object is gone the pop-up closes at once. It shows the title
// "Location - Name" and a close button, closes by itself on timer 10 after a
// while without presses (when the settings ask for it), and follows object
// changes (WM_APP+0x0B) while registered as the open pop-up.
//
// Pop-ups run modally (nested event loops: pushes and timers keep arriving)
// and are freed by their opener with deleteLater.
#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "client/model/clock.h"
#include "client/popups/popup_context.h"

class QLabel;
class QVBoxLayout;

namespace zol {

class CTUIButton;
class DeviceCommands;
class HomeReturnHold;
struct DesignObject;

class CTUIPopup : public QDialog {
    Q_OBJECT
  public:
    CTUIPopup(PopupContext context, std::int32_t objectId, QWidget* parent = nullptr);
    ~CTUIPopup() override;

    // The common opening steps and the pop-up's own; false (nothing shown,
    // nothing registered) when the design has no object `objectId`.
    bool Initialise();

    std::int32_t ObjectId() const { return objectId_; }
    // The object now; null when it is gone, which closes the pop-up.
    DesignObject* Object();
    // Restarts the close timer; a press is user activity for the view too.
    // Every user action calls it first.
    void RestartCloseTimer();
    bool IsClosing() const { return closing_; }

    QLabel* Title() const { return title_; }
    CTUIButton* CloseButton() const { return close_; }
    Clock& Timers() { return *timers_; }

    void done(int result) override;

  protected:
    // Pop-ups that follow object changes register as `openPopup`.
    virtual bool RegistersAsOpenPopup() const { return true; }
    virtual bool AutoCloses() const { return true; }
    // Builds the pop-up's controls under the title; false to refuse opening.
    virtual bool BuildBody(QVBoxLayout& body, const DesignObject& object) = 0;
    // A change notification for this pop-up's object (the object exists).
    virtual void OnObjectChanged(const DesignObject& /*object*/) {}
    // Work before closing (the thermostat sends what is pending).
    virtual void BeforeClose() {}

    // Runs `command` on a copy of the object (a message box inside a command
    // runs a nested loop that may free the original). nullopt when the
    // object is gone or the pop-up closed or went meanwhile.
    std::optional<int> Send(
        const std::function<int(DeviceCommands&, const DesignObject&)>& command);

    const PopupContext& Context() const { return context_; }
    int Dpi() const { return dpi_; }
    int Scaled(int pixels) const;

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Enter closes as "Close" does; Escape cancels (both close the same way).
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void StartCloseTimer();

    PopupContext context_;
    std::int32_t objectId_;
    int dpi_;
    std::unique_ptr<Clock> timers_;
    std::unique_ptr<HomeReturnHold> hold_;
    QLabel* title_ = nullptr;
    CTUIButton* close_ = nullptr;
    bool initialised_ = false;
    bool closing_ = false;  // closing has begun (work before closing may still send)
    bool closed_ = false;   // nothing more is sent
};

}  // namespace zol
