// The environment for the programs a program starts when it asked for no
// session bus (platform/session_bus.h): as it was found.
#pragma once

#include <QProcessEnvironment>

#include "platform/session_bus.h"

namespace zol {

// The environment for the programs this one starts.
QProcessEnvironment ChildProcessEnvironment();

}  // namespace zol
