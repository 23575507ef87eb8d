// zol_contact_sheet <output.png> [assets-folder]: writes the review sheet of
// every picture and theme icon (the source tree's assets by default).
#include <QGuiApplication>

#include <iostream>

#include "assets/tools/contact_sheet.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: zol_contact_sheet <output.png> [assets-folder]\n";
        return 2;
    }
    const std::filesystem::path assetsDir = argc > 2 ? argv[2] : ZOL_ASSETS_SOURCE_DIR;
    const QImage sheet = zol::BuildContactSheet(assetsDir);
    if (!sheet.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::cerr << "cannot write " << argv[1] << "\n";
        return 1;
    }
    std::cout << "contact sheet: " << argv[1] << " (" << sheet.width() << " x " << sheet.height()
              << ")\n";
    return 0;
}
