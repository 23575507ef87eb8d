#include "client/userdialogs/user_dialog_request.h"

#include <algorithm>

namespace zol {

namespace {

class PushReader {
  public:
    explicit PushReader(const std::vector<FieldValue>& fields) : fields_(fields) {}
    std::string Text(std::size_t position) const {
        return position <= fields_.size() ? fields_[position - 1].text : std::string();
    }
    std::int32_t Number(std::size_t position) const { return ReadDecimal(Text(position)); }

  private:
    const std::vector<FieldValue>& fields_;
};

}  // namespace

UserDialogRequest UserDialogRequestFromPush(const std::vector<FieldValue>& pushFields) {
    const PushReader f(pushFields);
    UserDialogRequest r;
    r.kind = f.Number(4);
    r.prompt = f.Text(5);
    for (std::size_t i = 0; i < r.texts.size(); ++i)
        r.texts[i] = f.Text(6 + i);
    r.masked = f.Number(10) != 0;
    for (std::size_t i = 0; i < r.keyTexts.size(); ++i)
        r.keyTexts[i] = f.Text(11 + i);
    r.timeoutOn = f.Number(23) != 0;
    r.timeoutSeconds = std::clamp<std::int64_t>(f.Number(24), 0, kMaxDialogTimeoutSeconds);
    r.reportActivity = f.Number(25) != 0;
    r.keyboard = f.Number(26) != 0;
    r.initialValue = f.Text(27);
    r.dialogId = f.Number(28);
    r.alertKind = f.Number(29);
    r.alertMessage = f.Text(30);
    r.leftCaption = f.Text(31);
    r.rightCaption = f.Text(32);
    return r;
}

int AnswerTypeOf(std::int32_t kind) {
    switch (static_cast<UserDialogKind>(kind)) {
        case UserDialogKind::Number:
        case UserDialogKind::Choice:
            return kAnswerNumber;
        case UserDialogKind::Time:
            return kAnswerTime;
        case UserDialogKind::Text:
        case UserDialogKind::Keys:
            return kAnswerText;
        default:
            return kAnswerNone;
    }
}

}  // namespace zol
