// CTileIcons: a tile that shows design objects and displays as icons in a
// list (CListPlus), each icon showing its object's state. A click or a
// double click switches the object, goes to the display, or opens the
// object's pop-up as its template names it.
//
// The list, its fonts and its spacing are made at the first update; the
// items are rebuilt at every update that is not layout only, and single
// items follow object changes. Icon tiles start no refresh timer.
#pragma once

#include <QFont>

#include <cstdint>
#include <optional>
#include <string>

#include "client/display/icon_item_rules.h"
#include "client/display/tile_window.h"

namespace zol {

class CListPlus;
struct ClientSettings;
struct DesignObject;
struct DisplayRecord;
struct IconSet;
struct IconsTileData;
struct ThemeIcon;

class CTileIcons : public CTileWindow {
    Q_OBJECT
  public:
    CTileIcons(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex);
    ~CTileIcons() override;

    void UpdateTile(bool layoutOnly, bool force) override;
    void OnViewResized() override;
    void ObjectChanged(std::int32_t objectId) override;

    CListPlus* List() const { return list_; }
    const IconSet* Icons() const { return iconSet_; }
    QSize Spacing() const { return QSize(spacingX_, spacingY_); }
    const QFont& ItemFont() const { return itemFont_; }
    // The items' font: `base` at the settings' size for the set's pictures
    // (the small one without a set).
    static QFont ItemFontFor(QFont base, const IconSet* set, const ClientSettings* settings);
    IconColours Colours() const;
    std::int32_t BackColor() const;
    // What the item of `id` shows now; nullopt when the id names nothing.
    std::optional<IconItemState> StateOfItem(std::int32_t id) const;

    // What a click or double click on the item of `id` does.
    void OnItemClicked(bool hasItem, std::int32_t id);
    void OnItemDoubleClicked(bool hasItem, std::int32_t id);

  private:
    void CreateList();
    // False when the tile went while a request waited.
    bool FillList();
    bool FillFromDisplay();
    bool FillFromRecentlyUsed(const IconsTileData& data);
    void AddItem(std::int32_t id);
    void PlaceItemsExplicitly(const DisplayRecord& source);
    void Act(std::int32_t id, bool doubleClick);
    void OpenPopup(std::int32_t objectId);
    const DisplayRecord* SourceDisplay() const;
    std::string TextOfItem(std::int32_t id) const;

    CListPlus* list_ = nullptr;
    const IconSet* iconSet_ = nullptr;
    QFont itemFont_;
    int spacingX_ = 0;
    int spacingY_ = 0;
};

}  // namespace zol
