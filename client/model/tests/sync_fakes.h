// What the sync tests add to the model's fakes: a reporter that answers
// alerts from a script, and hexadecimal chunks of file contents.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "client/model/hint_alert.h"
#include "model_fakes.h"

namespace zol::testing {

// Answers each alert with the next scripted answer (Yes when none is left)
// and records hint alerts with their labels.
class AnsweringReporter : public FakeReporter, public HintAlertReporter {
  public:
    int ShowAlert(AlertKind kind, std::string_view text) override {
        FakeReporter::ShowAlert(kind, text);
        return NextAnswer();
    }
    int ShowAlertWithHint(AlertKind kind, std::string_view text, std::string_view hintLabel,
                          bool& hintChecked) override {
        hintAlerts.emplace_back(kind, std::string(text), std::string(hintLabel));
        hintChecked = tickHint;
        return kAlertAnswerOk;
    }

    std::deque<int> answers;
    bool tickHint = false;
    std::vector<std::tuple<AlertKind, std::string, std::string>> hintAlerts;

  private:
    int NextAnswer() {
        if (answers.empty())
            return kAlertAnswerYes;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

inline std::string ToHex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 15];
    }
    return hex;
}

}  // namespace zol::testing
