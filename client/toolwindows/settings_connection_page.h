// CSettingsConnection: the connection page of the client options. Server
// address (dotted or a name), port, password and client name; the cloud
// relay; reconnect, keep-alive and time-outs; the server search; and the
// button that opens the remote access viewer.
//
// The server search sends one datagram and then looks for the answer once a
// second on the user-interface thread (timer 11 of the original), showing
// CDiscoveryPopup meanwhile; the answer fills the address and port fields.
#pragma once

#include <QBasicTimer>
#include <QPointer>

#include <functional>
#include <memory>

#include "client/toolwindows/options_page.h"
#include "serverlink/bridge_discovery.h"

class QPushButton;

namespace zol {

class CDiscoveryPopup;

class CSettingsConnection : public COptionsPage {
    Q_OBJECT
  public:
    // Shows an alert of a kind with a message and heading (the client's
    // alert dialog; tests record them instead).
    using AlertShower = std::function<void(int kind, const QString& text, const QString& heading)>;

    CSettingsConnection(int dpi, QWidget* parent);
    ~CSettingsConnection() override;

    void Load(const ClientSettings& settings) override;
    void Save(ClientSettings& settings) const override;
    QString Problem() const override;
    QWidget* ProblemField() const override;

    // Where the search goes: the broadcast address and port 1998 unless a
    // test points it at a responder on loopback.
    void SetDiscoveryOptions(BridgeDiscovery::Options options) { discoveryOptions_ = options; }
    void SetAlertShower(AlertShower shower) { alertShower_ = std::move(shower); }

    // Clears the address, sets the port to 0 and starts a search; a search
    // that cannot start ends silently.
    void StartDiscovery();
    bool Searching() const { return discovery_ != nullptr; }

    QLineEdit* AddressField() const { return address_; }
    CheckedNumberEdit* PortField() const { return port_; }
    CheckedNumberEdit* KeepAliveTimeField() const { return keepAliveTime_; }
    QPushButton* FindServerButton() const { return findServer_; }
    QPushButton* ViewerButton() const { return viewer_; }

  protected:
    void timerEvent(QTimerEvent* event) override;

  private:
    void PollDiscovery();
    void EndDiscovery();
    QString AddressProblem() const;

    QLineEdit* address_ = nullptr;
    CheckedNumberEdit* port_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLineEdit* clientName_ = nullptr;
    QCheckBox* autoConnect_ = nullptr;
    QCheckBox* useRelay_ = nullptr;
    QCheckBox* neverRelay_ = nullptr;
    QLineEdit* relayToken_ = nullptr;
    QLineEdit* relayAddress_ = nullptr;
    CheckedNumberEdit* relayPort_ = nullptr;
    QCheckBox* autoReconnect_ = nullptr;
    CheckedNumberEdit* autoReconnectTime_ = nullptr;
    QCheckBox* keepAlive_ = nullptr;
    CheckedNumberEdit* keepAliveTime_ = nullptr;
    CheckedNumberEdit* replyTimeout_ = nullptr;
    CheckedNumberEdit* connectTimeout_ = nullptr;
    CheckedNumberEdit* sendTimeout_ = nullptr;
    QPushButton* findServer_ = nullptr;
    QPushButton* viewer_ = nullptr;

    BridgeDiscovery::Options discoveryOptions_;
    std::unique_ptr<BridgeDiscovery> discovery_;
    QBasicTimer discoveryTimer_;  // timer 11 of the original, one tick a second
    QPointer<CDiscoveryPopup> popup_;
    AlertShower alertShower_;
};

}  // namespace zol
