// GoogleTest main with the Qt application object its tests need, chosen when
// the program is built: ZOL_TEST_APPLICATION is QCoreApplication (objects
// and sockets without widgets), QGuiApplication (pictures, fonts) or
// QApplication (widgets). Windows and pixmaps go to the offscreen platform
// unless the environment names another, so no display is needed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include "platform/session_bus.h"

int main(int argc, char** argv) {
    // Test discovery runs the program without CTest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Nothing here draws with OpenGL. Without GLX neither the offscreen nor
    // the X11 platform loads a GL driver, so none is reported for what it
    // keeps until exit (Mesa's software driver keeps a buffer so on some
    // processors, out of the leak checker's sight of its callers).
    if (qEnvironmentVariableIsEmpty("QT_QPA_OFFSCREEN_NO_GLX"))
        qputenv("QT_QPA_OFFSCREEN_NO_GLX", "1");
    if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    // On X11 (the tests that need Xvfb) no session bus is launched either.
    zol::AskForNoSessionBusWhereThereIsNone();
    ZOL_TEST_APPLICATION application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
