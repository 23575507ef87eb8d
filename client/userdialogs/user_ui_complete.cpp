#include "client/userdialogs/user_ui_complete.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/userdialogs/entry_display.h"
#include "client/userdialogs/user_dialog_style.h"
#include "guibase/dpi_scale.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

constexpr int kSideKeyWidth = 150;

}  // namespace

CUserUIComplete::CUserUIComplete(const UserDialogRequest& request, Clock& clock, int timerId,
                                 int dpi, QWidget* parent)
    : CUserUIDialog(request, clock, timerId, dpi, parent) {
    entry_ = new EntryDisplay(request.masked, dpi, this);
    Body()->addWidget(entry_);
    for (std::size_t i = 0; i < 4; ++i)
        AddKey(i, request.texts[i], request.texts[i], kSideKeyWidth);
    for (std::size_t i = 0; i < 12; ++i) {
        const std::string& text = request.keyTexts[i];
        AddKey(4 + i, text, text.substr(0, text.find('|')), kKeySize);
    }
    auto* grid = new QGridLayout();
    grid->setSpacing(ScalePixels(kKeyGap, dpi));
    for (int i = 0; i < 4; ++i)
        grid->addWidget(keys_[static_cast<std::size_t>(i)], i, 0);
    grid->setColumnMinimumWidth(1, ScalePixels(kKeyGap, dpi));
    for (int i = 0; i < 12; ++i)
        grid->addWidget(keys_[static_cast<std::size_t>(4 + i)], i / 3, 2 + i % 3);
    clearKey_ = MakePadKey(QStringLiteral("Clear"), kSideKeyWidth, kKeySize, dpi, this);
    clearKey_->setObjectName(QStringLiteral("clear"));
    grid->addWidget(clearKey_, 4, 0);
    connect(clearKey_, &QPushButton::clicked, this, [this] {
        NoteUserInput();
        entry_->SetText({});
    });
    Body()->addLayout(grid);
}

void CUserUIComplete::AddKey(std::size_t index, const std::string& label, std::string appends,
                             int width) {
    QString shown = FromWindows1252(label);
    shown.replace(QLatin1Char('|'), QLatin1Char('\n'));
    QPushButton* key = MakePadKey(shown, width, kKeySize, Dpi(), this);
    key->setObjectName(QStringLiteral("key%1").arg(index));
    // A key without a label has nothing to type.
    key->setEnabled(!label.empty());
    keys_[index] = key;
    connect(key, &QPushButton::clicked, this, [this, appends = std::move(appends)] {
        NoteUserInput();
        entry_->Append(appends);
    });
}

const std::string& CUserUIComplete::Entry() const {
    return entry_->Text();
}

std::optional<std::string> CUserUIComplete::ConfirmedAnswer() {
    return entry_->Text();
}

}  // namespace zol
