// What a control pop-up takes from the program around it: the view's
// services (design, settings, server, person, main frame, timers, DPI) and
// the view itself, which hears of every press as user activity.
#pragma once

#include <QObject>
#include <QPointer>

#include "client/display/display_services.h"

namespace zol {

struct PopupContext {
    DisplayServices services;
    QPointer<QObject> view;  // receives WM_APP+0x12 (user activity); may be null
};

}  // namespace zol
