#include "client/toolwindows/settings_connection_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimerEvent>

#include <cstdio>

#include "client/core/alert.h"
#include "client/core/client_settings.h"
#include "client/core/effective_connection.h"
#include "client/toolwindows/checked_number_edit.h"
#include "client/toolwindows/discovery_popup.h"
#include "client/toolwindows/discovery_texts.h"
#include "client/toolwindows/remote_access_viewer.h"
#include "client/toolwindows/tool_window_look.h"
#include "guibase/windows1252_text.h"
#include "serverlink/server_address.h"

namespace zol {

namespace {

constexpr int kDiscoveryTickMs = 1000;
constexpr std::int32_t kLargestPort = 65535;
constexpr std::int32_t kLongestTimeout = 600;            // seconds
constexpr std::int32_t kLongestReconnectTime = 86400;    // seconds
constexpr std::int32_t kLongestKeepAliveTime = 24 * 60;  // minutes

QString DottedText(std::uint32_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", (address >> 24) & 0xFFu,
                  (address >> 16) & 0xFFu, (address >> 8) & 0xFFu, address & 0xFFu);
    return QString::fromLatin1(text);
}

// Digits and dots only: meant as a dotted address, so it must be a whole one.
bool LooksDotted(const QString& text) {
    static const QRegularExpression digitsAndDots(QStringLiteral("^[0-9.]+$"));
    return digitsAndDots.match(text).hasMatch();
}

bool IsStrictDottedAddress(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString& part : parts) {
        bool ok = false;
        if (part.isEmpty() || part.size() > 3 || part.toInt(&ok) > 255 || !ok)
            return false;
    }
    return true;
}

bool IsHostName(const QString& text) {
    static const QRegularExpression hostName(
        QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?"
                       "(\\.[A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?)*$"));
    return text.size() <= 253 && hostName.match(text).hasMatch();
}

void ShowAlertDialog(int kind, const QString& text, const QString& heading) {
    CAlert alert(kind, text, heading);
    alert.exec();
}

}  // namespace

CSettingsConnection::CSettingsConnection(int dpi, QWidget* parent)
    : COptionsPage(dpi, parent), alertShower_(&ShowAlertDialog) {
    QGroupBox* server = AddGroup(QStringLiteral("ZOL Server"), 0);
    address_ = AddText(server, QStringLiteral("Address or name"));
    address_->setPlaceholderText(QStringLiteral("e.g. 192.168.1.20 or zolserver"));
    connect(address_, &QLineEdit::textChanged, this, &COptionsPage::ProblemChanged);
    port_ = AddNumber(server, QStringLiteral("Port"), QStringLiteral("The server port"), 1,
                      kLargestPort, QString());
    password_ = AddText(server, QStringLiteral("Password"));
    password_->setEchoMode(QLineEdit::Password);
    clientName_ = AddText(server, QStringLiteral("Client name"));
    autoConnect_ = AddCheck(server, QStringLiteral("Connect when the client starts"));
    findServer_ = MakeTouchButton(QStringLiteral("Find the Server"), server, dpi);
    AddRow(server, QString(), findServer_);
    connect(findServer_, &QPushButton::clicked, this, &CSettingsConnection::StartDiscovery);

    QGroupBox* relay = AddGroup(QStringLiteral("Cloud Connect"), 0);
    useRelay_ = AddCheck(relay, QStringLiteral("Connect through the cloud relay"));
    relayToken_ = AddText(relay, QStringLiteral("Cloud token"));
    relayAddress_ = AddText(relay, QStringLiteral("Relay address"));
    relayPort_ = AddNumber(relay, QStringLiteral("Relay port"), QStringLiteral("The relay port"), 1,
                           kLargestPort, QString());
    neverRelay_ = AddCheck(relay, QStringLiteral("Never use the cloud relay"));

    QGroupBox* watch = AddGroup(QStringLiteral("Staying Connected"), 1);
    autoReconnect_ = AddCheck(watch, QStringLiteral("Reconnect when the connection drops"));
    autoReconnectTime_ =
        AddNumber(watch, QStringLiteral("Try again every"), QStringLiteral("The reconnect time"), 1,
                  kLongestReconnectTime, QStringLiteral("seconds"));
    EnableWith(autoReconnect_, autoReconnectTime_);
    keepAlive_ = AddCheck(watch, QStringLiteral("Send keep-alive pings"));
    keepAliveTime_ =
        AddNumber(watch, QStringLiteral("Ping every"), QStringLiteral("The keep-alive time"), 1,
                  kLongestKeepAliveTime, QStringLiteral("minutes"));
    EnableWith(keepAlive_, keepAliveTime_);

    QGroupBox* timeouts = AddGroup(QStringLiteral("Time-outs"), 1);
    replyTimeout_ =
        AddNumber(timeouts, QStringLiteral("Reply"), QStringLiteral("The reply time-out"), 1,
                  kLongestTimeout, QStringLiteral("seconds"));
    connectTimeout_ =
        AddNumber(timeouts, QStringLiteral("Connect"), QStringLiteral("The connect time-out"), 1,
                  kLongestTimeout, QStringLiteral("seconds"));
    sendTimeout_ = AddNumber(timeouts, QStringLiteral("Send"), QStringLiteral("The send time-out"),
                             1, kLongestTimeout, QStringLiteral("seconds"));
    viewer_ = MakeTouchButton(QStringLiteral("Remote Access Viewer"), timeouts, dpi);
    AddRow(timeouts, QString(), viewer_);
    connect(viewer_, &QPushButton::clicked, this, [this] { CRemoteAccessViewer::Open(window()); });
}

CSettingsConnection::~CSettingsConnection() = default;

