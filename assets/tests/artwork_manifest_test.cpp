#include "assets/tools/artwork_manifest.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zol {
namespace {

ManifestResult<ImageArtwork> Images(const std::string& text) {
    std::istringstream input(text);
    return ParseImageManifest(input);
}

ManifestResult<IconStateArtwork> States(const std::string& text) {
    std::istringstream input(text);
    return ParseStateManifest(input);
}

TEST(ImageManifest, ReadsEntriesWithAndWithoutSettings) {
    const auto result = Images(
        "# comment line\n"
        "\n"
        "NavBack   nav_back.svg  48 48\n"
        "   # indented comment\n"
        "Sunday    weekday.svg   44 18  colour=#B07A2A label=SUN\n");
    ASSERT_TRUE(result.errors.empty()) << result.errors.front();
    ASSERT_EQ(result.entries.size(), 2u);
    EXPECT_EQ(result.entries[0].name, "NavBack");
    EXPECT_EQ(result.entries[0].source, "nav_back.svg");
    EXPECT_EQ(result.entries[0].width, 48);
    EXPECT_TRUE(result.entries[0].colour.empty());
    EXPECT_EQ(result.entries[1].colour, "#B07A2A");
    EXPECT_EQ(result.entries[1].label, "SUN");
    EXPECT_EQ(result.entries[1].height, 18);
}

TEST(ImageManifest, RejectsBadLinesWithTheirNumbersAndKeepsTheRest) {
    const auto result = Images(
        "Good       good.svg     16 16\n"
        "TooShort   short.svg    16\n"
        "ZeroSize   zero.svg     0 16\n"
        "HugeSize   huge.svg     16 99999\n"
        "NotSvg     picture.png  16 16\n"
        "Escapes    ../x.svg     16 16\n"
        "Absolute   /etc/x.svg   16 16\n"
        "Bad-Name   bad.svg      16 16\n"
        "BadColour  c.svg        16 16 colour=#12345\n"
        "Unknown    u.svg        16 16 size=big\n"
        "TwoColours t.svg        16 16 colour=#000000 colour=#FFFFFF\n"
        "Good       again.svg    16 16\n");
    ASSERT_EQ(result.entries.size(), 1u);
    EXPECT_EQ(result.entries[0].source, "good.svg");
    ASSERT_EQ(result.errors.size(), 11u);
    EXPECT_EQ(result.errors.front().rfind("line 2:", 0), 0u) << result.errors.front();
    EXPECT_EQ(result.errors.back().rfind("line 12:", 0), 0u) << result.errors.back();
}

TEST(ImageManifest, SizeMustBeAWholeNumber) {
    EXPECT_EQ(Images("A a.svg 16px 16\n").entries.size(), 0u);
    EXPECT_EQ(Images("A a.svg -16 16\n").entries.size(), 0u);
    EXPECT_EQ(Images("A a.svg 1024 1\n").entries.size(), 1u);
}

TEST(HexColour, AcceptsOnlyHashAndSixHexDigits) {
    EXPECT_TRUE(IsHexColour("#09aAfF"));
    EXPECT_FALSE(IsHexColour("09AAFF"));
    EXPECT_FALSE(IsHexColour("#09AAF"));
    EXPECT_FALSE(IsHexColour("#09AAFG"));
    EXPECT_FALSE(IsHexColour("#09AAFF0"));
}

TEST(StateManifest, ReadsTheThreeStates) {
    const auto result = States(
        "# state background glyph parts\n"
        "off  states/off.svg  #8FA6B3  unlit\n"
        "dim  states/dim.svg  #FFC94A  lit\n"
        "on   states/on.svg   #092A3A  lit\n");
    ASSERT_TRUE(result.errors.empty()) << result.errors.front();
    ASSERT_EQ(result.entries.size(), 3u);
    EXPECT_FALSE(result.entries[0].lit);
    EXPECT_TRUE(result.entries[1].lit);
    EXPECT_EQ(result.entries[2].glyphColour, "#092A3A");
    EXPECT_EQ(result.entries[2].background, "states/on.svg");
}

TEST(StateManifest, RejectsUnknownStatesDuplicatesAndBadFields) {
    const auto result = States(
        "bright  states/b.svg  #FFFFFF  lit\n"
        "on      states/on.svg #FFFFFF  glowing\n"
        "on      states/on.svg white    lit\n"
        "on      states/on.png #FFFFFF  lit\n"
        "on      states/on.svg #FFFFFF\n"
        "on      states/on.svg #FFFFFF  lit\n"
        "on      states/on.svg #FFFFFF  lit\n");
    ASSERT_EQ(result.entries.size(), 1u);
    EXPECT_EQ(result.errors.size(), 6u);
    EXPECT_EQ(result.errors.back().rfind("line 7:", 0), 0u) << result.errors.back();
}

}  // namespace
}  // namespace zol
