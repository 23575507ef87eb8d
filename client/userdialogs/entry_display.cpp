#include "client/userdialogs/entry_display.h"

#include "client/userdialogs/user_dialog_request.h"
#include "client/userdialogs/user_dialog_style.h"
#include "guibase/dpi_scale.h"
#include "guibase/windows1252_text.h"

namespace zol {

EntryDisplay::EntryDisplay(bool masked, int dpi, QWidget* parent)
    : QLabel(parent), masked_(masked) {
    setObjectName(QStringLiteral("entry"));
    setTextFormat(Qt::PlainText);
    setFont(UserDialogFont(22, dpi, true));
    setAlignment(Qt::AlignVCenter | Qt::AlignRight);
    setFixedHeight(ScalePixels(60, dpi));
    setMinimumWidth(ScalePixels(3 * kKeySize + 2 * kKeyGap, dpi));
}

void EntryDisplay::Append(std::string_view text) {
    const std::size_t room = kMaxAnswerBytes - std::min(kMaxAnswerBytes, text_.size());
    text_.append(text.substr(0, room));
    Show();
}

void EntryDisplay::SetText(std::string text) {
    if (text.size() > kMaxAnswerBytes)
        text.resize(kMaxAnswerBytes);
    text_ = std::move(text);
    Show();
}

void EntryDisplay::Show() {
    const QString shown = masked_ ? QString(static_cast<qsizetype>(text_.size()), QLatin1Char('*'))
                                  : FromWindows1252(text_);
    // A long entry shows its end, where typing goes on.
    setText(fontMetrics().elidedText(shown, Qt::ElideLeft, width() - 2 * ScalePixels(12, 96)));
}

}  // namespace zol
