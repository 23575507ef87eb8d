#include "client/userdialogs/user_ir_keypad.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <limits>

#include "client/userdialogs/user_dialog_style.h"
#include "guibase/font_conversion.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

constexpr int kMargin = 20;
constexpr int kRightMargin = 25;
constexpr int kCloseGap = 20;
constexpr int kBottomExtra = 60;

struct Box {
    std::int64_t x, y, width, height;
};

Box Clamped(const IrKeypadEntry& e) {
    return {std::clamp<std::int64_t>(e.x, 0, kIrMaxCoordinate),
            std::clamp<std::int64_t>(e.y, 0, kIrMaxCoordinate),
            std::clamp<std::int64_t>(e.width, 1, kIrMaxSize),
            std::clamp<std::int64_t>(e.height, 1, kIrMaxSize)};
}

}  // namespace

CUserIRKeypad::CUserIRKeypad(const std::string& objectName,
                             const std::vector<IrKeypadEntry>& entries, SendKey send, int dpi,
                             QWidget* parent)
    : QDialog(parent), send_(std::move(send)) {
    setModal(true);
    setWindowTitle(FromWindows1252(objectName));
    setStyleSheet(UserDialogStyleSheet(dpi) +
                  QStringLiteral("QPushButton#irKey { background: #5CC9F1; color: #092A3A; }"
                                 "QPushButton#irKey:pressed { background: #FFC94A; }"));
    font_ = QFont(QStringLiteral("Arial"));
    font_.setPixelSize(PointsToPixels(16, dpi));

    std::int64_t left = std::numeric_limits<std::int64_t>::max();
    std::int64_t top = left;
    for (const IrKeypadEntry& e : entries) {
        const Box b = Clamped(e);
        left = std::min(left, b.x);
        top = std::min(top, b.y);
    }
    std::int64_t right = 0;
    std::int64_t bottom = 0;
    for (const IrKeypadEntry& e : entries) {
        const Box b = Clamped(e);
        const QRect rect(static_cast<int>(2 * (b.x - left) + kMargin),
                         static_cast<int>(2 * (b.y - top) + kMargin), static_cast<int>(2 * b.width),
                         static_cast<int>(2 * b.height));
        right = std::max<std::int64_t>(right, rect.x() + rect.width());
        bottom = std::max<std::int64_t>(bottom, rect.y() + rect.height());
        if (e.label) {
            auto* label = new QLabel(FromWindows1252(e.caption), this);
            label->setFont(font_);
            label->setAlignment(Qt::AlignCenter);
            label->setGeometry(rect);
            continue;
        }
        auto* button = new QPushButton(FromWindows1252(e.caption), this);
        button->setObjectName(QStringLiteral("irKey"));
        button->setFont(font_);
        button->setGeometry(rect);
        button->setFocusPolicy(Qt::NoFocus);
        buttons_.push_back(button);
        connect(button, &QPushButton::clicked, this, [this, key = e.keyName] {
            const bool first = !pressed_;
            pressed_ = true;
            if (send_)
                send_(key, first);
        });
    }
    closeButton_ = MakePadKey(QStringLiteral("Close"), 160, 56, dpi, this);
    const int lowest = entries.empty() ? kMargin : static_cast<int>(bottom);
    const int width = std::max(static_cast<int>(right) + kRightMargin, closeButton_->width() + 40);
    closeButton_->move((width - closeButton_->width()) / 2, lowest + kCloseGap);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(width, lowest + closeButton_->height() + kBottomExtra);
}

}  // namespace zol
