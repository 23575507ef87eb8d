// The rules of the display without windows: where tiles go, which pop-up a
// template names, how an icon item looks.
#include <gtest/gtest.h>

#include <QImage>

#include "client/display/icon_item_rules.h"
#include "client/display/popup_template.h"
#include "client/display/tile_geometry.h"
#include "client/model/design_object.h"
#include "client/model/display_record.h"
#include "client/model/icon_set.h"
#include "client/model/tile_record.h"

namespace zol {
namespace {

TileRecord Tile(int x, int y, int w, int h, int style = 0) {
    TileRecord t;
    t.gridX = x;
    t.gridY = y;
    t.gridWidth = w;
    t.gridHeight = h;
    t.tileStyle = style;
    return t;
}

constexpr QSize kClient(1280, 750);

TEST(TileGeometryTest, QuarterCellsScaleFromTheReferenceDpiOnlyWhenTheyDiffer) {
    const TileRecord tile = Tile(4, 2, 8, 4);
    EXPECT_EQ(TileRectangle(tile, {110, 110, 96, 96}, kClient), QRect(108, 54, 216, 108));
    EXPECT_EQ(TileRectangle(tile, {110, 110, 144, 96}, kClient), QRect(162, 81, 324, 162));
    // Equal DPIs scale nothing, even away from 96.
    EXPECT_EQ(TileRectangle(tile, {110, 110, 120, 120}, kClient), QRect(108, 54, 216, 108));
    // An unknown reference scales nothing either.
    EXPECT_EQ(TileRectangle(tile, {110, 110, 144, 0}, kClient), QRect(108, 54, 216, 108));
}

TEST(TileGeometryTest, StylesStretchToTheEdgesButNeverShrink) {
    // The whole-display tile: one quarter cell stretched both ways.
    EXPECT_EQ(TileRectangle(Tile(0, 0, 1, 1, 3), {110, 110, 96, 96}, kClient),
              QRect(QPoint(0, 0), kClient));
    EXPECT_EQ(TileRectangle(Tile(4, 0, 4, 4, 1), {110, 110, 96, 96}, kClient).width(), 1280 - 108);
    EXPECT_EQ(TileRectangle(Tile(0, 4, 4, 4, 2), {110, 110, 96, 96}, kClient).height(), 750 - 108);
    // Already beyond the right edge: the width stays.
    EXPECT_EQ(TileRectangle(Tile(40, 0, 20, 4, 1), {110, 110, 96, 96}, kClient).width(), 540);
    // Other styles stretch nothing.
    EXPECT_EQ(TileRectangle(Tile(0, 0, 4, 4, 4), {110, 110, 96, 96}, kClient).size(),
              QSize(108, 108));
}

TEST(TileGeometryTest, WireNumbersAreClampedNotWrapped) {
    const QRect r = TileRectangle(Tile(2'000'000'000, -2'000'000'000, 2'000'000'000, 4),
                                  {4096, 4096, 960, 96}, kClient);
    EXPECT_EQ(r.x(), kMaxLayoutCoordinate);
    EXPECT_EQ(r.y(), -kMaxLayoutCoordinate);
    EXPECT_EQ(r.width(), kMaxLayoutCoordinate);
    // A theme without a cell puts everything at 0 without dividing by it.
    EXPECT_EQ(TileRectangle(Tile(4, 4, 4, 4), {0, 0, 96, 96}, kClient), QRect(0, 0, 0, 0));
}

TEST(TileGeometryTest, TheArrangementIsCentredWithOddRemaindersRightAndBottom) {
    const std::vector<QRect> rects{QRect(0, 0, 100, 50), QRect(100, 50, 101, 51)};
    const QRect bounds = ArrangementBounds(rects, QSize(1000, 1000));
    EXPECT_EQ(bounds, QRect(0, 0, 201, 101));
    // (1000 - 201) / 2 = 399 and (600 - 101) / 2 = 249: the odd pixel is
    // left over at the right and bottom.
    EXPECT_EQ(CentredPosition(rects[0], bounds, QSize(1000, 600)), QPoint(399, 249));
    EXPECT_EQ(CentredPosition(rects[1], bounds, QSize(1000, 600)), QPoint(499, 299));
    // Bounds stop at the client's right and bottom edges.
    EXPECT_EQ(ArrangementBounds({QRect(10, 10, 2000, 2000)}, QSize(800, 600)),
              QRect(10, 10, 790, 590));
    EXPECT_TRUE(ArrangementBounds({}, QSize(800, 600)).isNull());
}

TEST(PopupTemplateTest, EveryNameOfTheTableResolves) {
    struct Case {
        const char* name;
        PopupClass popupClass;
        PopupLayout layout;
        bool onOff;
        bool slider;
    };
    using C = PopupClass;
    using L = PopupLayout;
    const Case cases[] = {
        {"onoffdim", C::OnOffDim, L::DimmerWithSlider, true, true},
        {"onoff", C::OnOffDim, L::DimmerWithoutSlider, true, false},
        {"ZS11", C::KeypadZS, L::ZS11, false, false},
        {"ZS24", C::KeypadZS, L::ZS24, false, false},
        {"ZS24X", C::KeypadZS, L::ZS24X, false, false},
        {"ZS28", C::KeypadZS, L::ZS28, false, false},
        {"ZS24Load", C::KeypadZS, L::ZS24Load, true, false},
        {"ZS24LoadDim", C::KeypadZS, L::ZS24Load, true, true},
        {"ZS24XLoad", C::KeypadZS, L::ZS24XLoad, true, false},
        {"ZS24XLoadDim", C::KeypadZS, L::ZS24XLoad, true, true},
        {"ZS11LoadDim", C::KeypadZS, L::ZS11Load, true, true},
        {"Keypad1", C::Keypad1to8, L::Keypad1, false, false},
        {"Keypad8", C::Keypad1to8, L::Keypad8, false, false},
        {"KL6", C::KeypadKey6, L::KL6, false, false},
        {"KL6Load", C::KeypadKey6, L::KL6Load, true, false},
        {"KL6LoadDim", C::KeypadKey6, L::KL6Load, true, true},
        {"UPB6", C::KeypadKey6, L::UPB6, false, false},
        {"UPB6LoadDim", C::KeypadKey6, L::UPB6Load, true, true},
        {"UPB7", C::KeypadKey7, L::UPB7, false, false},
        {"UPB7Load", C::KeypadKey7, L::UPB7Load, true, false},
        {"KL8LoadDim", C::KeypadKey8, L::KL8Load, true, true},
        {"UPB8Load", C::KeypadKey8, L::UPB8Load, true, false},
        {"HKEY6", C::KeypadKey6H, L::Default, false, false},
        {"ProgramStartStop", C::ProgramStartStop, L::Default, false, false},
        {"ProgramOnOffStop", C::ProgramOnOffStop, L::Default, false, false},
        {"ProgramStart", C::ProgramStart, L::Default, false, false},
        {"ProgramOnOff", C::ProgramOnOff, L::Default, false, false},
        {"thermostatT", C::Thermostat, L::ThermostatT, false, false},
        {"thermostatTHMF", C::Thermostat, L::ThermostatTHMF, false, false},
        {"thermostatTHCM", C::Thermostat, L::ThermostatTHCM, false, false},
        {"thermostatTHCMF", C::Thermostat, L::ThermostatTHCMF, false, false},
        {"IRDevice", C::IrKeypad, L::Default, false, false},
        {"None", C::None, L::Default, false, false},
        {"", C::None, L::Default, false, false},
    };
    for (const Case& c : cases) {
        const std::optional<PopupTemplate> t = ResolvePopupTemplate(c.name);
        ASSERT_TRUE(t.has_value()) << c.name;
        EXPECT_EQ(*t, (PopupTemplate{c.popupClass, c.layout, c.onOff, c.slider})) << c.name;
    }
    for (const char* zs :
         {"ZS11", "ZS12", "ZS22", "ZS23", "ZS24", "ZS24X", "ZS25", "ZS26", "ZS28"}) {
        for (const std::string suffix : {"", "Load", "LoadDim"})
            EXPECT_TRUE(ResolvePopupTemplate(zs + suffix).has_value()) << zs << suffix;
    }
}

TEST(PopupTemplateTest, NamesOutsideTheTableAreUnknown) {
    for (const char* name :
         {"keypad1", "Keypad9", "Keypad0", "ONOFF", "none", "ZS99", "Load", "LoadDim", "ZS24Dim",
          "HKEY6Load", "IRDeviceLoad", "ZS24LoadDimX", "thermostat"}) {
        EXPECT_FALSE(ResolvePopupTemplate(name).has_value()) << name;
    }
    EXPECT_EQ(UnknownTemplateText("keypad1"), "No popup template for \"keypad1\"");
}

std::shared_ptr<const QImage> Picture() {
    return std::make_shared<const QImage>(4, 4, QImage::Format_ARGB32_Premultiplied);
}

TEST(IconItemRulesTest, ThePictureFollowsTheLevelWithItsFallbacks) {
    ThemeIcon onOff;
    onOff.off.picture = Picture();
    onOff.on.picture = Picture();
    EXPECT_EQ(&PictureForLevel(onOff, 0), &onOff.off);
    EXPECT_EQ(&PictureForLevel(onOff, 60), &onOff.on);  // no dim picture: on
    EXPECT_EQ(&PictureForLevel(onOff, 100), &onOff.on);

    ThemeIcon offDim;
    offDim.off.picture = Picture();
    offDim.dim.picture = Picture();
    EXPECT_EQ(&PictureForLevel(offDim, 100), &offDim.dim);  // no on picture: dim
    EXPECT_EQ(&PictureForLevel(offDim, 1), &offDim.dim);

    ThemeIcon single;
    single.off.picture = Picture();
    EXPECT_EQ(&PictureForLevel(single, 100), &single.off);
    EXPECT_EQ(&PictureForLevel(single, 50), &single.off);
    EXPECT_EQ(PictureCount(single), 1);

    ThemeIcon all = onOff;
    all.dim.picture = Picture();
    EXPECT_EQ(&PictureForLevel(all, 99), &all.dim);
    EXPECT_EQ(&PictureForLevel(all, 100), &all.on);
    EXPECT_EQ(PictureCount(all), 3);
}

TEST(IconItemRulesTest, StateTextByOption) {
    EXPECT_EQ(StateText(2, 0, ""), "Off");
    EXPECT_EQ(StateText(2, 40, ""), "40%");
    EXPECT_EQ(StateText(2, 100, ""), "On");
    EXPECT_EQ(StateText(3, 0, ""), "");
    EXPECT_EQ(StateText(3, 7, ""), "7%");
    EXPECT_EQ(StateText(3, 100, ""), "On");
    EXPECT_EQ(StateText(4, 0, ""), "");
    EXPECT_EQ(StateText(4, 55, ""), "55%");
    EXPECT_EQ(StateText(4, 100, ""), "");
    EXPECT_EQ(StateText(1, 100, ""), "");
    // The object's own status text wins over every option.
    EXPECT_EQ(StateText(3, 0, "Open"), "Open");
}

TEST(IconItemRulesTest, ItemTextRulesInOrder) {
    DesignObject lamp;
    lamp.location = "Kitchen";
    lamp.name = "Lamp";
    DisplayRecord source;
    EXPECT_EQ(ItemText(&source, &lamp, nullptr), "Lamp");
    EXPECT_EQ(ItemText(nullptr, &lamp, nullptr), "Kitchen - Lamp");
    source.showLocations = 1;
    EXPECT_EQ(ItemText(&source, &lamp, nullptr), "Kitchen - Lamp");
    lamp.caption = "Counter";
    EXPECT_EQ(ItemText(&source, &lamp, nullptr), "Counter");

    DisplayRecord garden;
    garden.name = "Garden";
    EXPECT_EQ(ItemText(&source, nullptr, &garden), "Garden");
    garden.iconCaption = "Outside";
    EXPECT_EQ(ItemText(&source, nullptr, &garden), "Outside");

    source.hideNames = 1;
    EXPECT_EQ(ItemText(&source, &lamp, nullptr), "");
    EXPECT_EQ(ItemText(&source, nullptr, &garden), "");
}

TEST(IconItemRulesTest, ColoursShowStatesTheIconCannot) {
    IconColours c{1, 2, 3, 4, 5};
    DesignObject object;
    object.level = 50;
    object.suspendState = 2;
    IconItemState state = StateOf(object);
    EXPECT_EQ(ItemTextColor(state, 2, c), 4);  // mode-suspended
    EXPECT_EQ(ItemTextColor(state, 1, c), 2);  // one picture: the frame shows it
    EXPECT_EQ(StateFrameColor(state, 9, c), 4);
    state.errorCondition = 1;
    EXPECT_EQ(ItemTextColor(state, 3, c), 5);  // the error wins
    EXPECT_EQ(StateFrameColor(state, 9, c), 5);
    state = StateOf(DesignObject{});
    EXPECT_EQ(ItemTextColor(state, 2, c), 1);
    EXPECT_EQ(StateFrameColor(state, 9, c), 9);
    state.suspendState = 1;
    EXPECT_EQ(StateFrameColor(state, 9, c), 3);

    // An own icon brings its own level.
    object = DesignObject{};
    object.iconName = "Lamp";
    object.level = 0;
    object.ownIconName = "Fan";
    object.ownLevel = 100;
    EXPECT_EQ(StateOf(object).iconName, "Fan");
    EXPECT_EQ(StateOf(object).level, 100);
}

}  // namespace
}  // namespace zol
