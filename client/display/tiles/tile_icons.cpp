#include "client/display/tiles/tile_icons.h"

#include <QApplication>
#include <QImage>
#include <QPointer>

#include <algorithm>

#include "client/core/app_messages.h"
#include "client/core/client_settings.h"
#include "client/core/qt_clock.h"
#include "client/display/popup_template.h"
#include "client/display/tile_geometry.h"
#include "client/display/tiles/icon_item_delegate.h"
#include "client/display/tiles/list_plus.h"
#include "client/display/zol_client_view.h"
#include "client/model/design.h"
#include "client/model/device_commands.h"
#include "client/model/tile_requests.h"
#include "client/model/user_reporter.h"
#include "client/popups/control_popup_registry.h"
#include "client/popups/open_control_popup.h"
#include "client/userdialogs/user_ir_keypad.h"
#include "guibase/image_file_reader.h"
#include "guibase/windows1252_text.h"

namespace zol {
namespace {

// Spacings from the wire or the settings stay within this.
constexpr int kMaxSpacing = 4096;
// A font size setting beyond this is a broken setting, not a font.
constexpr int kMaxItemFontPixels = 200;

int ClampSpacing(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 1, kMaxSpacing));
}

// `value` from one spacing to another; no scaling from an unknown spacing.
int ScaleBetween(std::int32_t value, std::int32_t to, std::int32_t from) {
    if (from <= 0 || to <= 0)
        return value;
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{value} * to / from,
                                                     -kMaxLayoutCoordinate, kMaxLayoutCoordinate));
}

}  // namespace

CTileIcons::CTileIcons(CZOLClientView& view, std::int32_t displayId, std::size_t tileIndex)
    : CTileWindow(view, displayId, tileIndex, "Icons") {}

CTileIcons::~CTileIcons() = default;

const DisplayRecord* CTileIcons::SourceDisplay() const {
    const TileRecord* record = Record();
    const Design* design = View().CurrentDesign();
    if (record == nullptr || design == nullptr)
        return nullptr;
    const IconsTileData* tileData = record->DataAs<IconsTileData>();
    return tileData != nullptr ? design->FindDisplay(tileData->sourceDisplayId) : nullptr;
}

IconColours CTileIcons::Colours() const {
    IconColours c;
    if (const ClientSettings* s = View().Services().settings) {
        c.textColor = s->textColor;
        c.onColor = s->onColor;
        c.suspendColor = s->suspendColor;
        c.modeSuspendColor = s->modeSuspendColor;
        c.errorConditionColor = s->errorConditionColor;
    }
    return c;
}

std::int32_t CTileIcons::BackColor() const {
    const TileRecord* record = Record();
    return record != nullptr ? record->backColor : 0;
}

std::optional<IconItemState> CTileIcons::StateOfItem(std::int32_t id) const {
    const Design* design = View().CurrentDesign();
    if (design == nullptr)
        return std::nullopt;
    if (const DesignObject* object = design->FindObject(id))
        return StateOf(*object);
    if (const DisplayRecord* display = design->FindDisplay(id))
        return StateOf(*display);
    return std::nullopt;
}

std::string CTileIcons::TextOfItem(std::int32_t id) const {
    const Design* design = View().CurrentDesign();
    if (design == nullptr)
        return {};
    const DesignObject* object = design->FindObject(id);
    const DisplayRecord* display = object == nullptr ? design->FindDisplay(id) : nullptr;
    return ItemText(SourceDisplay(), object, display);
}

void CTileIcons::UpdateTile(bool layoutOnly, bool) {
    const TileRecord* record = Record();
    if (record == nullptr)
        return;
    if (list_ != nullptr) {
        list_->setGeometry(ContentRect());
    } else {
        CreateList();
    }
    QPointer<CTileIcons> self(this);
    if (layoutOnly) {
        LayoutTile();
        if (list_ != nullptr)
            list_->setGeometry(ContentRect());
        return;
    }
    if (!UpdateBase(false) || !self)
        return;
    list_->setGeometry(ContentRect());
    FillList();
}

void CTileIcons::OnViewResized() {
    if (SourceDisplay() != nullptr)
        UpdateTile(true, false);
}

QFont CTileIcons::ItemFontFor(QFont base, const IconSet* set, const ClientSettings* settings) {
    const int large = settings != nullptr ? settings->tui110FontSize : 18;
    const int small = settings != nullptr ? settings->tui54FontSize : 15;
    // Without an icon set the small font shows the names, and no pictures.
    const bool largePictures = set != nullptr && set->cxStandard == 110;
    base.setPixelSize(std::clamp(largePictures ? large : small, 1, kMaxItemFontPixels));
    return base;
}

