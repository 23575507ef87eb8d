// CDiscoveryPopup: the small "searching" window shown while the connection
// page looks for the server on the network. Modeless; the page closes it.
#pragma once

#include <QDialog>

namespace zol {

class CDiscoveryPopup : public QDialog {
    Q_OBJECT
  public:
    CDiscoveryPopup(int dpi, QWidget* parent);
};

}  // namespace zol
