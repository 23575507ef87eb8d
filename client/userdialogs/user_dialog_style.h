// The look of the touch dialogs: the client's navy panel, large keys that a
// finger hits, white text. Sizes are for 96 dpi and scale with the dpi.
#pragma once

#include <QFont>
#include <QString>

class QPushButton;
class QWidget;

namespace zol {

inline constexpr int kKeySize = 76;  // a pad key, square
inline constexpr int kKeyGap = 10;
inline constexpr int kDialogMargin = 24;
inline constexpr int kPromptWidth = 520;  // the prompt wraps at this width

QString UserDialogStyleSheet(int dpi);
QFont UserDialogFont(int points, int dpi, bool bold = false);

// A pad key of the given size at 96 dpi, showing `label` ("&" as itself).
QPushButton* MakePadKey(const QString& label, int width, int height, int dpi, QWidget* parent);

}  // namespace zol
