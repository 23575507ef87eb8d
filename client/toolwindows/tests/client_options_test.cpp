// The options sheet through its entry point: what OK writes to the settings
// file and publishes, what Cancel leaves alone, and the entry checks.
#include "client/toolwindows/client_options_sheet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "client/core/zol_client_app.h"
#include "client/tests/temp_dir.h"
#include "client/toolwindows/checked_number_edit.h"
#include "client/toolwindows/settings_connection_page.h"
#include "client/toolwindows/settings_status_bar_page.h"
#include "client/toolwindows/settings_user_interface_page.h"

namespace zol {
namespace {

std::uint32_t DwordOf(const RegistryValue& value) {
    std::uint32_t n = 0;
    for (std::size_t i = 0; i < 4 && i < value.data.size(); ++i)
        n |= static_cast<std::uint32_t>(static_cast<unsigned char>(value.data[i])) << (8 * i);
    return n;
}

class ClientOptionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CZOLClientApp::Environment env;
        env.registryFile = dir_.Path() / "ZOLClient.reg";
        env.warningBox = [](const QString&) {};  // no theme folders here
        app_ = std::make_unique<CZOLClientApp>(std::move(env));
        ASSERT_TRUE(app_->InitInstance({}));
        ASSERT_EQ(app_->SaveSettings(), 0);  // the file starts with the defaults
    }

    // Runs the sheet; `act` works on it while it is open.
    int RunSheet(const std::function<void(CClientOptionsSheet&)>& act) {
        QTimer::singleShot(0, [&] {
            auto* sheet = qobject_cast<CClientOptionsSheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            act(*sheet);
            if (sheet->isVisible())
                sheet->CancelButton()->click();
        });
        return ShowClientOptions(*app_, nullptr);
    }

    std::uint32_t StoredNumber(const char* section, const char* name) {
        RegistryStore store(dir_.Path() / "ZOLClient.reg");
        store.Load();
        auto value = store.GetValue(std::string(kClientRegistryKey) + "\\" + section, name);
        return value ? DwordOf(*value) : 0xFFFFFFFFu;
    }
    std::string StoredText(const char* section, const char* name) {
        RegistryStore store(dir_.Path() / "ZOLClient.reg");
        store.Load();
        auto value = store.GetValue(std::string(kClientRegistryKey) + "\\" + section, name);
        return value ? std::string(value->Text()) : std::string("<none>");
    }

    static void Retype(QLineEdit* field, const QString& text) {
        field->selectAll();
        field->del();
        QTest::keyClicks(field, text);
    }

    testing::TempDir dir_;
    std::unique_ptr<CZOLClientApp> app_;
};

TEST_F(ClientOptionsTest, EachPageSavesOnOkAndNothingOnCancel) {
    EXPECT_EQ(RunSheet([](CClientOptionsSheet& sheet) {
                  Retype(sheet.ConnectionPage()->PortField(), QStringLiteral("2345"));
                  Retype(sheet.ConnectionPage()->AddressField(), QStringLiteral("10.1.2.3"));
                  // The time can be typed once the home return is on.
                  sheet.UserInterfacePage()->HomeReturnCheck()->click();
                  Retype(sheet.UserInterfacePage()->HomeReturnTimeField(), QStringLiteral("90"));
                  Retype(sheet.StatusBarPage()->UpdateTimeField(), QStringLiteral("7"));
                  sheet.StatusBarPage()->SlotOption(1, 2)->setCurrentIndex(4);
                  Retype(sheet.StatusBarPage()->SlotText(1, 2), QStringLiteral("Hall %TIME%"));
                  sheet.OkButton()->click();
              }),
              QDialog::Accepted);
    EXPECT_EQ(StoredNumber("Connection", "ServerPort"), 2345u);
    EXPECT_EQ(StoredNumber("Connection", "PrimaryType"), 0u);
    EXPECT_EQ(StoredNumber("Connection", "PrimaryIPAddress"), 0x0A010203u);
    EXPECT_EQ(StoredNumber("UserInterface", "EnableHomeReturnTime"), 1u);
    EXPECT_EQ(StoredNumber("UserInterface", "TUIHomeReturnTime"), 90u);
    EXPECT_EQ(StoredNumber("UserInterface", "StatusBarTextUpdateTime"), 7u);
    EXPECT_EQ(StoredNumber("UserInterface", "StatusBarTextOption3_2"), 4u);
    EXPECT_EQ(StoredText("UserInterface", "StatusBarUserText3_2"), "Hall %TIME%");

    // Cancel after changing every page: the file and the settings stay.
    EXPECT_EQ(RunSheet([](CClientOptionsSheet& sheet) {
                  Retype(sheet.ConnectionPage()->PortField(), QStringLiteral("3000"));
                  Retype(sheet.UserInterfacePage()->HomeReturnTimeField(), QStringLiteral("15"));
                  Retype(sheet.StatusBarPage()->UpdateTimeField(), QStringLiteral("9"));
                  sheet.CancelButton()->click();
              }),
              QDialog::Rejected);
    EXPECT_EQ(StoredNumber("Connection", "ServerPort"), 2345u);
    EXPECT_EQ(StoredNumber("UserInterface", "TUIHomeReturnTime"), 90u);
    EXPECT_EQ(StoredNumber("UserInterface", "StatusBarTextUpdateTime"), 7u);
    EXPECT_EQ(app_->Settings().serverPort, 2345);
}

