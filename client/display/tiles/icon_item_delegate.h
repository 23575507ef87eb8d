// Paints the items of an icon tile: the picture for the object's level
// (with its overlay text), the state frame or state text, and the item's
// name in its state colour. The tile answers what each item shows.
#pragma once

#include <QStyledItemDelegate>

namespace zol {

class CTileIcons;

class IconItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    IconItemDelegate(CTileIcons& tile, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    CTileIcons& tile_;
};

}  // namespace zol
