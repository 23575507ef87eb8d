// The read-only entry above a keypad: the text typed so far, or one "*" per
// character when masked. It holds at most kMaxAnswerBytes bytes.
#pragma once

#include <QLabel>

#include <string>
#include <string_view>

namespace zol {

class EntryDisplay : public QLabel {
    Q_OBJECT
  public:
    EntryDisplay(bool masked, int dpi, QWidget* parent = nullptr);

    // Appends what still fits.
    void Append(std::string_view text);
    void SetText(std::string text);
    const std::string& Text() const { return text_; }

  private:
    void Show();

    bool masked_;
    std::string text_;
};

}  // namespace zol
