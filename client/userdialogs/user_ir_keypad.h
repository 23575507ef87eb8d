// CUserIRKeypad: the remote control of an infrared device. Every entry of
// the object's button list becomes a button (or a label) at twice its
// position and size; a press sends the entry's key name, marked as the
// first press only for the first one after opening.
#pragma once

#include <QDialog>
#include <QFont>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QPushButton;

namespace zol {

struct IrKeypadEntry {
    std::string keyName;
    std::string caption;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool label = false;
};

// Layout limits: positions and sizes from the server are clamped so a wild
// entry cannot make a window larger than any screen.
inline constexpr std::int64_t kIrMaxCoordinate = 2000;
inline constexpr std::int64_t kIrMaxSize = 400;

class CUserIRKeypad : public QDialog {
    Q_OBJECT
  public:
    // `send` gets the key name and whether this is the first press.
    using SendKey = std::function<void(const std::string& keyName, bool firstPress)>;

    CUserIRKeypad(const std::string& objectName, const std::vector<IrKeypadEntry>& entries,
                  SendKey send, int dpi, QWidget* parent = nullptr);

    // The buttons in list order (labels are not buttons).
    const std::vector<QPushButton*>& Buttons() const { return buttons_; }
    QPushButton* CloseButton() const { return closeButton_; }

  private:
    SendKey send_;
    bool pressed_ = false;
    QFont font_;
    std::vector<QPushButton*> buttons_;
    QPushButton* closeButton_ = nullptr;
};

}  // namespace zol