TEST_F(ClientOptionsTest, OkWithoutChangesKeepsEveryValue) {
    // Every page shows a value it cannot represent exactly (a font face the
    // face list lacks, times behind unticked boxes, a zero address) and must
    // still write back what it was given.
    ClientSettings& s = app_->Settings();
    s.statusBarFont.faceName = "No Such Face";
    s.tuiHomeReturnTime = 0;  // out of range, but its box is unticked
    ASSERT_EQ(app_->SaveSettings(), 0);
    const std::string before = testing::Slurp(dir_.Path() / "ZOLClient.reg");
    RunSheet([](CClientOptionsSheet& sheet) { sheet.OkButton()->click(); });
    EXPECT_EQ(testing::Slurp(dir_.Path() / "ZOLClient.reg"), before);
}

TEST_F(ClientOptionsTest, ANameIsKeptAsAHostName) {
    RunSheet([](CClientOptionsSheet& sheet) {
        Retype(sheet.ConnectionPage()->AddressField(), QStringLiteral("zolserver.local"));
        sheet.OkButton()->click();
    });
    EXPECT_EQ(StoredNumber("Connection", "PrimaryType"), 1u);
    EXPECT_EQ(StoredText("Connection", "PrimaryName"), "zolserver.local");
}

TEST_F(ClientOptionsTest, TheWatchTaskSeesNewTimesWithoutARestart) {
    RunSheet([](CClientOptionsSheet& sheet) {
        Retype(sheet.ConnectionPage()->KeepAliveTimeField(), QStringLiteral("12"));
        sheet.OkButton()->click();
    });
    EXPECT_EQ(app_->WatchSettingsChannel().Snapshot().keepAliveTime, 12);
}

TEST_F(ClientOptionsTest, EntriesOutOfRangeNeverReachTheSettings) {
    EXPECT_EQ(RunSheet([](CClientOptionsSheet& sheet) {
                  QLineEdit* port = sheet.ConnectionPage()->PortField();
                  Retype(port, QStringLiteral("7x0000"));  // letters cannot be typed
                  EXPECT_EQ(port->text(), QStringLiteral("70000"));
                  EXPECT_EQ(sheet.ProblemText(),
                            QStringLiteral("The server port must be from 1 to 65535."));
                  Retype(sheet.ConnectionPage()->AddressField(), QStringLiteral("10.1.2.300"));
                  sheet.Tabs()->setCurrentIndex(2);
                  sheet.OkButton()->click();
                  // OK shows the first fault on its page and stays open.
                  EXPECT_TRUE(sheet.isVisible());
                  EXPECT_EQ(sheet.Tabs()->currentIndex(), 0);
                  EXPECT_TRUE(sheet.ProblemText().startsWith(QStringLiteral("The server address")));
              }),
              QDialog::Rejected);
    EXPECT_EQ(StoredNumber("Connection", "ServerPort"), 2000u);
    EXPECT_EQ(app_->Settings().serverPort, 2000);
}

TEST_F(ClientOptionsTest, ANewLockCodeNeedsThreeDigitsAndIsKeptAsItsDigest) {
    RunSheet([](CClientOptionsSheet& sheet) {
        QLineEdit* code = sheet.UserInterfacePage()->NewLockCodeField();
        Retype(code, QStringLiteral("12"));
        EXPECT_EQ(sheet.ProblemText().toStdString(), "The lock code must be at least 3 digits. ");
        sheet.OkButton()->click();
        EXPECT_TRUE(sheet.isVisible());
        Retype(code, QStringLiteral("4321"));
        EXPECT_TRUE(sheet.ProblemText().isEmpty());
        sheet.OkButton()->click();
    });
    // MD5("4321"), as the status bar compares an entered code with it.
    EXPECT_EQ(StoredText("Connection", "UILockCode"), "D93591BDF7860E1E4EE2FCA799911215");

    // An empty field keeps the code.
    RunSheet([](CClientOptionsSheet& sheet) { sheet.OkButton()->click(); });
    EXPECT_EQ(StoredText("Connection", "UILockCode"), "D93591BDF7860E1E4EE2FCA799911215");
}

}  // namespace
}  // namespace zol
