#include "client/popups/tui_popup.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>

#include <algorithm>

#include "client/core/app_messages.h"
#include "client/core/client_settings.h"
#include "client/core/qt_clock.h"
#include "client/model/design.h"
#include "client/model/device_commands.h"
#include "client/popups/control_popup_registry.h"
#include "client/popups/home_return_hold.h"
#include "client/popups/popup_style.h"
#include "client/popups/tui_button.h"
#include "guibase/color_ref.h"
#include "guibase/dpi_scale.h"
#include "guibase/windows1252_text.h"

namespace zol {
namespace {

// A day: a larger setting is a broken one, not a wish to wait longer.
constexpr std::int64_t kMaxCloseMs = std::int64_t{24} * 3600 * 1000;

}  // namespace

CTUIPopup::CTUIPopup(PopupContext context, std::int32_t objectId, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      context_(std::move(context)),
      objectId_(objectId),
      dpi_(context_.services.screenDpi > 0 ? context_.services.screenDpi : kReferenceDpi),
      timers_(MakeWindowClock(context_.services.makeClock)) {
    setModal(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, FromColorRef(kPopupBackColor));
    palette.setColor(QPalette::WindowText, FromColorRef(kButtonTextColor));
    setPalette(palette);
    setAutoFillBackground(true);
}

CTUIPopup::~CTUIPopup() {
    ControlPopups().ClearOpenPopup(this);
    ControlPopups().Untrack(this);
}

int CTUIPopup::Scaled(int pixels) const {
    return ScalePixels(pixels, dpi_);
}

DesignObject* CTUIPopup::Object() {
    Design* design = context_.services.design ? context_.services.design() : nullptr;
    DesignObject* object = design != nullptr ? design->FindObject(objectId_) : nullptr;
    if (object == nullptr && initialised_ && !closing_)
        reject();
    return object;
}

bool CTUIPopup::Initialise() {
    DesignObject* object = Object();
    if (object == nullptr)
        return false;

    setMinimumWidth(Scaled(kPopupMinWidth));
    auto* outer = new QVBoxLayout(this);
    // The pop-up is as large as its touch targets need, never squeezed to a
    // share of the screen.
    outer->setSizeConstraint(QLayout::SetFixedSize);
    outer->setContentsMargins(Scaled(kPopupMargin), Scaled(kPopupMargin), Scaled(kPopupMargin),
                              Scaled(kPopupMargin));
    outer->setSpacing(Scaled(kPopupSpacing));
    auto* header = new QHBoxLayout();
    header->setSpacing(Scaled(kPopupSpacing));
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("title"));
    title_->setProperty("controlId", kTitleControlId);
    title_->setTextFormat(Qt::PlainText);
    // One line: a wrapping label's height depends on its width, which a
    // pop-up sized to its contents does not settle.
    // Concatenated, never formatted: a "%2" in a name stays text.
    title_->setText(FromWindows1252(FullObjectName(*object)));
    QFont titleFont = title_->font();
    titleFont.setPixelSize(Scaled(kTitlePixels));
    titleFont.setBold(true);
    title_->setFont(titleFont);
    QPalette titlePalette = title_->palette();
    titlePalette.setColor(QPalette::WindowText, FromColorRef(kPopupTitleColor));
    title_->setPalette(titlePalette);
    header->addWidget(title_, 1);
    close_ = new CTUIButton(dpi_, this);
    close_->setObjectName(QStringLiteral("close"));
    close_->setProperty("controlId", kCloseControlId);
    if (!close_->LoadSlotImage("PopupClose.png", 0)) {
        // Without its picture the button still has to be found by a finger.
        close_->setFixedSize(Scaled(kMinTouchTarget), Scaled(kMinTouchTarget));
    }
    connect(close_, &QAbstractButton::clicked, this, [this] { accept(); });
    header->addWidget(close_, 0, Qt::AlignTop);
    outer->addLayout(header);

    auto* body = new QVBoxLayout();
    body->setSpacing(Scaled(kPopupSpacing));
    outer->addLayout(body);
    QPointer<CTUIPopup> self(this);
    if (!BuildBody(*body, *object) || !self)
        return false;
    // Building may have waited for the server (the thermostat reads its
    // state) while a push or a reload freed the object.
    if (Object() == nullptr)
        return false;

    initialised_ = true;
    ControlPopups().Track(this);
    if (RegistersAsOpenPopup())
        ControlPopups().SetOpenPopup(this);
    hold_ = std::make_unique<HomeReturnHold>(
        context_.services.mainFrame ? context_.services.mainFrame() : nullptr,
        context_.view.data());
    StartCloseTimer();
    return true;
}

void CTUIPopup::StartCloseTimer() {
    const ClientSettings* s = context_.services.settings;
    if (!AutoCloses() || s == nullptr || s->enablePopupCloseTime == 0)
        return;
    const std::int64_t ms =
        std::clamp<std::int64_t>(std::int64_t{s->tuiPopupCloseTime} * 1000, 0, kMaxCloseMs);
    // Only this timer closes the pop-up; its other timers do their own work.
    timers_->StartOneShot(kPopupCloseTimerId, std::chrono::milliseconds(ms), [this] { accept(); });
}

void CTUIPopup::RestartCloseTimer() {
    StartCloseTimer();
    PostAppMessage(context_.view.data(), AppMessage::UserActivity);
}

std::optional<int> CTUIPopup::Send(
    const std::function<int(DeviceCommands&, const DesignObject&)>& command) {
    const DesignObject* object = Object();
    if (object == nullptr || closed_ || context_.services.channel == nullptr ||
        context_.services.reporter == nullptr) {
        return std::nullopt;
    }
    const DesignObject copy = *object;
    QPointer<CTUIPopup> self(this);
    DeviceCommands commands(*context_.services.channel, *context_.services.reporter);
    const int result = command(commands, copy);
    if (!self || closed_)
        return std::nullopt;
    return result;
}

void CTUIPopup::done(int result) {
    if (closing_)
        return;
    closing_ = true;
    QPointer<CTUIPopup> self(this);
    if (initialised_)
        BeforeClose();
    if (!self)
        return;
    closed_ = true;
    timers_->Stop(kPopupCloseTimerId);
    ControlPopups().ClearOpenPopup(this);
    ControlPopups().Untrack(this);
    hold_.reset();
    QDialog::done(result);
}

bool CTUIPopup::event(QEvent* event) {
    if (const AppMessageEvent* message = AppMessageEvent::From(event);
        message != nullptr && message->Message() == AppMessage::ObjectChanged) {
        if (initialised_ && !closing_ && message->LParam() == objectId_) {
            if (const DesignObject* object = Object())
                OnObjectChanged(*object);
        }
        return true;
    }
    return QDialog::event(event);
}

void CTUIPopup::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CTUIPopup::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // A frameless pop-up on the dark view needs its own edge.
    QPainter painter(this);
    painter.setPen(QPen(FromColorRef(kEnabledButtonColor).darker(160), Scaled(2)));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace zol
