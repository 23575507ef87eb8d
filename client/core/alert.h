// CAlert: the client's one modal message box. The kind decides the heading,
// icon, beep, buttons and default button; the message is word-wrapped into
// at most sixteen lines and the dialog shrinks to fit what it shows.
//
// Pixel constants are for 96 dpi and scale with the screen's dpi.
#pragma once

#include <QDialog>
#include <QFont>
#include <QString>
#include <QTimer>

#include <array>

#include "client/core/alert_word_wrap.h"
#include "client/model/alert_kind.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace zol {

// Results of the dialog (the standard OK, Yes and No codes).
inline constexpr int kAlertResultOk = 1;
inline constexpr int kAlertResultYes = 6;
inline constexpr int kAlertResultNo = 7;

// What a button does: end with OK, Yes or No, or ask the owner to explain.
enum class AlertButtonAction : int { Ok = 0, Yes = 1, No = 2, AskOwner = 3 };

enum class AlertIcon { Stop, Question, Exclamation, Information };

struct AlertKindTraits {
    AlertIcon icon;
    const char* heading;
    bool confirm;  // Yes / No buttons; otherwise OK, or the explain pair with an owner
    bool rightIsDefault;
};

// The traits of a kind; kinds outside 0-6 are treated as AlertInfo.
const AlertKindTraits& TraitsOfAlertKind(int kind);

// A window that can explain an alert further ("I don't understand").
class AlertOwner {
  public:
    virtual ~AlertOwner() = default;
    virtual void ExplainAlert(const QString& message) = 0;
};

class CAlert : public QDialog {
    Q_OBJECT
  public:
    // An empty heading takes the kind's default heading. A dpi of 0 takes
    // the main frame's (the screen's when there is no frame, 96 when the
    // screen does not tell).
    CAlert(int kind, const QString& message, const QString& heading = QString(), int dpi = 0,
           QWidget* parent = nullptr);
    ~CAlert() override;

    // Set before showing.
    void SetOwner(AlertOwner* owner) { owner_ = owner; }
    // Shows the "don't show again" check box; a non-empty label replaces its text.
    void SetHintMode(bool on, const QString& label = QString());
    void SetAutoClose(bool on, int seconds = 60);

    // Runs the dialog modally: kAlertResultOk, kAlertResultYes or kAlertResultNo.
    int exec() override;

    int HintState() const { return hintState_; }

    // For tests and screenshots: the laid-out dialog before it runs.
    void Prepare();
    const AlertLines& Lines() const { return lines_; }
    QPushButton* LeftButton() const { return leftButton_; }
    QPushButton* RightButton() const { return rightButton_; }
    QPushButton* OkButton() const { return okButton_; }
    QPushButton* DefaultButton() const;
    QCheckBox* HintCheckBox() const { return hintCheck_; }
    QLabel* LineLabel(int index) const { return lineLabels_[static_cast<std::size_t>(index)]; }
    int WrapWidth() const;

    static constexpr const char* kDefaultHintLabel =
        "I've seen this hint enough.  Don't show it to me again";

  public slots:
    void reject() override;

  private:
    void BuildControls();
    void ApplyKind();
    void LayOut();
    void Beep();
    void ActOn(AlertButtonAction action);
    int Px(int pixelsAt96) const;

    int kind_;
    QString message_;
    QString heading_;
    int dpi_;
    AlertOwner* owner_ = nullptr;
    bool hintMode_ = false;
    QString hintLabel_;
    int hintState_ = 0;
    bool autoClose_ = false;
    int autoCloseSeconds_ = 60;
    AlertButtonAction leftAction_ = AlertButtonAction::Ok;
    AlertButtonAction rightAction_ = AlertButtonAction::Ok;
    bool prepared_ = false;

    QFont textFont_;
    QFont headingFont_;
    QFont checkFont_;
    AlertLines lines_;
    QLabel* iconLabel_ = nullptr;
    QLabel* headingLabel_ = nullptr;
    std::array<QLabel*, kAlertLineCount> lineLabels_{};
    QCheckBox* hintCheck_ = nullptr;
    QPushButton* leftButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* rightButton_ = nullptr;
    QTimer autoCloseTimer_;  // timer 11 of the original
};

}  // namespace zol
