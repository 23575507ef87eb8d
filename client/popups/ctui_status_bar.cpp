#include "client/popups/ctui_status_bar.h"

#include <QMouseEvent>
#include <QPainter>

#include <ctime>

#include "client/core/app_messages.h"
#include "client/core/client_settings.h"
#include "client/core/qt_clock.h"
#include "client/core/zol_client_app.h"
#include "client/popups/status_bar_source.h"
#include "client/popups/tui_button.h"
#include "client/popups/unlock_code.h"
#include "guibase/color_ref.h"
#include "guibase/dpi_scale.h"
#include "guibase/font_conversion.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

// Green, yellow, red (0x00BBGGRR).
constexpr std::array<std::uint32_t, 3> kStateColors = {0x63B047, 0x67D4FF, 0x6767FF};
constexpr int kSlotGap = 10;

// Control-panel results and the UI command each becomes (command, argument).
struct PanelCommand {
    int result;
    UiCommandCode command;
    int argument;
};
constexpr PanelCommand kPanelCommands[] = {
    {1, UiCommandCode::Connect, 0},       {2, UiCommandCode::ConnectAlternate, 0},
    {3, UiCommandCode::ClientOptions, 0}, {4, UiCommandCode::Exit, 0},
    {5, UiCommandCode::ServerStatus, 0},  {6, UiCommandCode::LogView, 0},
    {7, UiCommandCode::LogView, 1},       {8, UiCommandCode::LogView, 2},
};

}  // namespace

CTUIStatusBar::CTUIStatusBar(CZOLClientApp& app, int dpi, QWidget* parent)
    : CTUIStatusBar(Environment{&app.Settings(), nullptr, nullptr, nullptr, {}, {}}, dpi, parent) {}

CTUIStatusBar::CTUIStatusBar(Environment environment, int dpi, QWidget* parent)
    : QWidget(parent), env_(std::move(environment)), dpi_(dpi), texts_(*env_.settings) {
    setObjectName(QStringLiteral("statusBar"));
    if (env_.clock == nullptr) {
        auto* clock = new QtClock();
        ownClock_.reset(clock);
        env_.clock = clock;
    }
    panel_ = AddButton("ZOL_icon_yellow_48.png");
    panel_->LoadSlotImage("ZOL_icon_green_48.png", 1);
    panel_->LoadSlotImage("ZOL_icon_grey_48.png", 2);
    back_ = AddButton("NavBack.png");
    up_ = AddButton("NavUp.png");
    down_ = AddButton("NavDown.png");
    minimise_ = AddButton("NavMin.png");
    maximise_ = AddButton("NavMax.png");
    exit_ = AddButton("NavExit.png");
    back_->setEnabled(false);

    connect(panel_, &QAbstractButton::clicked, this, &CTUIStatusBar::OnControlPanel);
    connect(back_, &QAbstractButton::clicked, this, [this] {
        if (env_.source != nullptr && env_.source->HistoryCount() > 0)
            PostCommand(static_cast<int>(UiCommandCode::Back));
    });
    connect(up_, &QAbstractButton::clicked, this, [this] { Scroll(-1); });
    connect(down_, &QAbstractButton::clicked, this, [this] { Scroll(1); });
    connect(minimise_, &QAbstractButton::clicked, this, [this] {
        if (lockMode_ != kFullLock)
            PostCommand(static_cast<int>(UiCommandCode::Minimise));
    });
    connect(maximise_, &QAbstractButton::clicked, this, [this] {
        if (lockMode_ != kFullLock)
            PostCommand(static_cast<int>(UiCommandCode::FullScreen));
    });
    connect(exit_, &QAbstractButton::clicked, this, &CTUIStatusBar::OnExit);

    setAttribute(Qt::WA_OpaquePaintEvent);
    ApplyFont();
    ApplyStateColor();
    PlaceButtons();
    env_.clock->StartPeriodic(kStatusBarTimerId, std::chrono::milliseconds(kStatusBarRefreshMs),
                              [this] { Refresh(); });
}

CTUIStatusBar::~CTUIStatusBar() {
    env_.clock->Stop(kStatusBarTimerId);
}

int CTUIStatusBar::Px(int pixelsAt96) const {
    return ScalePixels(pixelsAt96, dpi_);
}

CTUIButton* CTUIStatusBar::AddButton(const char* picture) {
    auto* button = new CTUIButton(dpi_, this);
    button->LoadSlotImage(picture, 0);
    return button;
}

