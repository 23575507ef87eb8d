#include "client/toolwindows/settings_status_bar_page.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <cstdlib>

#include "client/core/client_settings.h"
#include "client/toolwindows/checked_number_edit.h"
#include "client/toolwindows/tool_window_look.h"
#include "guibase/color_ref.h"
#include "guibase/dpi_scale.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

// The slot options in their stored order (0 to 4).
const char* const kSlotOptions[] = {"Nothing", "Display name", "Date and time", "Design title",
                                    "Own text"};
constexpr int kSlotOptionCount = 5;
constexpr int kOwnTextOption = 4;
constexpr std::int32_t kNormalWeight = 400;
constexpr std::int32_t kBoldWeight = 700;

std::uint32_t ToColorRef(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) |
           (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}

}  // namespace

CSettingsStatusBar::CSettingsStatusBar(int dpi, QWidget* parent) : COptionsPage(dpi, parent) {
    QGroupBox* font = AddGroup(QStringLiteral("Font"), 0);
    face_ = new QFontComboBox(font);
    AddRow(font, QStringLiteral("Face"), face_);
    connect(face_, &QFontComboBox::currentFontChanged, this, [this] { faceChosen_ = true; });
    height_ = AddNumber(font, QStringLiteral("Size"), QStringLiteral("The font size"), 8, 200,
                        QStringLiteral("pixels"));
    bold_ = AddCheck(font, QStringLiteral("Bold"));
    color_ = MakeTouchButton(QString(), font, dpi);
    AddRow(font, QStringLiteral("Text colour"), color_);
    connect(color_, &QPushButton::clicked, this, &CSettingsStatusBar::ChooseColor);

    QGroupBox* timing = AddGroup(QStringLiteral("Date and Updates"), 0);
    dateTimeFormat_ = AddText(timing, QStringLiteral("Date-time format"));
    dateTimeFormat_->setToolTip(QStringLiteral("strftime style, e.g. %A %B %d - %I:%M %p"));
    updateTime_ =
        AddNumber(timing, QStringLiteral("Refresh own texts every"),
                  QStringLiteral("The text update time"), 1, 1440, QStringLiteral("minutes"));

    QGroupBox* home = AddGroup(QStringLiteral("Texts on the Home Page"), 1);
    AddSlots(home, slots_[0]);
    QGroupBox* other = AddGroup(QStringLiteral("Texts on Other Displays"), 1);
    AddSlots(other, slots_[1]);
}

void CSettingsStatusBar::AddSlots(QGroupBox* group, std::array<Slot, 3>& slotRow) {
    for (std::size_t i = 0; i < slotRow.size(); ++i) {
        Slot& slot = slotRow[i];
        auto* row = new QWidget(group);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        slot.option = new QComboBox(row);
        for (const char* option : kSlotOptions)
            slot.option->addItem(QString::fromLatin1(option));
        slot.userText = new QLineEdit(row);
        slot.userText->setMaxLength(kMaxSettingTextLength);
        slot.userText->setPlaceholderText(QStringLiteral("own text, may hold %placeholders%"));
        line->addWidget(slot.option);
        line->addWidget(slot.userText, 1);
        AddRow(group, QStringLiteral("Slot %1").arg(i + 1), row);
        auto enableText = [text = slot.userText](int option) {
            text->setEnabled(option == kOwnTextOption);
        };
        connect(slot.option, &QComboBox::currentIndexChanged, slot.userText, enableText);
        enableText(slot.option->currentIndex());
    }
}

QComboBox* CSettingsStatusBar::SlotOption(int set, int slot) const {
    return slots_.at(static_cast<std::size_t>(set)).at(static_cast<std::size_t>(slot)).option;
}

QLineEdit* CSettingsStatusBar::SlotText(int set, int slot) const {
    return slots_.at(static_cast<std::size_t>(set)).at(static_cast<std::size_t>(slot)).userText;
}

void CSettingsStatusBar::SetTextColor(std::uint32_t colorRef) {
    textColor_ = colorRef & 0xFFFFFFu;
    const QColor color = FromColorRef(textColor_);
    color_->setText(color.name(QColor::HexRgb).toUpper());
    // The button shows the colour itself, with readable text on it.
    const bool light = color.lightness() > 140;
    color_->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: %2; }")
            .arg(color.name(), light ? QStringLiteral("#1E2A33") : QStringLiteral("#FFFFFF")));
}

void CSettingsStatusBar::ChooseColor() {
    const QColor chosen = QColorDialog::getColor(FromColorRef(textColor_), this,
                                                 QStringLiteral("Status Bar Text Colour"));
    if (chosen.isValid())
        SetTextColor(ToColorRef(chosen));
}

void CSettingsStatusBar::Load(const ClientSettings& s) {
    loadedFont_ = s.statusBarFont;
    {
        const QSignalBlocker quiet(face_);
        face_->setCurrentFont(QFont(FromWindows1252(s.statusBarFont.faceName)));
    }
    faceChosen_ = false;
    // Only the character height (negative) is offered; a cell height shows
    // as its size too.
    height_->SetValue(std::abs(s.statusBarFont.height));
    bold_->setChecked(s.statusBarFont.weight >= kBoldWeight);
    SetTextColor(static_cast<std::uint32_t>(s.startBarFontColor));
    for (std::size_t i = 0; i < 3; ++i) {
        const std::int32_t options[2] = {s.statusBarTextOption[i], s.statusBarTextOption2[i]};
        const std::string* texts[2] = {&s.statusBarUserText[i], &s.statusBarUserText2[i]};
        for (std::size_t set = 0; set < 2; ++set) {
            const Slot& slot = slots_[set][i];
            slot.option->setCurrentIndex(
                options[set] >= 0 && options[set] < kSlotOptionCount ? options[set] : 0);
            slot.userText->setText(FromWindows1252(*texts[set]));
        }
    }
    dateTimeFormat_->setText(FromWindows1252(s.statusBarDateTimeFormat));
    updateTime_->SetValue(s.statusBarTextUpdateTime);
}

void CSettingsStatusBar::Save(ClientSettings& s) const {
    LogFont font = loadedFont_;
    if (faceChosen_)
        font.faceName = ToWindows1252(face_->currentFont().family()).substr(0, kMaxFaceNameLength);
    if (auto height = height_->Value())
        font.height = -*height;
    font.weight = bold_->isChecked() ? kBoldWeight : kNormalWeight;
    s.statusBarFont = font;
    s.startBarFontColor = static_cast<std::int32_t>(textColor_);
    for (std::size_t i = 0; i < 3; ++i) {
        s.statusBarTextOption[i] = slots_[0][i].option->currentIndex();
        s.statusBarUserText[i] = ToWindows1252(slots_[0][i].userText->text());
        s.statusBarTextOption2[i] = slots_[1][i].option->currentIndex();
        s.statusBarUserText2[i] = ToWindows1252(slots_[1][i].userText->text());
    }
    s.statusBarDateTimeFormat = ToWindows1252(dateTimeFormat_->text());
    StoreNumber(updateTime_, s.statusBarTextUpdateTime);
}

}  // namespace zol
