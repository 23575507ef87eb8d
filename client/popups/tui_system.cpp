#include "client/popups/tui_system.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>

#include <algorithm>

#include "client/core/app_messages.h"
#include "client/core/client_settings.h"
#include "client/model/design.h"
#include "client/popups/about_dlg.h"
#include "client/popups/control_popup_registry.h"
#include "client/popups/popup_style.h"
#include "client/popups/tui_button.h"
#include "client/popups/tui_key_button.h"
#include "client/popups/tui_option_button.h"
#include "guibase/color_ref.h"
#include "guibase/dpi_scale.h"
#include "guibase/windows1252_text.h"

namespace zol {
namespace {

constexpr int kCommandWidth = 190;
constexpr int kCommandHeight = 64;

QLabel* GroupCaption(const QString& text, int dpi, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setPixelSize(ScalePixels(kLabelPixels + 3, dpi));
    f.setBold(true);
    label->setFont(f);
    return label;
}

}  // namespace

CTUISystem::CTUISystem(ControlPanelServices services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      services_(std::move(services)),
      dpi_(services_.screenDpi > 0 ? services_.screenDpi : kReferenceDpi) {
    setModal(true);
    setObjectName(QStringLiteral("ZOL Client Control Panel"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, FromColorRef(kPopupBackColor));
    palette.setColor(QPalette::WindowText, FromColorRef(kButtonTextColor));
    setPalette(palette);
    setAutoFillBackground(true);

    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    outer->setContentsMargins(Scaled(kPopupMargin), Scaled(kPopupMargin), Scaled(kPopupMargin),
                              Scaled(kPopupMargin));
    outer->setSpacing(Scaled(kPopupSpacing));
    auto* header = new QHBoxLayout();
    auto* title = new QLabel(QStringLiteral("ZOL Client Control Panel"), this);
    title->setObjectName(QStringLiteral("title"));
    QFont titleFont = title->font();
    titleFont.setPixelSize(Scaled(kTitlePixels));
    titleFont.setBold(true);
    title->setFont(titleFont);
    QPalette titlePalette = title->palette();
    titlePalette.setColor(QPalette::WindowText, FromColorRef(kPopupTitleColor));
    title->setPalette(titlePalette);
    header->addWidget(title, 1);
    auto* close = new CTUIButton(dpi_, this);
    close->setObjectName(QStringLiteral("close"));
    if (!close->LoadSlotImage("PopupClose.png", 0))
        close->setFixedSize(Scaled(kMinTouchTarget), Scaled(kMinTouchTarget));
    connect(close, &QAbstractButton::clicked, this, [this] { Finish(PanelNone); });
    header->addWidget(close, 0, Qt::AlignTop);
    outer->addLayout(header);

    auto* columns = new QHBoxLayout();
    columns->setSpacing(Scaled(2 * kPopupSpacing));
    outer->addLayout(columns);
    auto* choices = new QVBoxLayout();
    choices->setSpacing(Scaled(kPopupSpacing));
    columns->addLayout(choices);
    QVBoxLayout* modeRows = nullptr;
    QVBoxLayout* scheduleRows = nullptr;
    homeModes_ = MakeGroup(QStringLiteral("Home Mode"), modeRows);
    schedules_ = MakeGroup(QStringLiteral("Schedule"), scheduleRows);
    choices->addWidget(homeModes_);
    choices->addWidget(schedules_);
    choices->addStretch(1);
    if (const Design* design = services_.design ? services_.design() : nullptr) {
        AddHomeModes(*design, *modeRows);
        AddSchedules(*design, *scheduleRows);
    }
    // Without a connection the server's modes and schedules cannot be set.
    homeModes_->setVisible(services_.connected);
    schedules_->setVisible(services_.connected);
    auto* commands = new QWidget(this);
    AddCommands(*commands);
    columns->addWidget(commands, 0, Qt::AlignTop);
    ControlPopups().Track(this);
}

CTUISystem::~CTUISystem() {
    ControlPopups().Untrack(this);
}

int CTUISystem::Scaled(int pixels) const {
    return ScalePixels(pixels, dpi_);
}

QWidget* CTUISystem::MakeGroup(const QString& caption, QVBoxLayout*& rows) {
    auto* group = new QWidget(this);
    group->setObjectName(caption);
    rows = new QVBoxLayout(group);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(Scaled(kPopupSpacing / 2));
    rows->addWidget(GroupCaption(caption, dpi_, group));
    return group;
}

void CTUISystem::AddHomeModes(const Design& design, QVBoxLayout& rows) {
    const int count = std::clamp(design.homeModeCount, 0, kMaxHomeModeNames);
    for (int mode = 0; mode < count; ++mode) {
        auto* button = new CTUIOptionButton(
            FromWindows1252(design.homeModeNames[static_cast<std::size_t>(mode)]),
            mode == services_.currentHomeMode, dpi_, homeModes_);
        button->setObjectName(QStringLiteral("mode%1").arg(mode));
        connect(button, &QAbstractButton::clicked, this, [this, mode] {
            if (mode != services_.currentHomeMode)
                homeMode_ = mode;
            Finish(PanelNone);
        });
        rows.addWidget(button);
    }
}

void CTUISystem::AddSchedules(const Design& design, QVBoxLayout& rows) {
    const int count = std::clamp(design.scheduleCount, 0, kMaxSchedules);
    for (int i = 0; i < count; ++i) {
        const int number = design.scheduleNumbers[static_cast<std::size_t>(i)];
        auto* button =
            new CTUIOptionButton(FromWindows1252(design.scheduleNames[static_cast<std::size_t>(i)]),
                                 number == services_.currentSchedule, dpi_, schedules_);
        button->setObjectName(QStringLiteral("schedule%1").arg(i));
        connect(button, &QAbstractButton::clicked, this, [this, number] {
            if (number != services_.currentSchedule)
                schedule_ = number;
            Finish(PanelNone);
        });
        rows.addWidget(button);
    }
}

void CTUISystem::AddCommands(QWidget& area) {
    auto* grid = new QGridLayout(&area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(Scaled(kPopupSpacing));
    int slot = 0;
    const auto add = [&](const QString& caption, auto action) {
        auto* button = new CTUIKeyButton(caption, kCommandWidth, kCommandHeight, dpi_, &area);
        button->setObjectName(caption);
        connect(button, &QAbstractButton::clicked, this, action);
        grid->addWidget(button, slot / 2, slot % 2);
        ++slot;
        return button;
    };
    const bool connected = services_.connected;
    CTUIKeyButton* connectButton =
        add(!connected && services_.connectedBefore ? QStringLiteral("Reconnect")
                                                    : QStringLiteral("Connect"),
            [this] {
                if (!services_.connected)
                    Finish(services_.connectedBefore ? PanelReconnect : PanelConnect);
            });
    connectButton->setEnabled(!connected);
    add(QStringLiteral("Client Options"), [this] {
        if (UnlockCodeAccepted())
            Finish(PanelClientOptions);
    });
    const int serverResults[] = {PanelServerStatus, PanelLog1, PanelLog2, PanelLog3};
    const QString serverCaptions[] = {QStringLiteral("Server Status"), QStringLiteral("Log 1"),
                                      QStringLiteral("Log 2"), QStringLiteral("Log 3")};
    for (int i = 0; i < 4; ++i) {
        const int result = serverResults[i];
        add(serverCaptions[i], [this, result] { Finish(result); })->setEnabled(connected);
    }
    const bool locked = services_.lock != LockState::Unlocked;
    add(QStringLiteral("Lock"), [this] { Lock(LockState::Locked); })->setEnabled(!locked);
    add(QStringLiteral("Lock Size/Position"), [this] {
        Lock(LockState::SizeLocked);
    })->setEnabled(!locked);
    add(QStringLiteral("Unlock"), [this] { Unlock(); })->setEnabled(locked);
    add(QStringLiteral("About ZOL Client"), [this] {
        CAboutDlg about(services_.version, services_.designDpi, dpi_, this);
        about.exec();
    });
}

CTUIKeyButton* CTUISystem::Command(const QString& caption) const {
    return findChild<CTUIKeyButton*>(caption);
}

CTUIOptionButton* CTUISystem::HomeModeButton(int index) const {
    return findChild<CTUIOptionButton*>(QStringLiteral("mode%1").arg(index));
}

CTUIOptionButton* CTUISystem::ScheduleButton(int index) const {
    return findChild<CTUIOptionButton*>(QStringLiteral("schedule%1").arg(index));
}

bool CTUISystem::UnlockCodeAccepted() {
    if (services_.settings == nullptr || services_.settings->uiExitPasswordEnable == 0)
        return true;
    return services_.checkUnlockCode && services_.checkUnlockCode();
}

void CTUISystem::Lock(LockState kind) {
    if (services_.lock == kind)
        return;
    PostAppMessage(services_.mainFrame.data(), AppMessage::UiCommand,
                   static_cast<std::intptr_t>(UiCommandCode::Lock), static_cast<int>(kind));
    Finish(PanelNone);
}

void CTUISystem::Unlock() {
    if (services_.lock == LockState::Unlocked)
        return;
    QPointer<CTUISystem> self(this);
    const bool accepted = UnlockCodeAccepted();
    if (!self || !accepted)
        return;
    PostAppMessage(services_.mainFrame.data(), AppMessage::UiCommand,
                   static_cast<std::intptr_t>(UiCommandCode::Unlock), 0);
    Finish(PanelNone);
}

void CTUISystem::Finish(int result) {
    result_ = result;
    accept();
}

void CTUISystem::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(FromColorRef(kEnabledButtonColor).darker(160), Scaled(2)));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

int OpenControlPanel(const ControlPanelServices& services, QWidget* parent) {
    QPointer<CTUISystem> panel(new CTUISystem(services, parent));
    panel->exec();
    if (!panel)
        return PanelNone;
    const int result = panel->Result();
    const std::optional<int> mode = panel->ChosenHomeMode();
    const std::optional<int> schedule = panel->ChosenSchedule();
    panel->deleteLater();
    if (mode && services.setHomeMode)
        services.setHomeMode(*mode);
    if (schedule && services.setCurrentSchedule)
        services.setCurrentSchedule(*schedule);
    return result;
}

}  // namespace zol
