// CIconSync: the results of an icon sync, one row per icon set: its name,
// the number of icon files the server listed and the number copied.
#pragma once

#include <QDialog>

#include <vector>

#include "client/model/icon_sync.h"

class QTreeWidget;

namespace zol {

class CIconSync : public QDialog {
    Q_OBJECT
  public:
    // Column widths are for 96 dpi and scale with `dpi`.
    explicit CIconSync(const std::vector<IconSyncResult>& results, int dpi = 96,
                       QWidget* parent = nullptr);

    QTreeWidget* Table() const { return table_; }

  private:
    QTreeWidget* table_;
};

}  // namespace zol
