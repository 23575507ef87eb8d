// COptionsPage: one page of the client options sheet. A page shows the
// settings it covers (Load), names the first entry that cannot be kept
// (Problem, checked as the person types), and writes its entries into the
// settings when the sheet is closed with OK (Save).
#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>
#include <vector>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QVBoxLayout;

namespace zol {

struct ClientSettings;
class CheckedNumberEdit;

// Longest text a setting keeps (longer ones are not read back).
inline constexpr int kMaxSettingTextLength = 254;

class COptionsPage : public QWidget {
    Q_OBJECT
  public:
    COptionsPage(int dpi, QWidget* parent);

    virtual void Load(const ClientSettings& settings) = 0;
    // Called only while Problem() is empty; touches only this page's settings.
    virtual void Save(ClientSettings& settings) const = 0;
    // The first entry that cannot be kept, as a message; empty when none.
    virtual QString Problem() const;
    // The field Problem() is about, to give it the focus.
    virtual QWidget* ProblemField() const;

  signals:
    void ProblemChanged();

  protected:
    int Dpi() const { return dpi_; }
    // A titled group with a grid of labels and fields, added below the
    // groups already in page column 0 or 1.
    QGroupBox* AddGroup(const QString& title, int column);
    // Adds a labelled row to `group`'s grid and returns the field.
    CheckedNumberEdit* AddNumber(QGroupBox* group, const QString& label, const QString& what,
                                 std::int32_t minimum, std::int32_t maximum, const QString& unit);
    QLineEdit* AddText(QGroupBox* group, const QString& label);
    QCheckBox* AddCheck(QGroupBox* group, const QString& label);
    void AddRow(QGroupBox* group, const QString& label, QWidget* field);
    // `field` is usable only while `check` is on.
    void EnableWith(QCheckBox* check, QWidget* field);

  private:
    int dpi_;
    QVBoxLayout* columns_[2] = {nullptr, nullptr};
    std::vector<CheckedNumberEdit*> numbers_;
};

// Writes a field's value when it holds one in range (a disabled field may
// hold anything and keeps the setting as it was).
void StoreNumber(const CheckedNumberEdit* field, std::int32_t& setting);

}  // namespace zol
