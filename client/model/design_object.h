// DesignObject: the client's copy of one object of the server's design (a
// device, program, group or controller), created by LoadDesign and kept
// until the next reload. Tiles, pushes and pop-ups find it by `objectId`.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "client/model/record_type.h"

namespace zol {

// Texts, keypad buttons and button states an object keeps.
inline constexpr int kMaxObjectSlots = 16;

enum ObjectKind : std::int32_t {
    ObjectKindDevice = 0,
    ObjectKindProgram = 1,
    ObjectKindGroup = 2,
    ObjectKindController = 3,
};

// An object's texts or button names, read by index (0 to kMaxObjectSlots - 1);
// a slot never set reads as empty. Only the slots set take memory: a design
// brings thousands of objects, most with few texts, and a smaller object is
// quicker to allocate and to fill at connect.
class ObjectSlots {
  public:
    static constexpr std::size_t size() { return kMaxObjectSlots; }
    const std::string& operator[](std::size_t index) const {
        return index < set_.size() ? set_[index] : Empty();
    }
    // Makes the slot, and those before it, when it is not there yet.
    std::string& operator[](std::size_t index) {
        if (index >= set_.size())
            set_.resize(index + 1);
        return set_[index];
    }
    // Makes the first `count` slots at once (at most size()).
    void Resize(std::size_t count) { set_.resize(count < size() ? count : size()); }

  private:
    static const std::string& Empty();
    std::vector<std::string> set_;
};

// One key of an infrared device's keypad, as "IRKeypad" lists it.
struct IrKey {
    std::string keyName;  // sent with the infrared command
    std::string caption;
    std::int32_t x = 0;  // position and size in the keypad's own units
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t isLabel = 0;  // non-zero: a text, not a button
    bool operator==(const IrKey&) const = default;
};

struct DesignObject {
    std::int32_t recordType = kRecordTypeDesignObject;
    std::string name;
    std::int32_t objectId = 0;
    std::int32_t reserved3 = 0;
    std::string iconName;
    std::string templateName;
    std::string location;
    std::string statusText;
    std::int32_t clickAction = 0;        // 1 toggle on/off, 2 open the pop-up
    std::int32_t doubleClickAction = 0;  // same values, for a double click
    std::int32_t reserved2 = 0;
    std::int32_t level = 0;           // 0 off, 1 to 99 dimmed (percent), 100 on
    std::int32_t metered = 0;         // rated power in watts; 0 when not metered
    std::int32_t suspendState = 0;    // 2 mode-suspended; other non-zero values suspended
    std::int32_t errorCondition = 0;  // non-zero: the object has an error condition
    std::int32_t objectKind = ObjectKindDevice;
    std::int32_t reserved4 = 0;
    std::int32_t textCount = 0;    // 0 to 16
    std::int32_t buttonCount = 0;  // 0 to 16
    ObjectSlots texts;
    ObjectSlots buttonNames;
    std::array<std::int32_t, kMaxObjectSlots> buttonStates{};
    std::string ownIconName;  // replaces iconName when not empty
    std::string caption;      // shown instead of the full name when not empty
    std::int32_t ownLevel = 0;
    std::string overlayText;
    std::int32_t overlaySize = 0;
    std::int32_t overlayColor = 0;  // 0x00BBGGRR
    // The infrared keys, newest entry first (reverse reply order); read once
    // per object, and kept only after a read that succeeded.
    std::vector<IrKey> irKeys;
    bool irKeysRead = false;
};

// "Location - Name": how every object command names the object.
std::string FullObjectName(const DesignObject& object);
// "Device", "Program", "Group" or "Controller"; empty for another kind.
const char* ObjectKindName(std::int32_t objectKind);

}  // namespace zol
