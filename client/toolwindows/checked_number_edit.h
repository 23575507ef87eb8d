// CheckedNumberEdit: a field for a whole number within a range. Only digits
// can be typed; a value out of range is marked as typed and named in
// Problem(), so that nothing out of range reaches the settings.
#pragma once

#include <QLineEdit>
#include <QString>

#include <cstdint>
#include <optional>

namespace zol {

class CheckedNumberEdit : public QLineEdit {
    Q_OBJECT
  public:
    // `what` names the value in messages ("The server port"); `unit` follows
    // the range ("seconds"; may be empty).
    CheckedNumberEdit(QString what, std::int32_t minimum, std::int32_t maximum, QString unit,
                      QWidget* parent = nullptr);

    void SetValue(std::int32_t value);
    // The value when the text is a number in range.
    std::optional<std::int32_t> Value() const;
    // Empty while the value is acceptable (or the field is disabled).
    QString Problem() const;

  signals:
    void ProblemChanged();

  private:
    void MarkProblem();

    QString what_;
    std::int32_t minimum_;
    std::int32_t maximum_;
    QString unit_;
};

}  // namespace zol
