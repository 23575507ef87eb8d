// The alert dialog's word wrap: a message into at most sixteen fixed lines.
#pragma once

#include <QString>

#include <array>
#include <functional>

namespace zol {

inline constexpr int kAlertLineCount = 16;

struct AlertLines {
    std::array<QString, kAlertLineCount> text;
    std::array<int, kAlertLineCount> width{};
    int lastUsedLine = 0;    // index of the last line that holds text (0 when none does)
    bool truncated = false;  // words were dropped after the sixteenth line
};

// Leading blanks are trimmed; words are the runs up to the next blank or line
// feed, a word followed by a blank carrying one blank with it. A word goes on
// the current line when the line is empty or the line's width plus the
// word's stays below `wrapWidth`, else it starts the next line (so a word
// wider than a line stands alone). Every line feed after a word moves one
// line down. Once the sixteenth line is full the remaining words are dropped.
// Carriage returns are ignored; runs of blanks count as one.
AlertLines WrapAlertMessage(const QString& message, int wrapWidth,
                            const std::function<int(const QString&)>& measure);

}  // namespace zol
