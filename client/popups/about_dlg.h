// CAboutDlg: the about box: the ZOL mark, the program's version and the
// design's and this display's DPI.
#pragma once

#include <QDialog>

#include <array>

namespace zol {

class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    CAboutDlg(const std::array<int, 3>& version, int designDpi, int screenDpi,
              QWidget* parent = nullptr);
};

}  // namespace zol
