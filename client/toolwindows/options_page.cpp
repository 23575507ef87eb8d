#include "client/toolwindows/options_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "client/toolwindows/checked_number_edit.h"
#include "guibase/dpi_scale.h"

namespace zol {

COptionsPage::COptionsPage(int dpi, QWidget* parent) : QWidget(parent), dpi_(dpi) {
    // Two columns that fill independently, so a long group on one side
    // leaves no gap on the other.
    auto* page = new QHBoxLayout(this);
    for (QVBoxLayout*& column : columns_) {
        column = new QVBoxLayout;
        page->addLayout(column, 1);
    }
}

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

QGroupBox* COptionsPage::AddGroup(const QString& title, int column) {
    auto* group = new QGroupBox(title, this);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(ScalePixels(12, dpi_));
    grid->setVerticalSpacing(ScalePixels(4, dpi_));
    grid->setContentsMargins(ScalePixels(10, dpi_), ScalePixels(8, dpi_), ScalePixels(10, dpi_),
                             ScalePixels(8, dpi_));
    grid->setColumnStretch(1, 1);
    QVBoxLayout* target = columns_[column == 0 ? 0 : 1];
    // The stretch stays last, keeping the groups at the top.
    if (target->count() > 0)
        delete target->takeAt(target->count() - 1);
    target->addWidget(group);
    target->addStretch(1);
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
    // The field is as wide as its numbers need, with its unit after it.
    auto* row = new QWidget(group);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    auto* field = new CheckedNumberEdit(what, minimum, maximum, unit, row);
    field->setFixedWidth(ScalePixels(110, dpi_));
    line->addWidget(field);
    if (!unit.isEmpty())
        line->addWidget(new QLabel(unit, row));
    line->addStretch(1);
    connect(field, &CheckedNumberEdit::ProblemChanged, this, &COptionsPage::ProblemChanged);
    numbers_.push_back(field);
    AddRow(group, label, row);
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
