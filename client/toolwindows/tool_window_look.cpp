#include "client/toolwindows/tool_window_look.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include "assets/asset_paths.h"
#include "client/core/main_frame.h"
#include "client/core/zol_client_app.h"
#include "guibase/dpi_scale.h"
#include "guibase/font_conversion.h"

namespace zol {

namespace {

// The client's background colour (0x3A2A09 as 0x00BBGGRR) is the accent,
// so the tool windows read as part of the same panel.
constexpr const char* kAccent = "#092A3A";
constexpr const char* kAccentPressed = "#1E4A60";

}  // namespace

int ToolWindowDpi() {
    if (CZOLClientApp* app = CZOLClientApp::Instance(); app != nullptr && app->MainFrame()) {
        return app->MainFrame()->ScreenDpi();
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    const int reported = screen != nullptr ? static_cast<int>(screen->logicalDotsPerInchX()) : 0;
    return reported > 0 ? reported : kReferenceDpi;
}

QFont ToolWindowFont(int dpi) {
    // Carlito is Calibri's metric twin on Linux; naming it avoids a fall
    // back to whatever sans face the font matcher prefers.
    QFont font(QStringLiteral("Calibri"));
    font.setFamilies({QStringLiteral("Calibri"), QStringLiteral("Carlito")});
    font.setPixelSize(PointsToPixels(12, dpi));
    return font;
}

QFont ToolWindowHeadingFont(int dpi) {
    QFont font = ToolWindowFont(dpi);
    font.setPixelSize(PointsToPixels(14, dpi));
    font.setBold(true);
    return font;
}

void ApplyToolWindowLook(QWidget* window, int dpi) {
    // The fonts are in the style sheet too: a widget that a style rule
    // matches (group boxes, fields) does not pass its parent's font on.
    const auto px = [dpi](int n) { return ScalePixels(n, dpi); };
    window->setFont(ToolWindowFont(dpi));
    window->setStyleSheet(
        QStringLiteral(
            "QWidget { font-family: \"Calibri\", \"Carlito\"; font-size: %11px; }"
            "QLabel#heading, QLabel[fact=\"true\"] { font-size: %12px; font-weight: bold; }"
            "QTableView#trace { font-family: \"Liberation Mono\", monospace; font-size: %13px; }"
            "QDialog { background: #F6F8FB; }"
            "QLabel { color: #1E2A33; background: transparent; }"
            "QLabel#problem { color: #B3261E; font-weight: bold; }"
            "QLabel#heading { color: %1; }"
            "QGroupBox { color: %1; border: 1px solid #C9D2DB;"
            " border-radius: %5px; margin-top: %6px; padding: %5px; }"
            "QGroupBox::title { subcontrol-origin: margin; left: %5px; padding: 0 %7px; }"
            "QLineEdit, QComboBox, QFontComboBox { background: #FFFFFF; color: #1E2A33;"
            " border: 1px solid #AEB8C2; border-radius: %7px; min-height: %2px;"
            " padding: 0 %7px; }"
            "QComboBox::drop-down { subcontrol-origin: padding; subcontrol-position: center right;"
            " width: %3px; border: none; }"
            "QComboBox::down-arrow { image: url(%9); width: %10px; height: %10px; }"
            "QLineEdit[invalid=\"true\"] { border: 2px solid #B3261E; background: #FDECEA; }"
            "QLineEdit:disabled, QComboBox:disabled { background: #E9EDF1; color: #7A8893; }"
            "QCheckBox { color: #1E2A33; spacing: %7px; min-height: %2px; }"
            "QCheckBox::indicator { width: %3px; height: %3px; }"
            "QPushButton { background: #FFFFFF; color: #1E2A33; border: 1px solid #AEB8C2;"
            " border-radius: %5px; min-height: %2px; min-width: %4px; padding: 0 %7px; }"
            "QPushButton:pressed { background: #DCE3EA; }"
            "QPushButton:checked { background: #DCE3EA; border: 2px solid %1; }"
            "QPushButton[primary=\"true\"] { background: %1; color: #FFFFFF; border-color: %1; }"
            "QPushButton[primary=\"true\"]:pressed { background: %8; }"
            "QPushButton:focus { outline: none; }"
            "QTabWidget::pane { border: 1px solid #C9D2DB; background: #F6F8FB; top: -1px; }"
            "QTabBar::tab { background: #E3E8EE; color: #1E2A33; min-height: %2px;"
            " min-width: %4px; padding: 0 %6px; border: 1px solid #C9D2DB; }"
            "QTabBar::tab:selected { background: %1; color: #FFFFFF; }"
            "QTreeView, QTableView, QListView { background: #FFFFFF; color: #1E2A33;"
            " alternate-background-color: #F0F3F7; border: 1px solid #C9D2DB; }"
            "QHeaderView::section { background: #E3E8EE; color: #1E2A33; padding: %7px;"
            " border: none; border-right: 1px solid #C9D2DB; }")
            .arg(QLatin1String(kAccent))
            .arg(px(kTouchHeight - 6))
            .arg(px(26))
            .arg(px(kTouchButtonWidth))
            .arg(px(8))
            .arg(px(16))
            .arg(px(6))
            .arg(QLatin1String(kAccentPressed))
            .arg(QString::fromStdString((ImagesDir() / "down.png").generic_string()))
            .arg(px(18))
            .arg(PointsToPixels(12, dpi))
            .arg(PointsToPixels(14, dpi))
            .arg(px(14)));
}

QPushButton* MakeTouchButton(const QString& text, QWidget* parent, int dpi, bool primary) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    button->setMinimumHeight(ScalePixels(kTouchHeight, dpi));
    if (primary)
        button->setProperty("primary", true);
    return button;
}

RefreshCloseRow MakeRefreshCloseRow(QDialog* dialog, int dpi) {
    RefreshCloseRow row;
    row.message = new QLabel(dialog);
    row.message->setObjectName(QStringLiteral("problem"));
    row.message->setWordWrap(true);
    row.refresh = MakeTouchButton(QStringLiteral("Refresh"), dialog, dpi);
    row.close = MakeTouchButton(QStringLiteral("Close"), dialog, dpi, true);
    QObject::connect(row.close, &QPushButton::clicked, dialog, &QDialog::accept);
    row.layout = new QHBoxLayout;
    row.layout->addWidget(row.message, 1);
    row.layout->addWidget(row.refresh);
    row.layout->addWidget(row.close);
    return row;
}

}  // namespace zol
