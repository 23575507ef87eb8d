// The look every tool window shares: the light panel of the client's alert
// dialog, the client's fonts, and touch-sized buttons, fields, check boxes
// and tabs, because the client runs on wall panels without a mouse.
//
// Pixel constants are for 96 dpi and scale with the dpi given.
#pragma once

#include <QFont>
#include <QString>

class QDialog;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace zol {

// A finger-sized control height, at 96 dpi.
inline constexpr int kTouchHeight = 44;
inline constexpr int kTouchButtonWidth = 150;

// The dpi the tool windows scale with: the main frame's, else the screen's.
int ToolWindowDpi();

// Text and heading fonts of the tool windows at `dpi`.
QFont ToolWindowFont(int dpi);
QFont ToolWindowHeadingFont(int dpi);

// Gives `window` the shared style sheet and font.
void ApplyToolWindowLook(QWidget* window, int dpi);

// A touch-sized push button; `primary` gives it the accent colour.
QPushButton* MakeTouchButton(const QString& text, QWidget* parent, int dpi, bool primary = false);

// The bottom row of the server windows: a line for problems, "Refresh" and
// "Close" (which accepts the dialog). The caller connects Refresh.
struct RefreshCloseRow {
    QHBoxLayout* layout = nullptr;
    QLabel* message = nullptr;  // object name "problem", word-wrapped
    QPushButton* refresh = nullptr;
    QPushButton* close = nullptr;
};
RefreshCloseRow MakeRefreshCloseRow(QDialog* dialog, int dpi);

}  // namespace zol
