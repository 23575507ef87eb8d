// Saves every alert kind as a PNG, to look at the dialog without clicking
// through the client:  zolclient_alert_gallery OUTDIR [DPI]
#include <QApplication>
#include <QCheckBox>
#include <QDir>

#include <cstdio>

#include "client/core/alert.h"

namespace {

class GalleryOwner : public zol::AlertOwner {
  public:
    void ExplainAlert(const QString&) override {}
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTDIR [DPI]\n", argv[0]);
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const int dpi = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 96;
    QDir().mkpath(outDir);

    struct Sample {
        int kind;
        const char* message;
        bool owner;
        bool hint;
    };
    const Sample samples[] = {
        {zol::AlertCannot, "The display \"Garden\" is not on this server any more.", false, false},
        {zol::AlertConfirmNo,
         "Synchronising the icons copies every changed picture from the server. This can take "
         "a few minutes on a slow network.",
         false, false},
        {zol::AlertConfirmNoWarn, "The folder \"Kitchen\" exists.\nReplace its files?", false,
         false},
        {zol::AlertConfirmYes, "Start the program \"Evening lights\" now?", false, false},
        {zol::AlertConfirmYesWarn,
         "The thermostat is in hold mode.\n\nChange the set point anyway?", false, false},
        {zol::AlertInfo,
         "Tap and hold an icon to open its control panel. A short tap switches it on or off.",
         false, true},
        {zol::AlertProblem,
         "The thermostat did not answer. It may be offline, or its batteries may be low.", true,
         false},
    };
    GalleryOwner owner;
    int failures = 0;
    {
        // More than sixteen lines: the first sixteen show, at full height.
        QString longMessage;
        for (int i = 1; i <= 20; ++i) {
            longMessage +=
                QStringLiteral("Line %1 of a report that is longer than the dialog.\n").arg(i);
        }
        zol::CAlert alert(zol::AlertInfo, longMessage, QString(), dpi);
        alert.Prepare();
        alert.show();
        QApplication::processEvents();
        if (!alert.grab().save(QStringLiteral("%1/alert_full_%2dpi.png").arg(outDir).arg(dpi),
                               "PNG")) {
            ++failures;
        }
        alert.hide();
    }
    for (const Sample& s : samples) {
        zol::CAlert alert(s.kind, QString::fromUtf8(s.message), QString(), dpi);
        if (s.owner)
            alert.SetOwner(&owner);
        alert.SetHintMode(s.hint);
        alert.Prepare();
        alert.show();
        QApplication::processEvents();
        const QString file =
            QStringLiteral("%1/alert_kind%2_%3dpi.png").arg(outDir).arg(s.kind).arg(dpi);
        if (!alert.grab().save(file, "PNG"))
            ++failures;
        alert.hide();
    }
    return failures == 0 ? 0 : 1;
}
