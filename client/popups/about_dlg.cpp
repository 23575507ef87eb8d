#include "client/popups/about_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "client/popups/popup_style.h"
#include "client/popups/tui_button.h"
#include "client/popups/tui_key_button.h"
#include "guibase/color_ref.h"
#include "guibase/dpi_scale.h"

namespace zol {

CAboutDlg::CAboutDlg(const std::array<int, 3>& version, int designDpi, int screenDpi,
                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setModal(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, FromColorRef(kPopupBackColor));
    palette.setColor(QPalette::WindowText, FromColorRef(kButtonTextColor));
    setPalette(palette);
    setAutoFillBackground(true);
    const auto scaled = [screenDpi](int n) { return ScalePixels(n, screenDpi); };
    auto* outer = new QHBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    outer->setContentsMargins(scaled(10), scaled(10), scaled(kPopupMargin), scaled(kPopupMargin));
    outer->setSpacing(scaled(kPopupMargin));
    auto* mark = new CTUIButton(screenDpi, this);
    mark->setEnabled(true);
    mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    mark->LoadSlotImage("About.png", 0);
    outer->addWidget(mark, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout();
    texts->setSpacing(scaled(kPopupSpacing));
    auto* name = new QLabel(
        QStringLiteral("Zolvane Client %1.%2.%3").arg(version[0]).arg(version[1]).arg(version[2]),
        this);
    QFont big = name->font();
    big.setPixelSize(scaled(kTitlePixels));
    big.setBold(true);
    name->setFont(big);
    auto* dpi = new QLabel(
        QStringLiteral("Design DPI: %1 - This display DPI: %2").arg(designDpi).arg(screenDpi),
        this);
    QFont normal = dpi->font();
    normal.setPixelSize(scaled(kLabelPixels));
    dpi->setFont(normal);
    auto* ok = new CTUIKeyButton(QStringLiteral("OK"), 120, kKeyHeight, screenDpi, this);
    connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
    texts->addWidget(name);
    texts->addWidget(dpi);
    texts->addWidget(ok, 0, Qt::AlignRight);
    outer->addLayout(texts);
}

}  // namespace zol
