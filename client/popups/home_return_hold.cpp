#include "client/popups/home_return_hold.h"

#include "client/core/app_messages.h"

namespace zol {

HomeReturnHold::HomeReturnHold(QObject* mainFrame, QObject* view)
    : mainFrame_(mainFrame), view_(view) {
    if (mainFrame_)
        mainFrame_->installEventFilter(this);
}

HomeReturnHold::~HomeReturnHold() {
    if (mainFrame_)
        mainFrame_->removeEventFilter(this);
    PostAppMessage(view_.data(), AppMessage::UserActivity);
}

bool HomeReturnHold::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mainFrame_.data()) {
        if (const AppMessageEvent* message = AppMessageEvent::From(event);
            message != nullptr && message->Message() == AppMessage::UiCommand &&
            message->WParam() == static_cast<std::intptr_t>(UiCommandCode::Home)) {
            ++heldBack_;
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zol
