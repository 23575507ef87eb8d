#include "client/toolwindows/server_connect.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <cstdio>

#include "client/core/app_messages.h"
#include "client/core/interface_picture.h"
#include "guibase/color_ref.h"
#include "guibase/dialog_units.h"
#include "guibase/dpi_scale.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

constexpr std::uint32_t kFailureColor = 0x2100A5;
constexpr std::uint32_t kInformationColor = 0x7F0000;

// Dialog template 185, in dialog units.
// Wide enough for the longest failure line of the connect step.
constexpr QSize kDialogUnits{400, 214};
constexpr QRect kHeaderUnits{10, 12, 330, 10};
constexpr QRect kLogoUnits{362, 6, 32, 30};
constexpr int kStageTop = 36;
constexpr int kStageStep = 13;
constexpr QRect kStagePictureUnits{14, 0, 10, 9};
constexpr QRect kStageLabelUnits{30, 0, 330, 9};
constexpr int kMessageTop = 144;
constexpr int kMessageStep = 9;
constexpr QRect kMessageUnits{10, 0, 384, 9};
constexpr QRect kCloseUnits{175, 196, 50, 14};

constexpr std::array<const char*, 6> kPictureFiles = {"ConnectWhite.png",  "ConnectRed.png",
                                                      "ConnectGreen.png",  "ConnectWorking.png",
                                                      "ConnectYellow.png", "ZOL_icon_green_48.png"};
constexpr std::size_t kLogoPicture = 5;

constexpr std::array<const char*, kConnectStages> kStageNames = {
    "Establishing communications with the ZOL Server",
    "Checking server version",
    "Checking remote access password",
    "Retrieving design",
    "Retrieving displays",
    "Retrieving user icons",
    "Retrieving home modes and schedule names",
    "Setting connection options"};

}  // namespace

CServerConnect::CServerConnect(const ConnectDialogOptions& options, QWidget* parent)
    : QDialog(parent), options_(options) {
    setObjectName(QStringLiteral("serverConnect"));
    setWindowTitle(QStringLiteral("Connect to server"));
    setModal(false);
    QFont dialogFont(QStringLiteral("Microsoft Sans Serif"));
    dialogFont.setPointSize(8);
    setFont(dialogFont);
    const DialogUnits units(dialogFont);
    setFixedSize(units.X(kDialogUnits.width()), units.Y(kDialogUnits.height()));

    header_ = new QLabel(QStringLiteral("Connecting to server ..."), this);
    header_->setGeometry(units.ToPixels(kHeaderUnits));
    logoSpot_ = new QWidget(this);
    logoSpot_->setGeometry(units.ToPixels(kLogoUnits));

    for (int stage = 0; stage < kConnectStages; ++stage) {
        const int top = kStageTop + stage * kStageStep;
        QWidget* spot = new QWidget(this);
        spot->setGeometry(units.ToPixels(kStagePictureUnits.translated(0, top)));
        stageSpots_[static_cast<std::size_t>(stage)] = spot;
        auto* label =
            new QLabel(QString::fromLatin1(kStageNames[static_cast<std::size_t>(stage)]), this);
        label->setGeometry(units.ToPixels(kStageLabelUnits.translated(0, top)));
    }

    // 1: the six colour statics, failure colour, empty.
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto* line = new QLabel(this);
        line->setObjectName(QStringLiteral("Message%1").arg(i + 1));
        line->setGeometry(units.ToPixels(
            kMessageUnits.translated(0, kMessageTop + static_cast<int>(i) * kMessageStep)));
        lines_[i] = line;
        SetLine(static_cast<int>(i), QString(), true);
    }

    close_ = new QPushButton(QStringLiteral("Close"), this);
    close_->setGeometry(units.ToPixels(kCloseUnits));
    connect(close_, &QPushButton::clicked, this, &QDialog::close);

    // 2: the pictures; one that cannot be loaded is not drawn.
    for (std::size_t i = 0; i < pictures_.size(); ++i)
        pictures_[i] = LoadInterfacePicture(kPictureFiles[i]);
    // 3: every stage not begun.
    states_.fill(StageState::NotBegun);

    autoCloseTimer_.setSingleShot(true);
    connect(&autoCloseTimer_, &QTimer::timeout, this, &QDialog::close);
}

