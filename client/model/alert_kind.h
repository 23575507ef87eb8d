// The seven kinds of the client's alert dialog; the model names them when it
// asks the person something through its UserReporter.
#pragma once

namespace zol {

enum AlertKind : int {
    AlertCannot = 0,
    AlertConfirmNo = 1,
    AlertConfirmNoWarn = 2,
    AlertConfirmYes = 3,
    AlertConfirmYesWarn = 4,
    AlertInfo = 5,
    AlertProblem = 6,
};

}  // namespace zol
