// Design entries decoded from their fields: positions that follow the wire's
// counts, the version gate, and counts that do not match what arrived.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client/model/design_entry.h"
#include "scripted_channel.h"

namespace zol {
namespace {

using testing::Frame;

DesignObject Decode(const std::vector<std::string>& fields, int major = 19) {
    ReplyFields entry;
    EXPECT_EQ(entry.Decode(Frame(fields)), 0);
    DesignObject object;
    DecodeDesignObject(entry, major, object);
    return object;
}

// Fields 1 to 9 with the given counts.
std::vector<std::string> Head(const std::string& textCount, const std::string& buttonCount) {
    return {"42", "Lamp", "bulb", "Dimmer", "50", "0", "0", textCount, buttonCount};
}

void Append(std::vector<std::string>& fields, const std::vector<std::string>& more) {
    fields.insert(fields.end(), more.begin(), more.end());
}

TEST(DesignEntryTest, TextsAndButtonsPlaceTheFieldsThatFollow) {
    auto fields = Head("2", "3");
    Append(fields, {"t1", "t2", "Up", "Down", "Off", "1", "0", "1"});
    ASSERT_EQ(fields.size(), 17u);  // so clickAction is field 18
    Append(fields, {"2", "1", "Kitchen", "own", "Cap", "7", "60", "9"});
    Append(fields, {"x", "1", "33", "x", "x", "x", "x", "x", "status", "over", "12", "255"});
    const DesignObject object = Decode(fields);

    EXPECT_EQ(object.objectId, 42);
    EXPECT_EQ(object.textCount, 2);
    EXPECT_EQ(object.texts[1], "t2");
    EXPECT_EQ(object.buttonCount, 3);
    EXPECT_EQ(object.buttonNames[2], "Off");
    // Slots past the counts read as empty, up to the last one.
    EXPECT_EQ(object.texts[2], "");
    EXPECT_EQ(object.buttonNames[kMaxObjectSlots - 1], "");
    EXPECT_EQ(object.buttonStates[0], 1);
    EXPECT_EQ(object.buttonStates[1], 0);
    EXPECT_EQ(object.clickAction, 2);
    EXPECT_EQ(object.doubleClickAction, 1);
    EXPECT_EQ(FullObjectName(object), "Kitchen - Lamp");
    EXPECT_EQ(object.caption, "Cap");
    EXPECT_EQ(object.metered, 60);
    EXPECT_EQ(object.reserved2, 9);
    EXPECT_EQ(object.errorCondition, 1);
    EXPECT_EQ(object.reserved3, 33);
    EXPECT_EQ(object.statusText, "status");
    EXPECT_EQ(object.overlayColor, 255);

    const DesignObject old = Decode(fields, 13);
    EXPECT_EQ(old.reserved2, 9);
    EXPECT_EQ(old.errorCondition, 0);
    EXPECT_EQ(old.reserved3, 0);
    EXPECT_EQ(old.statusText, "");
    EXPECT_EQ(old.overlaySize, 0);
}

TEST(DesignEntryTest, KeepsSixteenButMovesByTheWholeCount) {
    auto fields = Head("20", "0");
    for (int i = 0; i < 20; ++i)
        fields.push_back("t" + std::to_string(i));
    Append(fields, {"1", "2", "Hall"});
    const DesignObject object = Decode(fields);
    EXPECT_EQ(object.textCount, 16);
    EXPECT_EQ(object.texts[15], "t15");
    EXPECT_EQ(object.clickAction, 1);
    EXPECT_EQ(object.location, "Hall");
}

TEST(DesignEntryTest, CountsBeyondTheEntryReadNothingBeyondIt) {
    // Counts near the 32-bit limit and negative ones: no overflow, no read
    // past the fields received, no write past the 16 slots.
    for (const auto& [texts, buttons] : std::vector<std::pair<std::string, std::string>>{
             {"2147483647", "2147483647"}, {"-5", "-2147483648"}, {"3", "99"}}) {
        auto fields = Head(texts, buttons);
        Append(fields, {"a", "b", "c", "d"});
        const DesignObject object = Decode(fields);
        EXPECT_LE(object.textCount, 4) << texts;
        EXPECT_GE(object.textCount, 0) << texts;
        EXPECT_LE(object.buttonCount, 1) << buttons;
        EXPECT_GE(object.buttonCount, 0) << buttons;
    }
    const DesignObject negative = Decode([] {
        auto fields = Head("-5", "0");
        Append(fields, {"2", "0", "Porch"});
        return fields;
    }());
    EXPECT_EQ(negative.textCount, 0);
    EXPECT_EQ(negative.location, "Porch");  // a negative count moves nothing
}

}  // namespace
}  // namespace zol
