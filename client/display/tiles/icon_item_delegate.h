// Paints the items of an icon tile: the picture for the object's level
// (with its overlay text), the state frame or state text, and the item's
// name in its state colour. The tile answers what each item shows.
#pragma once

#include <QStyledItemDelegate>

#include "client/model/text_fit.h"

namespace zol {

class CListPlus;
class CTileIcons;

class IconItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    // Owned by `list`.
    IconItemDelegate(CTileIcons& tile, CListPlus& list);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    CTileIcons& tile_;
    CListPlus& list_;
    mutable TextFitCache fits_;
};

}  // namespace zol
