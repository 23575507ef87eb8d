// The connection page's server search against zolsim's discovery responder
// on loopback (never the broadcast address), and against a port where
// nothing answers.
#include <QApplication>
#include <QElapsedTimer>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include "client/toolwindows/checked_number_edit.h"
#include "client/toolwindows/settings_connection_page.h"
#include "testsupport/child_process.h"
#include "testsupport/zolsim_control.h"

namespace zol {
namespace {

using namespace std::chrono_literals;

struct ShownAlert {
    int kind = -1;
    std::string text;
    std::string heading;
};

class ServerSearchTest : public ::testing::Test {
  protected:
    ServerSearchTest() : page_(96, nullptr) {
        page_.SetAlertShower([this](int kind, const QString& text, const QString& heading) {
            alerts_.push_back({kind, text.toStdString(), heading.toStdString()});
        });
    }

    void SearchAt(std::uint16_t port) {
        BridgeDiscovery::Options options;
        options.targetAddress = "127.0.0.1";
        options.targetPort = port;
        options.localAddress = "127.0.0.1";
        options.localPort = 0;
        page_.SetDiscoveryOptions(options);
        page_.StartDiscovery();
        ASSERT_TRUE(page_.Searching());
        EXPECT_EQ(page_.AddressField()->text(), QString());
        EXPECT_EQ(page_.PortField()->text(), QStringLiteral("0"));
        // A search ends by itself after six ticks; the limit only stops a hang.
        QElapsedTimer waited;
        waited.start();
        while (page_.Searching() && waited.elapsed() < 60000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_FALSE(page_.Searching());
    }

    CSettingsConnection page_;
    std::vector<ShownAlert> alerts_;
};

TEST_F(ServerSearchTest, FindsZolsimAndFillsAddressAndPort) {
    testing::BackgroundProcess sim;
    ASSERT_TRUE(sim.Start(
        {ZOLSIM_PATH, "--port", "0", "--control-port", "0", "--discovery-port", "0"}, 3, 60s));
    const int serverPort = testing::PortFromLine(sim.FirstLines()[0]);
    const int discoveryPort = testing::PortFromLine(sim.FirstLines()[2]);
    ASSERT_GT(discoveryPort, 0);

    SearchAt(static_cast<std::uint16_t>(discoveryPort));
    EXPECT_EQ(page_.AddressField()->text(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(page_.PortField()->Value(), serverPort);
    ASSERT_EQ(alerts_.size(), 1u);
    EXPECT_EQ(alerts_[0].kind, 5);
    EXPECT_EQ(alerts_[0].heading, "ZOL Server found");
    EXPECT_EQ(alerts_[0].text,
              "The ZOL Server was found at IP address 127.0.0.1 on port " +
                  std::to_string(serverPort) +
                  ". The settings have been updated for this. Once you close the Client Options "
                  "dialog with OK, you can then connect to the ZOL Server by selecting "
                  "\"Connect\" from the client control panel.");
}

TEST_F(ServerSearchTest, NoAnswerEndsWithTheNotFoundAlert) {
    // A port that is bound but never answers.
    QUdpSocket silent;
    ASSERT_TRUE(silent.bind(QHostAddress::LocalHost, 0));
    SearchAt(silent.localPort());
    EXPECT_EQ(page_.AddressField()->text(), QString());
    ASSERT_EQ(alerts_.size(), 1u);
    EXPECT_EQ(alerts_[0].kind, 0);
    EXPECT_EQ(alerts_[0].heading, "ZOL Server not found");
    EXPECT_EQ(alerts_[0].text,
              "Not finding the server could be because of several possibilities. First, some "
              "extra secure networks block the method used to discover the server. Second, if "
              "the ZOL Server application isn't running or doesn't have a file loaded it can't "
              "be found.\n\nYou can always find the server computer's IP address by starting "
              "cmd.exe on that computer and typing \"\"ipconfig\"\" at the prompt or if the "
              "computer has no monitor you can look in your router's device table though its "
              "browser interface.");
}

}  // namespace
}  // namespace zol
