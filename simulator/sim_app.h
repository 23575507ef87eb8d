// zolsim's program logic: command line, design, server, control port,
// registered modes, event loop.
#pragma once

namespace zol {

// Runs zolsim with the QCoreApplication already created; returns the exit
// code (0 normal end, 1 bad command line or design, 2 a port not available).
int RunSimulatorApp();

}  // namespace zol