QColor CTUIStatusBar::StateColor() const {
    return FromColorRef(kStateColors[static_cast<std::size_t>(stateIndex_)]);
}

void CTUIStatusBar::ApplyFont() {
    const ClientSettings& s = *env_.settings;
    const LogFont& font = s.statusBarFont;
    const int height = PointsToFontHeight(std::abs(font.height), dpi_);
    statusFont_ = WindowsFont(FromWindows1252(font.faceName), height, font.weight);
    statusFont_.setItalic(font.italic != 0);
    textColor_ = FromColorRef(static_cast<std::uint32_t>(s.startBarFontColor));
}

void CTUIStatusBar::ApplyStateColor() {
    const QColor color = StateColor();
    const auto colorRef =
        static_cast<std::uint32_t>(color.red() | (color.green() << 8) | (color.blue() << 16));
    for (CTUIButton* b : {panel_, back_, up_, down_, minimise_, maximise_, exit_})
        b->SetBackColor(colorRef);
    update();
}

void CTUIStatusBar::PlaceButtons() {
    const int w = panel_->width();
    const int top = std::max(0, (height() - w) / 2);
    const int right = width();
    panel_->move(0, top);
    back_->move(w + Px(8), top);
    up_->move(w + Px(16) + w, top);
    down_->move(w + Px(24) + 2 * w, top);
    exit_->move(right - w, top);
    if (lockMode_ == kPartialLock) {
        minimise_->move(right - 2 * w - Px(8), top);
    } else {
        maximise_->move(right - 2 * w - Px(4), top);
        minimise_->move(right - 3 * w - Px(8), top);
    }
    update();
}

void CTUIStatusBar::ShowWindowButtons() {
    minimise_->setVisible(lockMode_ != kFullLock);
    exit_->setVisible(lockMode_ != kFullLock);
    maximise_->setVisible(lockMode_ == kUnlocked);
    PlaceButtons();
}

void CTUIStatusBar::ConnectionStateChanged(bool connected) {
    connected_ = connected;
    everConnected_ = everConnected_ || connected;
    Refresh();
}

void CTUIStatusBar::ServerStatusChanged(int statusKind,
                                        const std::array<std::int32_t, 5>& numbers) {
    serverStatusKind_ = statusKind;
    serverNumbers_ = numbers;
    Refresh();
}

void CTUIStatusBar::HomeModeChanged(int mode) {
    // The button has pictures for modes 0 to 2 only.
    if (mode < 0 || mode > 2)
        return;
    homeMode_ = mode;
    panel_->ShowSlot(mode);
}

void CTUIStatusBar::SetLockMode(int mode) {
    if (mode != kFullLock && mode != kPartialLock)
        mode = kUnlocked;
    lockMode_ = mode;
    if (lockMode_ != kUnlocked)
        dragging_ = false;
    ShowWindowButtons();
}

void CTUIStatusBar::RefreshAfterOptions() {
    texts_.Reload(*env_.settings);
    ApplyFont();
    Refresh();
}

void CTUIStatusBar::Refresh() {
    int index = 0;
    if (serverStatusKind_ == 2)
        index = 1;
    else if (serverStatusKind_ == 3)
        index = 2;
    if (everConnected_ && !connected_)
        index = 2;
    if (index != stateIndex_) {
        stateIndex_ = index;
        ApplyStateColor();
    }
    if (env_.source == nullptr)
        return;
    QPointer<CTUIStatusBar> self(this);
    texts_.RefreshUserTexts(connected_, env_.clock->Now(), [this](std::string_view text) {
        return env_.source->FormatText(text);
    });
    // Formatting may have run a message box's loop, during which the bar
    // could have gone with its window.
    if (!self)
        return;
    const SlotContext context{env_.source->CurrentDisplayCaption(), env_.source->DesignTitle(),
                              DateTimeNow()};
    SlotTexts fresh = texts_.Slots(env_.source->HistoryCount() == 0, context, slots_);
    if (fresh != slots_) {
        slots_ = std::move(fresh);
        update();
    }
}

std::string CTUIStatusBar::DateTimeNow() const {
    const std::time_t now = std::chrono::system_clock::to_time_t(env_.clock->Now());
    std::tm local{};
    localtime_r(&now, &local);
    return FormatStatusDateTime(env_.settings->statusBarDateTimeFormat, local);
}

void CTUIStatusBar::NavigationChanged() {
    if (env_.source != nullptr) {
        back_->setEnabled(env_.source->HistoryCount() > 0);
        up_->setEnabled(!env_.source->IconListsAtTop());
        down_->setEnabled(!env_.source->IconListsAtEnd());
    }
    Refresh();
}

