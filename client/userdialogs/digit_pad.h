// The digit keypad of the number and time dialogs: 1 to 9 in three rows,
// then Clear, 0 and an optional extra key (AM/PM of the time dialog).
#pragma once

#include <QWidget>

#include <array>

class QPushButton;

namespace zol {

class DigitPad : public QWidget {
    Q_OBJECT
  public:
    // An empty `extraLabel` leaves the last place empty.
    DigitPad(const QString& extraLabel, int dpi, QWidget* parent = nullptr);

    QPushButton* DigitKey(int digit) const { return digitKeys_[static_cast<std::size_t>(digit)]; }
    QPushButton* ClearKey() const { return clearKey_; }
    QPushButton* ExtraKey() const { return extraKey_; }

  signals:
    void DigitPressed(int digit);
    void ClearPressed();
    void ExtraPressed();

  private:
    std::array<QPushButton*, 10> digitKeys_{};
    QPushButton* clearKey_ = nullptr;
    QPushButton* extraKey_ = nullptr;
};

}  // namespace zol
