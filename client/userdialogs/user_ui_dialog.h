// CUserUIDialog: what the server's question dialogs of kinds 0 to 4 share:
// the prompt at the top, OK and Cancel at the bottom, the time-out (timer
// 13) and the report that the user started to respond.
//
// The dialog only collects the answer; UserDialogHost sends the reports.
#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

#include "client/userdialogs/user_dialog_request.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace zol {

class Clock;

inline constexpr int kUserDialogTimerId = 13;

class CUserUIDialog : public QDialog {
    Q_OBJECT
  public:
    // `timerId` must be unique among the dialogs open on `clock`.
    CUserUIDialog(const UserDialogRequest& request, Clock& clock, int timerId, int dpi,
                  QWidget* parent = nullptr);
    ~CUserUIDialog() override;

    // Runs on the first user input while the time-out runs, when the request
    // asks for activity reports.
    void SetActivityHandler(std::function<void()> handler) { onActivity_ = std::move(handler); }

    // Starts the time-out (exec does it); for tests that drive the dialog
    // without a modal loop.
    void Begin();
    int exec() override;

    // The answer text after OK (empty otherwise).
    const std::string& Answer() const { return answer_; }
    bool TimedOut() const { return timedOut_; }
    bool TimerRunning() const { return timerRunning_; }

    // Closes without an answer, for a connection that is gone: the host
    // sends no report for it.
    void Abandon();
    bool Abandoned() const { return abandoned_; }

    QPushButton* OkButton() const { return okButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    QLabel* PromptLabel() const { return prompt_; }

  public slots:
    void accept() override;
    void reject() override;

  protected:
    // The layout between the prompt and the buttons, for the kind's controls.
    QVBoxLayout* Body() const { return body_; }
    // Every user input goes through here.
    void NoteUserInput();
    // The answer text for OK, or nothing to refuse OK.
    virtual std::optional<std::string> ConfirmedAnswer() = 0;
    int Px(int pixelsAt96) const;
    int Dpi() const { return dpi_; }
    const UserDialogRequest& Request() const { return request_; }

  private:
    void StopTimer();

    UserDialogRequest request_;
    Clock& clock_;
    int timerId_;
    int dpi_;
    std::function<void()> onActivity_;
    bool timerRunning_ = false;
    bool timedOut_ = false;
    bool abandoned_ = false;
    bool begun_ = false;
    std::string answer_;
    QLabel* prompt_ = nullptr;
    QVBoxLayout* body_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace zol