void CSettingsConnection::Load(const ClientSettings& s) {
    if (s.primaryType == kAddressKindHostName)
        address_->setText(FromWindows1252(s.primaryName));
    else if (s.primaryIPAddress != 0)
        address_->setText(DottedText(static_cast<std::uint32_t>(s.primaryIPAddress)));
    else
        address_->clear();
    port_->SetValue(s.serverPort);
    password_->setText(FromWindows1252(s.password));
    clientName_->setText(FromWindows1252(s.clientName));
    autoConnect_->setChecked(s.autoConnect != 0);
    useRelay_->setChecked(s.useAgentConnection != 0);
    neverRelay_->setChecked(s.cloudMasterDisable != 0);
    relayToken_->setText(FromWindows1252(s.agentToken));
    relayAddress_->setText(FromWindows1252(s.agentAddress));
    relayPort_->SetValue(s.agentPort);
    autoReconnect_->setChecked(s.autoReconnect != 0);
    autoReconnectTime_->SetValue(s.autoReconnectTime);
    keepAlive_->setChecked(s.keepAliveEnable != 0);
    keepAliveTime_->SetValue(s.keepAliveTime);
    replyTimeout_->SetValue(s.serverReplyTimeout);
    connectTimeout_->SetValue(s.serverConnectTimeout);
    sendTimeout_->SetValue(s.serverSendTimeout);
}

void CSettingsConnection::Save(ClientSettings& s) const {
    const QString address = address_->text().trimmed();
    if (address.isEmpty()) {
        s.primaryType = kAddressKindIPv4;
        s.primaryIPAddress = 0;
    } else if (IsStrictDottedAddress(address)) {
        s.primaryType = kAddressKindIPv4;
        s.primaryIPAddress =
            static_cast<std::int32_t>(ParseDottedAddress(address.toStdString()).value_or(0));
    } else {
        s.primaryType = kAddressKindHostName;
        s.primaryName = ToWindows1252(address);
    }
    StoreNumber(port_, s.serverPort);
    s.password = ToWindows1252(password_->text());
    s.clientName = ToWindows1252(clientName_->text());
    s.autoConnect = autoConnect_->isChecked() ? 1 : 0;
    s.useAgentConnection = useRelay_->isChecked() ? 1 : 0;
    s.cloudMasterDisable = neverRelay_->isChecked() ? 1 : 0;
    s.agentToken = ToWindows1252(relayToken_->text());
    s.agentAddress = ToWindows1252(relayAddress_->text().trimmed());
    StoreNumber(relayPort_, s.agentPort);
    s.autoReconnect = autoReconnect_->isChecked() ? 1 : 0;
    StoreNumber(autoReconnectTime_, s.autoReconnectTime);
    s.keepAliveEnable = keepAlive_->isChecked() ? 1 : 0;
    StoreNumber(keepAliveTime_, s.keepAliveTime);
    StoreNumber(replyTimeout_, s.serverReplyTimeout);
    StoreNumber(connectTimeout_, s.serverConnectTimeout);
    StoreNumber(sendTimeout_, s.serverSendTimeout);
    // The secondary server shares the primary's port and password.
    s.secondaryPort = s.serverPort;
    s.secondaryPassword = s.password;
}

QString CSettingsConnection::AddressProblem() const {
    const QString address = address_->text().trimmed();
    if (address.isEmpty())
        return QString();
    if (LooksDotted(address) ? IsStrictDottedAddress(address) : IsHostName(address))
        return QString();
    return QStringLiteral(
        "The server address must be an IP address such as 192.168.1.20, or a computer name.");
}

QString CSettingsConnection::Problem() const {
    if (QString problem = AddressProblem(); !problem.isEmpty())
        return problem;
    return COptionsPage::Problem();
}

QWidget* CSettingsConnection::ProblemField() const {
    if (!AddressProblem().isEmpty())
        return address_;
    return COptionsPage::ProblemField();
}

void CSettingsConnection::StartDiscovery() {
    if (discovery_)
        return;
    address_->clear();
    port_->setText(QStringLiteral("0"));
    auto discovery = std::make_unique<BridgeDiscovery>(discoveryOptions_);
    if (!discovery->Start())
        return;
    discovery_ = std::move(discovery);
    discoveryTimer_.start(kDiscoveryTickMs, this);
    popup_ = new CDiscoveryPopup(Dpi(), this);
    popup_->show();
}

void CSettingsConnection::timerEvent(QTimerEvent* event) {
    if (event->timerId() == discoveryTimer_.timerId()) {
        PollDiscovery();
        return;
    }
    COptionsPage::timerEvent(event);
}

void CSettingsConnection::EndDiscovery() {
    discoveryTimer_.stop();
    if (popup_) {
        popup_->close();
        popup_->deleteLater();
    }
    discovery_.reset();
}

void CSettingsConnection::PollDiscovery() {
    if (!discovery_)
        return;
    switch (discovery_->Poll()) {
        case BridgeDiscovery::PollResult::Waiting:
            return;
        case BridgeDiscovery::PollResult::Found: {
            const std::string address = discovery_->FoundAddressText();
            const int port = discovery_->FoundPort();
            EndDiscovery();
            address_->setText(QString::fromLatin1(address.c_str()));
            port_->SetValue(port);
            // The alert runs a nested loop: nothing of this page is used after it.
            alertShower_(AlertInfo, QString::fromLatin1(ServerFoundText(address, port).c_str()),
                         QString::fromLatin1(kServerFoundHeading));
            return;
        }
        case BridgeDiscovery::PollResult::NotFound:
            EndDiscovery();
            alertShower_(AlertCannot, QString::fromLatin1(kServerNotFoundText),
                         QString::fromLatin1(kServerNotFoundHeading));
            return;
    }
}

}  // namespace zol
