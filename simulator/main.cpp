// zolsim: the simulated ZOL home-automation server.
#include <QCoreApplication>

#include "simulator/sim_app.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zolsim"));
    return zol::RunSimulatorApp();
}
