// Ends the Qt event loop on SIGINT and SIGTERM, so that zolsim closes its
// ports and connections in order when a demo or a test stops it.
#pragma once

namespace zol {

// Call once, after the QCoreApplication exists.
void QuitOnStopSignals();

}  // namespace zol
