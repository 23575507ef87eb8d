#include "client/toolwindows/checked_number_edit.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyle>

namespace zol {

CheckedNumberEdit::CheckedNumberEdit(QString what, std::int32_t minimum, std::int32_t maximum,
                                     QString unit, QWidget* parent)
    : QLineEdit(parent),
      what_(std::move(what)),
      minimum_(minimum),
      maximum_(maximum),
      unit_(std::move(unit)) {
    // Ten digits hold every 32-bit value; longer input could only overflow.
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), this));
    setInputMethodHints(Qt::ImhDigitsOnly);
    connect(this, &QLineEdit::textChanged, this, [this] {
        MarkProblem();
        emit ProblemChanged();
    });
}

void CheckedNumberEdit::SetValue(std::int32_t value) {
    setText(QString::number(value));
    MarkProblem();
}

std::optional<std::int32_t> CheckedNumberEdit::Value() const {
    bool ok = false;
    const qlonglong value = text().toLongLong(&ok);
    if (!ok || value < minimum_ || value > maximum_)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

QString CheckedNumberEdit::Problem() const {
    if (!isEnabled() || Value().has_value())
        return QString();
    QString range = QStringLiteral("%1 to %2").arg(minimum_).arg(maximum_);
    if (!unit_.isEmpty())
        range += QLatin1Char(' ') + unit_;
    if (text().isEmpty())
        return QStringLiteral("%1 needs a number from %2.").arg(what_, range);
    return QStringLiteral("%1 must be from %2.").arg(what_, range);
}

void CheckedNumberEdit::MarkProblem() {
    const bool invalid = !Value().has_value();
    if (property("invalid").toBool() == invalid)
        return;
    setProperty("invalid", invalid);
    style()->unpolish(this);
    style()->polish(this);
}

}  // namespace zol
