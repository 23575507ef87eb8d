#include "cli/cli_reports.h"

namespace zol {
namespace {

std::string WordsReport(std::string_view label, int code, const CommandWords& command) {
    std::string text(label);
    text += '=';
    text += std::to_string(code);
    text += " [";
    for (std::size_t i = 0; i < command.words.size(); ++i) {
        if (i != 0)
            text += ", ";
        text += '"';
        text += command.words[i];
        text += '"';
    }
    text += ']';
    return text;
}

}  // namespace

std::string UnresolvableAddressReport(std::string_view address) {
    std::string text = "Server IP address can't be resolved: \"";
    text += address;
    text += '"';
    return text;
}

std::string ServerErrorReport(int errorCode, const CommandWords& command) {
    return WordsReport("Server error", errorCode, command);
}

std::string CommandErrorReport(int resultCode, const CommandWords& command) {
    return WordsReport("Command error", resultCode, command);
}

std::string UsageText() {
    return "usage: zolcli [/ZOLServer:<address>] [/Port:<port>] [/PSWD:<password>]"
           " [/Result:<file>] <object> <method> [<argument>...]\n"
           "Sends one command (two to eight words, e.g. ZOLApp TimeStamp) to the ZOL server.\n"
           "Switches given without a command are stored as defaults for later runs.\n";
}

}  // namespace zol
