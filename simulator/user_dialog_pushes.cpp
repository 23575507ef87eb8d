#include "simulator/user_dialog_pushes.h"

#include <map>

#include "simulator/control_escape.h"

namespace zol {

namespace {

struct Preset {
    int kind;
    const char* prompt;
    std::vector<std::string> texts;     // fields 6 to 9
    std::vector<std::string> keyTexts;  // fields 11 to 22
    const char* initial;
};

const std::map<std::string, Preset>& Presets() {
    static const std::map<std::string, Preset> presets = {
        {"number", {0, "How many minutes should the sprinkler run?", {}, {}, ""}},
        {"text", {1, "Name this scene", {}, {}, ""}},
        {"time", {2, "Wake me at", {}, {}, "0645"}},
        {"choice", {3, "Which scene?", {"Relax", "Movie night", "Bright", ""}, {}, "1"}},
        {"keys",
         {4,
          "Enter the gate code",
          {"Gate", "Garage", "Door", "Cancel"},
          {"1", "2|ABC", "3|DEF", "4|GHI", "5|JKL", "6|MNO", "7|PQRS", "8|TUV", "9|WXYZ", "*", "0",
           "#"},
          ""}},
        {"alert", {5, "", {}, {}, ""}},
        {"other", {9, "Unknown kind", {}, {}, ""}},
    };
    return presets;
}

}  // namespace

std::optional<std::vector<std::string>> UserDialogPushFields(
    const std::string& kindName, const std::vector<std::string>& options, std::string& error) {
    auto preset = Presets().find(kindName);
    if (preset == Presets().end()) {
        error = "unknown dialog kind " + kindName + " (number|text|time|choice|keys|alert|other)";
        return std::nullopt;
    }
    const Preset& p = preset->second;
    // Field n is fields[n - 1].
    std::vector<std::string> f(32);
    f[0] = "0";
    f[1] = "ZOLApp";
    f[2] = "UserDialog";
    f[3] = std::to_string(p.kind);
    f[4] = p.prompt;
    for (std::size_t i = 0; i < p.texts.size() && i < 4; ++i)
        f[5 + i] = p.texts[i];
    f[9] = "0";
    for (std::size_t i = 0; i < p.keyTexts.size() && i < 12; ++i)
        f[10 + i] = p.keyTexts[i];
    f[22] = "0";
    f[23] = "0";
    f[24] = "0";
    f[25] = "0";
    f[26] = p.initial;
    f[27] = "1";
    f[28] = p.kind == 5 ? "1" : "0";
    f[29] = p.kind == 5 ? "Open the garage door for the delivery?" : "";
    for (const std::string& option : options) {
        const std::size_t equals = option.find('=');
        const std::string name = option.substr(0, equals);
        const std::string value = equals == std::string::npos
                                      ? ""
                                      : SplitControlFields(option.substr(equals + 1)).front();
        if (name == "id" && !value.empty()) {
            f[27] = value;
        } else if (name == "timeout" && !value.empty()) {
            f[22] = "1";
            f[23] = value;
        } else if (name == "activity") {
            f[24] = "1";
        } else if (name == "masked") {
            f[9] = "1";
        } else if (name == "keyboard") {
            f[25] = "1";
        } else if (name == "initial") {
            f[26] = value;
        } else if (name == "prompt") {
            f[4] = value;
        } else if (name == "alertkind" && !value.empty()) {
            f[28] = value;
        } else {
            error = "unknown dialog option " + option;
            return std::nullopt;
        }
    }
    return f;
}

std::string DescribeUserDialogReport(const std::vector<std::string>& fields) {
    if (fields.size() < 2 || fields[1] != "UserDialogReport")
        return {};
    auto field = [&](std::size_t n) { return n <= fields.size() ? fields[n - 1] : std::string(); };
    return "kind=" + field(3) + " code=" + field(4) + " id=" + field(5) + " type=" + field(6) +
           " answer=" + JoinControlFields({field(7)});
}

}  // namespace zol
