// Looking records up by id and name, and the names object commands use.
#include <gtest/gtest.h>

#include "client/model/design.h"

namespace zol {
namespace {

std::unique_ptr<DisplayRecord> MakeDisplay(std::string name, std::int32_t id) {
    auto display = std::make_unique<DisplayRecord>();
    display->name = std::move(name);
    display->displayId = id;
    return display;
}

TEST(DesignTest, LooksUpRecordsByIdAndDisplaysByNameIgnoringCase) {
    Design design;
    auto lamp = std::make_unique<DesignObject>();
    lamp->objectId = 7;
    design.objects.push_back(std::move(lamp));
    DisplayList list;
    list.push_back(MakeDisplay("Kitchen", 501));
    list.push_back(MakeDisplay("kitchen", 502));
    design.AppendDisplays(std::move(list));

    EXPECT_EQ(design.FindObject(7), design.objects[0].get());
    EXPECT_EQ(design.FindObject(8), nullptr);
    EXPECT_EQ(design.FindDisplay(502)->name, "kitchen");
    EXPECT_EQ(design.FindDisplayByName("KITCHEN")->displayId, 501);  // the first of that name
    EXPECT_EQ(design.FindDisplayByName("Kitche"), nullptr);

    design.Clear();
    EXPECT_EQ(design.FindObject(7), nullptr);
    EXPECT_EQ(design.FindDisplay(501), nullptr);
}

TEST(DesignTest, NamesObjectsAsCommandsDo) {
    DesignObject object;
    object.location = "Kitchen";
    object.name = "Ceiling Light";
    EXPECT_EQ(FullObjectName(object), "Kitchen - Ceiling Light");
    EXPECT_STREQ(ObjectKindName(ObjectKindDevice), "Device");
    EXPECT_STREQ(ObjectKindName(ObjectKindController), "Controller");
    EXPECT_STREQ(ObjectKindName(4), "");
    EXPECT_STREQ(ObjectKindName(-1), "");
}

TEST(DesignTest, FindsIconSetsIgnoringCase) {
    std::vector<IconSet> sets(2);
    sets[0].name = "Theme_36_36";
    sets[1].name = "Theme_110_110";
    EXPECT_EQ(FindIconSet(sets, "theme_110_110"), &sets[1]);
    EXPECT_EQ(FindIconSet(sets, "Theme_54_54"), nullptr);
}

}  // namespace
}  // namespace zol