void CTileIcons::CreateList() {
    LayoutTile();
    const TileRecord* record = Record();
    const DisplayRecord* source = SourceDisplay();
    const ClientSettings* s = View().Services().settings;
    iconSet_ = source != nullptr ? source->layoutTheme : nullptr;

    list_ = new CListPlus(MakeWindowClock(View().Services().makeClock), this);
    list_->setObjectName(QStringLiteral("iconList"));
    list_->setGeometry(ContentRect());
    list_->setItemDelegate(new IconItemDelegate(*this, *list_));

    itemFont_ = ItemFontFor(list_->font(), iconSet_, s);
    list_->setFont(itemFont_);

    const int shortTap = s != nullptr ? s->tuiShortTapTime : 500;
    list_->SetTimes(shortTap, QApplication::doubleClickInterval());

    const IconsTileData* tileData = record != nullptr ? record->DataAs<IconsTileData>() : nullptr;
    if (tileData != nullptr && tileData->customSpacing != 0) {
        spacingX_ = ClampSpacing(tileData->spacingX);
        spacingY_ = ClampSpacing(tileData->spacingY);
    } else if (s != nullptr && s->themeSpacingEnable != 0) {
        spacingX_ = ClampSpacing(s->themeSpacingX);
        spacingY_ = ClampSpacing(s->themeSpacingY);
    } else if (iconSet_ != nullptr) {
        spacingX_ = ClampSpacing(iconSet_->cxCell);
        spacingY_ = ClampSpacing(iconSet_->cyCell);
    } else {
        spacingX_ = ClampSpacing(s != nullptr ? s->themeSpacingX : 150);
        spacingY_ = ClampSpacing(s != nullptr ? s->themeSpacingY : 160);
    }
    list_->setGridSize(QSize(spacingX_, spacingY_));
    list_->setSpacing(0);

    connect(list_, &CListPlus::ItemClicked, this, &CTileIcons::OnItemClicked);
    connect(list_, &CListPlus::ItemDoubleClicked, this, &CTileIcons::OnItemDoubleClicked);
    list_->show();
}

bool CTileIcons::FillList() {
    const TileRecord* record = Record();
    const IconsTileData* tileData = record != nullptr ? record->DataAs<IconsTileData>() : nullptr;
    if (tileData == nullptr)
        return true;
    if (tileData->mruMode != 0)
        return FillFromRecentlyUsed(*tileData);
    return FillFromDisplay();
}

void CTileIcons::AddItem(std::int32_t id) {
    auto* item = new QListWidgetItem(FromWindows1252(TextOfItem(id)));
    item->setData(kObjectIdRole, id);
    list_->addItem(item);
}

bool CTileIcons::FillFromDisplay() {
    list_->clear();
    const DisplayRecord* own = Display();
    QImage background;
    if (own != nullptr && own->backgroundMode == 1 && !own->backgroundImage.empty())
        background = ReadImageFile(FromWindows1252(own->backgroundImage));
    list_->SetBackgroundPicture(background);
    const bool explicitPositions = own != nullptr && own->explicitPositions != 0;
    // Auto-arrange: items flow in the grid unless the display places them.
    list_->setResizeMode(explicitPositions ? QListView::Fixed : QListView::Adjust);

    const DisplayRecord* source = SourceDisplay();
    if (source == nullptr)
        return true;
    if (source->displayKind == DisplayRecentIcons) {
        const std::int32_t sourceId = source->displayId;
        const std::string name = source->name;
        const DisplayServices& services = View().Services();
        if (services.channel != nullptr && services.reporter != nullptr) {
            std::vector<std::int32_t> ids;
            QPointer<CTileIcons> self(this);
            const int code =
                RequestDisplayMruByName(*services.channel, *services.reporter, name, ids);
            if (!self)
                return false;
            // The display may have gone while the request waited; a failure
            // keeps the objects it had.
            Design* design = View().CurrentDesign();
            DisplayRecord* again = design != nullptr ? design->FindDisplay(sourceId) : nullptr;
            if (code == 0 && again != nullptr)
                again->SetObjectIds(std::move(ids));
            source = SourceDisplay();
            if (source == nullptr)
                return true;
        }
    }
    for (std::int32_t id : source->objectIds)
        AddItem(id);
    if (source->explicitPositions != 0)
        PlaceItemsExplicitly(*source);
    return true;
}

void CTileIcons::PlaceItemsExplicitly(const DisplayRecord& source) {
    const ClientSettings* s = View().Services().settings;
    const IconSet* design = source.positionsIconSet;
    std::int32_t layoutX = s != nullptr ? s->themeSpacingX : 0;
    std::int32_t layoutY = s != nullptr ? s->themeSpacingY : 0;
    if (source.layoutTheme != nullptr) {
        layoutX = source.layoutTheme->cxCell;
        layoutY = source.layoutTheme->cyCell;
    }
    const int count = std::min(list_->count(), static_cast<int>(source.iconPositions.size()));
    for (int i = 0; i < count; ++i) {
        const IconPosition& p = source.iconPositions[static_cast<std::size_t>(i)];
        QPoint at(p.x, p.y);
        if (design != nullptr) {
            at = QPoint(ScaleBetween(p.x, layoutX, design->cxCell),
                        ScaleBetween(p.y, layoutY, design->cyCell));
        }
        list_->PlaceItem(i, at);
    }
}

