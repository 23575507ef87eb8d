// Saves the status bar (green, yellow, red, locked) and every server-driven
// dialog as PNG files, to look at them without a server:
//   zolclient_dialog_gallery OUTDIR [DPI]
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>

#include "client/core/alert.h"
#include "client/core/client_settings.h"
#include "client/core/qt_clock.h"
#include "client/popups/ctui_status_bar.h"
#include "client/popups/status_bar_source.h"
#include "client/userdialogs/digit_pad.h"
#include "client/userdialogs/user_dialog_host.h"
#include "client/userdialogs/user_ir_keypad.h"
#include "client/userdialogs/user_ui_choice.h"
#include "client/userdialogs/user_ui_complete.h"
#include "client/userdialogs/user_ui_numeric.h"
#include "client/userdialogs/user_ui_text.h"
#include "client/userdialogs/user_ui_time.h"

namespace {

class GallerySource : public zol::StatusBarSource {
  public:
    int HistoryCount() const override { return 0; }
    std::string CurrentDisplayCaption() const override { return "Living Room"; }
    std::string DesignTitle() const override { return "ZOL Demo House"; }
    std::string FormatText(std::string_view text) override { return std::string(text); }
};

int failures = 0;

void Save(QWidget& widget, const QString& file) {
    widget.show();
    QApplication::processEvents();
    if (!widget.grab().save(file, "PNG")) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
        ++failures;
    }
    widget.hide();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTDIR [DPI]\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const int dpi = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 96;
    QDir().mkpath(out);

    zol::ClientSettings settings;
    zol::QtClock clock;
    GallerySource source;
    {
        zol::CTUIStatusBar::Environment env;
        env.settings = &settings;
        env.clock = &clock;
        env.source = &source;
        zol::CTUIStatusBar bar(env, dpi);
        bar.resize(1280, dpi * 50 / 96);
        bar.HomeModeChanged(1);
        bar.ConnectionStateChanged(true);
        Save(bar, out + QStringLiteral("/statusbar_green.png"));
        bar.ServerStatusChanged(2, {});
        Save(bar, out + QStringLiteral("/statusbar_yellow.png"));
        bar.ServerStatusChanged(1, {});
        bar.ConnectionStateChanged(false);
        bar.HomeModeChanged(2);
        Save(bar, out + QStringLiteral("/statusbar_red.png"));
        bar.ConnectionStateChanged(true);
        bar.HomeModeChanged(0);
        bar.SetLockMode(zol::kFullLock);
        Save(bar, out + QStringLiteral("/statusbar_locked.png"));
        bar.SetLockMode(zol::kPartialLock);
        Save(bar, out + QStringLiteral("/statusbar_partial_lock.png"));
    }

    zol::UserDialogRequest r;
    r.prompt = "How many minutes should the sprinkler run?";
    {
        zol::CUserUINumeric d(r, clock, 13, dpi);
        for (int digit : {2, 5})
            d.Pad()->DigitKey(digit)->click();
        Save(d, out + QStringLiteral("/dialog_number.png"));
    }
    {
        r.prompt = "Enter Unlock code";
        r.masked = true;
        zol::CUserUINumeric d(r, clock, 13, dpi);
        for (int digit : {0, 1, 2, 3})
            d.Pad()->DigitKey(digit)->click();
        Save(d, out + QStringLiteral("/dialog_unlock.png"));
        r.masked = false;
    }
    {
        r.prompt = "Name this scene";
        zol::CUserUIText d(r, clock, 13, dpi);
        d.Entry()->setText(QStringLiteral("Movie night"));
        Save(d, out + QStringLiteral("/dialog_text.png"));
    }
    {
        r.prompt = "Wake me at";
        r.initialValue = "0645";
        zol::CUserUITime d(r, clock, 13, dpi);
        Save(d, out + QStringLiteral("/dialog_time.png"));
    }
    {
        r.prompt = "Which scene?";
        r.texts = {"Relax", "", "Bright & cosy", ""};
        r.initialValue = "2";
        zol::CUserUIChoice d(r, clock, 13, dpi);
        Save(d, out + QStringLiteral("/dialog_choice.png"));
    }
    {
        r.prompt = "Enter the gate code";
        r.texts = {"Gate", "Garage", "Door", "Visitor"};
        r.keyTexts = {"1",      "2|ABC", "3|DEF",  "4|GHI", "5|JKL", "6|MNO",
                      "7|PQRS", "8|TUV", "9|WXYZ", "*",     "0",     "#"};
        zol::CUserUIComplete d(r, clock, 13, dpi);
        d.Key(0)->click();
        d.Key(4)->click();
        Save(d, out + QStringLiteral("/dialog_keys.png"));
    }
    {
        zol::CAlert d(zol::AlertConfirmNo, QStringLiteral("Open the garage door for the delivery?"),
                      QStringLiteral("Someone is at the gate"), dpi);
        d.Prepare();
        d.LeftButton()->setText(QStringLiteral("Open it"));
        Save(d, out + QStringLiteral("/dialog_alert.png"));
    }
    {
        std::vector<zol::IrKeypadEntry> keys = {
            {"POWER", "Power", 0, 0, 60, 24, false},   {"", "Volume", 70, 0, 60, 24, true},
            {"VOLUP", "Vol +", 70, 30, 60, 24, false}, {"VOLDN", "Vol -", 70, 60, 60, 24, false},
            {"CHUP", "Ch +", 0, 30, 60, 24, false},    {"CHDN", "Ch -", 0, 60, 60, 24, false},
            {"MUTE", "Mute", 140, 30, 60, 24, false},  {"INPUT", "Input", 140, 60, 60, 24, false},
        };
        zol::CUserIRKeypad d("Living Room - TV", keys, nullptr, dpi);
        Save(d, out + QStringLiteral("/dialog_ir_keypad.png"));
    }
    return failures == 0 ? 0 : 1;
}
