#include "client/core/extended_status_receivers.h"

#include <algorithm>

#include "client/core/app_messages.h"
#include "client/core/extended_status_record.h"

namespace zol {

void ExtendedStatusReceivers::DropGone() {
    std::erase_if(receivers_, [](const QPointer<QObject>& r) { return r.isNull(); });
}

void ExtendedStatusReceivers::Register(QObject* receiver) {
    DropGone();
    if (receiver == nullptr ||
        std::find(receivers_.begin(), receivers_.end(), receiver) != receivers_.end())
        return;
    receivers_.emplace_back(receiver);
}

bool ExtendedStatusReceivers::Unregister(QObject* receiver) {
    DropGone();
    const auto it = std::find(receivers_.begin(), receivers_.end(), receiver);
    if (receiver == nullptr || it == receivers_.end())
        return false;
    receivers_.erase(it);
    return receivers_.empty();
}

bool ExtendedStatusReceivers::Empty() {
    DropGone();
    return receivers_.empty();
}

int ExtendedStatusReceivers::Post(std::unique_ptr<ExtendedStatusRecord> record) {
    DropGone();
    if (record == nullptr)
        return 0;
    const int count = static_cast<int>(receivers_.size());
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<AppPayload> payload =
            i + 1 == count ? std::move(record) : std::make_unique<ExtendedStatusRecord>(*record);
        PostAppMessage(receivers_[static_cast<std::size_t>(i)], AppMessage::ExtendedStatus, 0, 0,
                       std::move(payload));
    }
    return count;
}

}  // namespace zol