bool CTileIcons::FillFromRecentlyUsed(const IconsTileData& tileData) {
    list_->clear();
    const DisplayServices& services = View().Services();
    if (services.channel == nullptr || services.reporter == nullptr)
        return true;
    std::vector<std::int32_t> ids;
    const std::array<std::int32_t, 4> numbers = tileData.mruNumbers;
    QPointer<CTileIcons> self(this);
    const int code = RequestDisplayMru(*services.channel, *services.reporter, numbers, ids);
    if (!self)
        return false;
    if (code != 0)
        return true;
    const Design* design = View().CurrentDesign();
    if (design == nullptr)
        return true;
    for (std::int32_t id : ids) {
        if (design->FindObject(id) != nullptr || design->FindDisplay(id) != nullptr)
            AddItem(id);
    }
    return true;
}

void CTileIcons::ObjectChanged(std::int32_t objectId) {
    if (list_ == nullptr)
        return;
    for (int i = 0; i < list_->count(); ++i) {
        QListWidgetItem* item = list_->item(i);
        if (item->data(kObjectIdRole).toInt() == objectId)
            item->setText(FromWindows1252(TextOfItem(objectId)));
    }
    list_->viewport()->update();
}

void CTileIcons::OnItemClicked(bool hasItem, std::int32_t id) {
    PostAppMessage(&View(), AppMessage::UserActivity);
    if (hasItem)
        Act(id, false);
}

void CTileIcons::OnItemDoubleClicked(bool hasItem, std::int32_t id) {
    PostAppMessage(&View(), AppMessage::UserActivity);
    if (hasItem)
        Act(id, true);
}

void CTileIcons::Act(std::int32_t id, bool doubleClick) {
    Design* design = View().CurrentDesign();
    const DisplayServices& services = View().Services();
    if (design == nullptr || services.channel == nullptr || services.reporter == nullptr)
        return;
    DeviceCommands commands(*services.channel, *services.reporter);
    if (const DesignObject* object = design->FindObject(id)) {
        const std::int32_t action = doubleClick ? object->doubleClickAction : object->clickAction;
        if (action == 1) {
            // A copy: the record may go while the command waits.
            const DesignObject copy = *object;
            if (copy.level != 0)
                commands.TurnOff(copy);
            else
                commands.TurnOn(copy);
        } else if (action == 2) {
            OpenPopup(id);
        }
        return;
    }
    if (const DisplayRecord* display = design->FindDisplay(id)) {
        const std::int32_t action = doubleClick ? display->doubleClickAction : display->clickAction;
        if (action == 1) {
            DisplayRecord copy;
            copy.name = display->name;
            if (display->level != 0)
                commands.DisplayOff(copy);
            else
                commands.DisplayOn(copy);
        } else if (action == 2) {
            PostAppMessage(services.mainFrame ? services.mainFrame() : nullptr,
                           AppMessage::ShowDisplay, 0, id);
        }
    }
}

void CTileIcons::OpenPopup(std::int32_t objectId) {
    Design* design = View().CurrentDesign();
    const DisplayServices& services = View().Services();
    DesignObject* object = design != nullptr ? design->FindObject(objectId) : nullptr;
    if (object == nullptr)
        return;
    const std::string name = object->templateName;
    const std::optional<PopupTemplate> popup = ResolvePopupTemplate(name);
    if (!popup) {
        services.reporter->ShowMessage(UnknownTemplateText(name));
        return;
    }
    if (popup->popupClass == PopupClass::None)
        return;
    if (popup->popupClass == PopupClass::IrKeypad) {
        // The keys are read on a copy and kept when the object is still
        // there: a reload may replace it while the request waits.
        DesignObject copy = *object;
        QPointer<CTileIcons> self(this);
        LoadIrKeys(*services.channel, *services.reporter, copy);
        if (!self)
            return;
        if (DesignObject* again = View().CurrentDesign()->FindObject(objectId)) {
            again->irKeys = copy.irKeys;
            again->irKeysRead = copy.irKeysRead;
        }
        std::vector<IrKeypadEntry> entries;
        for (const IrKey& key : copy.irKeys)
            entries.push_back(IrKeypadEntry{key.keyName, key.caption, key.x, key.y, key.width,
                                            key.height, key.isLabel != 0});
        // Keys go to the object by id: it may be replaced while the keypad is open.
        DisplayServices keyServices = services;
        CUserIRKeypad keypad(
            FullObjectName(copy), entries,
            [keyServices, objectId](const std::string& keyName, bool firstPress) {
                Design* current = keyServices.design ? keyServices.design() : nullptr;
                const DesignObject* target =
                    current != nullptr ? current->FindObject(objectId) : nullptr;
                if (target != nullptr)
                    DeviceCommands(*keyServices.channel, *keyServices.reporter)
                        .SendInfrared(*target, keyName, firstPress);
            },
            services.screenDpi, View().window());
        ControlPopups().Track(&keypad);
        keypad.exec();
        ControlPopups().Untrack(&keypad);
        return;
    }
    // Runs modally; the tile may be gone when it returns, and nothing of it
    // is used afterwards.
    OpenControlPopup(*popup, objectId, PopupContext{services, &View()}, View().window());
}

}  // namespace zol