void CTUIStatusBar::Scroll(int rows) {
    if (env_.source == nullptr)
        return;
    env_.source->ScrollIconLists(rows);
    NavigationChanged();
}

void CTUIStatusBar::PostCommand(int command, int argument) {
    QObject* target = env_.commandTarget != nullptr ? env_.commandTarget : window();
    PostAppMessage(target, AppMessage::UiCommand, command, argument);
}

bool CTUIStatusBar::UnlockCodeAccepted() {
    const ClientSettings& s = *env_.settings;
    if (s.uiExitPasswordEnable == 0)
        return true;
    QPointer<CTUIStatusBar> self(this);
    const std::optional<std::string> typed =
        env_.askUnlockCode ? env_.askUnlockCode() : AskUnlockCode(*env_.clock, dpi_, window());
    return self && typed && UnlockCodeMatches(s.uiLockCode, *typed);
}

bool CTUIStatusBar::ExitAllowed(bool programInitiated) {
    if (programInitiated)
        return true;
    if (lockMode_ == kFullLock)
        return false;
    return UnlockCodeAccepted();
}

void CTUIStatusBar::OnExit() {
    if (lockMode_ == kFullLock)
        return;
    QPointer<CTUIStatusBar> self(this);
    if (!UnlockCodeAccepted() || !self)
        return;
    PostCommand(static_cast<int>(UiCommandCode::Exit));
}

void CTUIStatusBar::OnControlPanel() {
    if (!env_.runControlPanel)
        return;
    QPointer<CTUIStatusBar> self(this);
    const int result = env_.runControlPanel();
    if (!self)
        return;
    ShowWindowButtons();
    for (const PanelCommand& p : kPanelCommands) {
        if (p.result != result)
            continue;
        const bool connect =
            p.command == UiCommandCode::Connect || p.command == UiCommandCode::ConnectAlternate;
        // A connect asked for while one runs would nest a second one in it.
        if (connect && env_.source != nullptr && env_.source->Connecting())
            return;
        PostCommand(static_cast<int>(p.command), p.argument);
    }
}

bool CTUIStatusBar::event(QEvent* event) {
    if (AppMessageEvent* message = AppMessageEvent::From(event)) {
        if (message->Message() == AppMessage::ShowDisplay)
            NavigationChanged();
        return true;
    }
    return QWidget::event(event);
}

void CTUIStatusBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceButtons();
}

std::array<QRect, 3> CTUIStatusBar::SlotRects() const {
    const QFontMetrics metrics(statusFont_);
    std::array<int, 3> widths{};
    for (std::size_t i = 0; i < 3; ++i)
        widths[i] = metrics.horizontalAdvance(FromWindows1252(slots_[i]));
    const int textHeight = metrics.height();
    const int top = (height() - textHeight) / 2;
    const int slot1Left = down_->geometry().right() + 1 + Px(kSlotGap);
    const int slot3Right =
        (minimise_->isVisible() ? minimise_->geometry().left() : width()) - Px(kSlotGap);
    const QRect r1(slot1Left, top, widths[0], textHeight);
    const QRect r3(slot3Right - widths[2], top, widths[2], textHeight);
    const int middle = (r1.right() + 1 + r3.left()) / 2;
    const QRect r2(middle - widths[1] / 2, top, widths[1], textHeight);
    return {r1, r2, r3};
}

void CTUIStatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), StateColor());
    painter.setFont(statusFont_);
    const std::array<QRect, 3> rects = SlotRects();
    // A soft shadow keeps light text readable on the yellow state colour.
    const QPoint shadowOffset(Px(1), Px(1));
    for (std::size_t i = 0; i < 3; ++i) {
        if (slots_[i].empty())
            continue;
        const QString text = FromWindows1252(slots_[i]);
        painter.setPen(QColor(0, 0, 0, 100));
        painter.drawText(rects[i].translated(shadowOffset), Qt::AlignLeft | Qt::AlignVCenter, text);
        painter.setPen(textColor_);
        painter.drawText(rects[i], Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

void CTUIStatusBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - window()->pos();
    grabMouse();
}

void CTUIStatusBar::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || lockMode_ != kUnlocked)
        return;
    window()->move(event->globalPosition().toPoint() - dragOffset_);
}

void CTUIStatusBar::mouseReleaseEvent(QMouseEvent*) {
    if (dragging_)
        releaseMouse();
    dragging_ = false;
}

}  // namespace zol
