// zol_make_assets [assets-folder]: renders the artwork sources of the assets
// folder (the source tree's by default) into its committed PNG files.
#include <QGuiApplication>

#include <iostream>

#include "assets/tools/asset_generator.h"

int main(int argc, char** argv) {
    // Text in the artwork needs fonts, and fonts need a GUI application; no
    // window is ever shown, so no display is needed either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    const std::filesystem::path assetsDir = argc > 1 ? argv[1] : ZOL_ASSETS_SOURCE_DIR;
    const int problems = zol::GenerateInterfacePictures(assetsDir, std::cout) +
                         zol::GenerateThemeIcons(assetsDir, std::cout);
    if (problems != 0) {
        std::cerr << problems << " problem(s); see above\n";
        return 1;
    }
    return 0;
}
