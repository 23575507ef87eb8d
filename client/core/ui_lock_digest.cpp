#include <QByteArray>
#include <QCryptographicHash>

#include "client/core/ui_lock_code.h"

namespace zol {

UiLockCode UnlockCodeDigest(std::string_view code) {
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayView(code.data(), static_cast<qsizetype>(code.size())), QCryptographicHash::Md5);
    UiLockCode result{};
    for (std::size_t i = 0; i < result.size() && i < static_cast<std::size_t>(digest.size()); ++i)
        result[i] = static_cast<std::uint8_t>(digest[static_cast<qsizetype>(i)]);
    return result;
}

}  // namespace zol
