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

std::unique_ptr<DesignObject> MakeObject(std::int32_t id, std::string name = {}) {
    auto object = std::make_unique<DesignObject>();
    object->objectId = id;
    object->name = std::move(name);
    return object;
}

// The id index must follow the records: appended, emptied and reloaded to
// the same count in the same storage, moved.
TEST(DesignTest, FindsObjectsByIdThroughEveryChangeOfTheRecords) {
    Design design;
    for (std::int32_t id : {30, 10, 20, 10})
        design.objects.push_back(MakeObject(id, "first " + std::to_string(id)));
    EXPECT_EQ(design.FindObject(10), design.objects[1].get());  // the first of that id
    EXPECT_EQ(design.FindObject(30), design.objects[0].get());
    EXPECT_EQ(design.FindObject(25), nullptr);

    design.objects.push_back(MakeObject(25));
    EXPECT_EQ(design.FindObject(25), design.objects[4].get());

    // Reloaded with as many records, in the same storage.
    design.Clear();
    for (std::int32_t id : {1, 2, 3, 4, 5})
        design.objects.push_back(MakeObject(id));
    EXPECT_EQ(design.FindObject(30), nullptr);
    EXPECT_EQ(design.FindObject(3), design.objects[2].get());

    Design moved = std::move(design);
    EXPECT_EQ(moved.FindObject(4), moved.objects[3].get());
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
