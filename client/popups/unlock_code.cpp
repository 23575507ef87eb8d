#include "client/popups/unlock_code.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <algorithm>

#include "client/userdialogs/user_ui_numeric.h"

namespace zol {

namespace {

// A code stored as digits reads into the digest's bytes as hexadecimal with
// the rest zero; a real digest almost never looks like that.
bool LooksLikePlainDigits(const UiLockCode& stored) {
    const std::string hex = EncodeUiLockCode(stored);
    if (!std::all_of(hex.begin(), hex.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    return hex.compare(hex.size() - 4, 4, "0000") == 0;
}

}  // namespace

UiLockCode DigestOfUnlockCode(std::string_view digits) {
    const QByteArray digest = QCryptographicHash::hash(
        QByteArray(digits.data(), static_cast<qsizetype>(digits.size())), QCryptographicHash::Md5);
    UiLockCode code{};
    std::copy_n(reinterpret_cast<const std::uint8_t*>(digest.constData()),
                std::min<std::size_t>(code.size(), static_cast<std::size_t>(digest.size())),
                code.begin());
    return code;
}

bool UnlockCodeMatches(const UiLockCode& stored, std::string_view typed) {
    if (typed.empty())
        return false;
    if (DigestOfUnlockCode(typed) == stored)
        return true;
    // Plain digits: at most 28 of them leave the last two bytes zero.
    return LooksLikePlainDigits(stored) && typed.size() <= 28 &&
           std::all_of(typed.begin(), typed.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
           DecodeUiLockCode(typed) == stored;
}

std::optional<std::string> AskUnlockCode(Clock& clock, int dpi, QWidget* parent) {
    UserDialogRequest request;
    request.prompt = kUnlockCodeTitle;
    request.masked = true;
    CUserUINumeric dialog(request, clock, 0x7F000000 | kUserDialogTimerId, dpi, parent);
    dialog.setWindowTitle(QString::fromLatin1(kUnlockCodeTitle));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Digits();
}

}  // namespace zol