QString CServerConnect::HeaderFor(bool viaRelay, const std::string& hostName, std::uint32_t address,
                                  int port) {
    if (viaRelay)
        return QStringLiteral("Connecting to server via ZOL Cloud");
    char text[400];
    const unsigned a = (address >> 24) & 0xFF;
    const unsigned b = (address >> 16) & 0xFF;
    const unsigned c = (address >> 8) & 0xFF;
    const unsigned d = address & 0xFF;
    if (!hostName.empty()) {
        std::snprintf(text, sizeof(text), "Connecting to server at %s (%u.%u.%u.%u) port %d",
                      hostName.c_str(), a, b, c, d, port);
    } else {
        std::snprintf(text, sizeof(text), "Connecting to server at %u.%u.%u.%u port %d", a, b, c, d,
                      port);
    }
    return FromWindows1252(text);
}

void CServerConnect::SetHeader(const QString& header) {
    header_->setText(header);
}

QString CServerConnect::Header() const {
    return header_->text();
}

QString CServerConnect::MessageLine(int line) const {
    if (line < 1 || line > static_cast<int>(lines_.size()))
        return QString();
    return lines_[static_cast<std::size_t>(line - 1)]->text();
}

void CServerConnect::ReportStage(int stage, StageState state) {
    AppMessageEvent message(AppMessage::ConnectStage, static_cast<std::intptr_t>(state), stage);
    QCoreApplication::sendEvent(this, &message);
}

void CServerConnect::ReportText(int line, const std::string& text) {
    AppMessageEvent message(AppMessage::ConnectText, line, 0, std::make_unique<TextPayload>(text));
    QCoreApplication::sendEvent(this, &message);
}

bool CServerConnect::event(QEvent* event) {
    AppMessageEvent* message = AppMessageEvent::From(event);
    if (message == nullptr)
        return QDialog::event(event);
    if (message->Message() == AppMessage::ConnectStage) {
        const std::intptr_t stage = message->LParam();
        const std::intptr_t state = message->WParam();
        if (stage >= 0 && stage < kConnectStages && state >= 0 && state <= 4) {
            states_[static_cast<std::size_t>(stage)] = static_cast<StageState>(state);
            // Drawn at once: the sequence goes on working on this thread.
            repaint(stageSpots_[static_cast<std::size_t>(stage)]->geometry());
        }
    } else if (message->Message() == AppMessage::ConnectText) {
        if (auto* text = message->PayloadAs<TextPayload>())
            ShowText(static_cast<int>(message->WParam()), FromWindows1252(text->text));
    }
    return true;
}

void CServerConnect::SetLine(int index, const QString& text, bool failure) {
    QLabel* line = lines_[static_cast<std::size_t>(index)];
    QPalette palette = line->palette();
    palette.setColor(QPalette::WindowText,
                     FromColorRef(failure ? kFailureColor : kInformationColor));
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    line->setPalette(palette);
    line->setText(text);
}

void CServerConnect::ShowText(int line, const QString& text) {
    if (line == 0) {
        // The failure text in up to three lines; the third keeps any further
        // line feeds.
        const qsizetype first = text.indexOf(QLatin1Char('\n'));
        const qsizetype second = first < 0 ? -1 : text.indexOf(QLatin1Char('\n'), first + 1);
        SetLine(0, first < 0 ? text : text.left(first), true);
        SetLine(1,
                first < 0 ? QString() : text.mid(first + 1, second < 0 ? -1 : second - first - 1),
                true);
        SetLine(2, second < 0 ? QString() : text.mid(second + 1), true);
        for (int i = 0; i < 3; ++i)
            lines_[static_cast<std::size_t>(i)]->repaint();
    } else if (line >= 1 && line <= kConnectInfoLines) {
        SetLine(line - 1, text, false);
        lines_[static_cast<std::size_t>(line - 1)]->repaint();
    } else {
        return;
    }
    if (options_.autoClose && options_.autoCloseSeconds > 0)
        autoCloseTimer_.start(static_cast<int>(
            std::min<std::int64_t>(std::int64_t{options_.autoCloseSeconds} * 1000, INT32_MAX)));
}

void CServerConnect::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    auto draw = [&](const QPixmap& picture, const QRect& at) {
        if (picture.isNull())
            return;
        const QSize size(ScalePixels(picture.width(), options_.dpi),
                         ScalePixels(picture.height(), options_.dpi));
        painter.drawPixmap(QRect(at.topLeft(), size), picture);
    };
    for (std::size_t i = 0; i < stageSpots_.size(); ++i)
        draw(pictures_[static_cast<std::size_t>(states_[i])], stageSpots_[i]->geometry());
    draw(pictures_[kLogoPicture], logoSpot_->geometry());
}

}  // namespace zol
