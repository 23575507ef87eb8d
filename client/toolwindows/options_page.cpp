#include "client/toolwindows/options_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "client/toolwindows/checked_number_edit.h"
#include "guibase/dpi_scale.h"

namespace zol {

COptionsPage::COptionsPage(int dpi, QWidget* parent) : QWidget(parent), dpi_(dpi) {}

QString COptionsPage::Problem() const {
    for (const CheckedNumberEdit* field : numbers_) {
        if (QString problem = field->Problem(); !problem.isEmpty())
            return problem;
    }
    return QString();
}

QWidget* COptionsPage::ProblemField() const {
    for (CheckedNumberEdit* field : numbers_) {
        if (!field->Problem().isEmpty())
            return field;
    }
    return nullptr;
}

QGroupBox* COptionsPage::AddGroup(QGridLayout* pageGrid, const QString& title, int row, int column,
                                  int rowSpan) {
    auto* group = new QGroupBox(title, this);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(ScalePixels(12, dpi_));
    grid->setVerticalSpacing(ScalePixels(6, dpi_));
    grid->setColumnStretch(1, 1);
    pageGrid->addWidget(group, row, column, rowSpan, 1);
    return group;
}

void COptionsPage::AddRow(QGroupBox* group, const QString& label, QWidget* field) {
    auto* grid = static_cast<QGridLayout*>(group->layout());
    const int row = grid->rowCount();
    if (label.isEmpty()) {
        grid->addWidget(field, row, 0, 1, 2);
        return;
    }
    auto* text = new QLabel(label, group);
    text->setBuddy(field);
    grid->addWidget(text, row, 0);
    grid->addWidget(field, row, 1);
}

CheckedNumberEdit* COptionsPage::AddNumber(QGroupBox* group, const QString& label,
                                           const QString& what, std::int32_t minimum,
                                           std::int32_t maximum, const QString& unit) {
    auto* field = new CheckedNumberEdit(what, minimum, maximum, unit, group);
    field->setMaximumWidth(ScalePixels(140, dpi_));
    connect(field, &CheckedNumberEdit::ProblemChanged, this, &COptionsPage::ProblemChanged);
    numbers_.push_back(field);
    AddRow(group, label, field);
    return field;
}

QLineEdit* COptionsPage::AddText(QGroupBox* group, const QString& label) {
    auto* field = new QLineEdit(group);
    field->setMaxLength(kMaxSettingTextLength);
    AddRow(group, label, field);
    return field;
}

QCheckBox* COptionsPage::AddCheck(QGroupBox* group, const QString& label) {
    auto* check = new QCheckBox(label, group);
    AddRow(group, QString(), check);
    return check;
}

void COptionsPage::EnableWith(QCheckBox* check, QWidget* field) {
    field->setEnabled(check->isChecked());
    connect(check, &QCheckBox::toggled, field, &QWidget::setEnabled);
    // A disabled field is not checked, so the sheet's verdict changes too.
    connect(check, &QCheckBox::toggled, this, &COptionsPage::ProblemChanged);
}

void StoreNumber(const CheckedNumberEdit* field, std::int32_t& setting) {
    if (auto value = field->Value())
        setting = *value;
}

}  // namespace zol
