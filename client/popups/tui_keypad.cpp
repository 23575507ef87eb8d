#include "client/popups/tui_keypad.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

#include "client/model/design_object.h"
#include "client/model/device_commands.h"
#include "client/popups/popup_style.h"
#include "client/popups/tui_key_button.h"
#include "guibase/windows1252_text.h"

namespace zol {
namespace {

constexpr int kRockersPerRow = 4;

std::string_view Entry(const ObjectSlots& list, int index) {
    if (index < 0 || index >= kMaxObjectSlots)
        return {};
    return list[static_cast<std::size_t>(index)];
}

}  // namespace

CTUIKeypad::CTUIKeypad(PopupContext context, std::int32_t objectId, const PopupTemplate& popup,
                       QWidget* parent)
    : CTUILoadPopup(std::move(context), objectId, popup.hasOnOff, popup.hasSlider, parent),
      template_(popup),
      layout_(KeypadLayoutOf(popup.layout)) {}

std::optional<std::string> CTUIKeypad::KeyCaption(int key, const DesignObject& object) const {
    return std::string(Entry(object.buttonNames, key));
}

bool CTUIKeypad::BuildBody(QVBoxLayout& body, const DesignObject& object) {
    if (layout_.rockers > 0) {
        auto* rockers = new QGridLayout();
        rockers->setHorizontalSpacing(Scaled(kPopupSpacing));
        rockers->setVerticalSpacing(Scaled(kPopupSpacing));
        for (int r = 0; r < layout_.rockers; ++r) {
            auto* column = new QVBoxLayout();
            column->setSpacing(Scaled(3));
            const QString top = FromWindows1252(Entry(object.texts, r));
            auto* upper = new CTUIKeyButton(top, kKeyWidth, kRockerHalfHeight, Dpi(), this);
            upper->setObjectName(QStringLiteral("R%1 TOP").arg(r + 1));
            auto* lower =
                new CTUIKeyButton(QStringLiteral("OFF"), kKeyWidth, kRockerHalfHeight, Dpi(), this);
            lower->setObjectName(QStringLiteral("R%1 BOT").arg(r + 1));
            column->addWidget(upper);
            column->addWidget(lower);
            rockers->addLayout(column, r / kRockersPerRow, r % kRockersPerRow);
            connect(upper, &QAbstractButton::clicked, this, [this, r] { PressRocker(r, 0); });
            connect(lower, &QAbstractButton::clicked, this, [this, r] { PressRocker(r, 1); });
            rockers_.emplace_back(upper, lower);
        }
        body.addLayout(rockers);
    }
    const int keyCount = layout_.keys + (layout_.sixthButton ? 1 : 0);
    if (keyCount > 0) {
        auto* grid = new QGridLayout();
        grid->setHorizontalSpacing(Scaled(kPopupSpacing));
        grid->setVerticalSpacing(Scaled(kPopupSpacing));
        const int columns = std::max(1, layout_.keyColumns);
        for (int k = 0; k < keyCount; ++k) {
            auto* key = new CTUIKeyButton(QStringLiteral("B %1").arg(k + 1), kKeyWidth, kKeyHeight,
                                          Dpi(), this);
            key->setObjectName(QStringLiteral("B %1").arg(k + 1));
            if (const std::optional<std::string> caption = KeyCaption(k, object))
                key->setText(FromWindows1252(*caption));
            if (k < layout_.keys)
                grid->addWidget(key, k / columns, k % columns);
            else
                grid->addWidget(key, (layout_.keys + columns - 1) / columns, 0, 1, columns);
            connect(key, &QAbstractButton::clicked, this, [this, k] { PressKey(k); });
            key->setVisible(!KeyHidden(k, object));
            keys_.push_back(key);
        }
        body.addLayout(grid);
    }
    AddLoadControls(body, object, false);
    RefreshIndicators(object);
    return true;
}

void CTUIKeypad::RefreshIndicators(const DesignObject& object) {
    for (int k = 0; k < static_cast<int>(keys_.size()); ++k) {
        const int entry = IndicatorEntry(k, object);
        const bool lit = entry >= 0 && entry < kMaxObjectSlots &&
                         object.buttonStates[static_cast<std::size_t>(entry)] != 0;
        keys_[static_cast<std::size_t>(k)]->SetFaceColor(lit ? kKeyIndicatorOnColor
                                                             : kEnabledButtonColor);
    }
}

void CTUIKeypad::OnObjectChanged(const DesignObject& object) {
    if (!FollowsChanges())
        return;
    RefreshIndicators(object);
    FollowLevel(object);
}

void CTUIKeypad::PressKey(int key) {
    RestartCloseTimer();
    const DesignObject* object = Object();
    if (object == nullptr || key < 0 || key >= static_cast<int>(keys_.size()))
        return;
    const int button = ButtonOfKey(key, *object);
    if (!Send([button](DeviceCommands& c, const DesignObject& o) {
            return c.PressKeypadButton(o, button, 0);
        }))
        return;
    if (const DesignObject* again = Object(); again != nullptr && FollowsChanges())
        RefreshIndicators(*again);
}

void CTUIKeypad::PressRocker(int rocker, int half) {
    RestartCloseTimer();
    Send([rocker, half](DeviceCommands& c, const DesignObject& o) {
        return c.PressKeypadButton(o, rocker, half);
    });
}

}  // namespace zol
