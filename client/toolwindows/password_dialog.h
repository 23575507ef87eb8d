// CPassword: asks for the server's remote-access password during a connect
// ("Enter Password", with "Mask password", OK and Cancel). The main frame
// makes it once and shows it again for every prompt.
#pragma once

#include <QDialog>

#include <string>

class QCheckBox;
class QLineEdit;

namespace zol {

class CPassword : public QDialog {
    Q_OBJECT
  public:
    explicit CPassword(QWidget* parent = nullptr);

    // Shows the prompt modally with an empty field; true with the entered
    // password (Windows-1252) on OK, false on Cancel.
    bool Ask(std::string& password);

    QLineEdit* Field() const { return field_; }
    QCheckBox* Mask() const { return mask_; }

  private:
    QLineEdit* field_;
    QCheckBox* mask_;
};

}  // namespace zol
