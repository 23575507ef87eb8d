#include "serverlink/json_reader.h"

#include <gtest/gtest.h>

namespace zol {
namespace {

TEST(JsonReaderTest, YieldsTopLevelMembersInOrderWithValueTexts) {
    std::vector<JsonMember> members;
    ASSERT_EQ(ReadJson(R"(  {"host":"10.0.0.5", "port":2000,"uuid":"a\"b\\c\/\u0041",)"
                       R"( "ok":true,"no":false,"none":null,"x":-1.5e3})",
                       members),
              kJsonOk);
    ASSERT_EQ(members.size(), 7u);
    EXPECT_EQ(members[0].name, "host");
    EXPECT_EQ(members[0].value, "10.0.0.5");
    EXPECT_EQ(members[1].value, "2000");
    EXPECT_EQ(members[2].value, "a\"b\\c/A");
    EXPECT_EQ(members[3].value, "true");
    EXPECT_EQ(members[4].value, "false");
    EXPECT_EQ(members[5].value, "null");
    EXPECT_EQ(members[6].value, "-1.5e3");
    EXPECT_EQ(FindJsonMember(members, "port"), &members[1]);
    EXPECT_EQ(FindJsonMember(members, "Port"), nullptr);  // names match exactly
}

TEST(JsonReaderTest, NestedObjectsAndArraysBecomeChildLists) {
    std::vector<JsonMember> members;
    ASSERT_EQ(ReadJson(R"({"a":{"b":[1,"two",{"c":3}],"d":{}},"e":[]})", members), kJsonOk);
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[0].value, "");
    ASSERT_EQ(members[0].children.size(), 2u);
    const JsonMember& b = members[0].children[0];
    ASSERT_EQ(b.children.size(), 3u);
    EXPECT_EQ(b.children[0].name, "");
    EXPECT_EQ(b.children[1].value, "two");
    EXPECT_EQ(b.children[2].children[0].name, "c");
    EXPECT_TRUE(members[1].children.empty());

    ASSERT_EQ(ReadJson(R"(["x",2])", members), kJsonOk);
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[1].value, "2");
}

TEST(JsonReaderTest, OnlyTheFirstOfTwoJoinedObjectsCounts) {
    std::vector<JsonMember> members;
    ASSERT_EQ(ReadJson(R"({"pong":1}{"host":"h","port":"1"})", members), kJsonOk);
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(members[0].name, "pong");
}

TEST(JsonReaderTest, MalformedTextGivesErrorAndNoMembers) {
    const struct {
        const char* text;
        int error;
    } cases[] = {
        {"", kJsonBadStart},
        {"   ", kJsonBadStart},
        {"\"just a string\"", kJsonBadStart},
        {"42", kJsonBadStart},
        {"{", kJsonUnexpectedEnd},
        {R"({"a":"unterminated)", kJsonUnexpectedEnd},
        {R"({"a":1)", kJsonUnexpectedEnd},
        {R"({"a":12)", kJsonUnexpectedEnd},
        {R"({"a":\u0031})", kJsonBadValue},
        {R"({"a":tru})", kJsonBadValue},
        {R"({"a":01x})", kJsonBadValue},
        {R"({"a":1.})", kJsonBadValue},
        {R"({a:1})", kJsonExpectedName},
        {R"({"a" 1})", kJsonExpectedColon},
        {R"({"a":1 "b":2})", kJsonExpectedComma},
        {R"({"a":"\q"})", kJsonBadEscape},
        {R"({"a":"\u00G1"})", kJsonBadEscape},
        {R"({"a":"\u00)", kJsonUnexpectedEnd},
        {R"({"a":1,})", kJsonExpectedName},
    };
    for (const auto& c : cases) {
        std::vector<JsonMember> members{{"stale", "", {}}};
        EXPECT_EQ(ReadJson(c.text, members), c.error) << c.text;
        EXPECT_TRUE(members.empty()) << c.text;
    }
}

TEST(JsonReaderTest, DeepNestingIsRefusedNotOverflowed) {
    std::string deep(100000, '[');
    std::vector<JsonMember> members;
    EXPECT_EQ(ReadJson(deep, members), kJsonTooDeep);
    std::string fine = std::string(kMaxJsonDepth, '[') + std::string(kMaxJsonDepth, ']');
    EXPECT_EQ(ReadJson(fine, members), kJsonOk);
}

TEST(JsonReaderTest, WideUnicodeEscapesBecomeQuestionMarks) {
    std::vector<JsonMember> members;
    ASSERT_EQ(ReadJson(R"({"t":"\u00e9\u20ac"})", members), kJsonOk);
    EXPECT_EQ(members[0].value, "\xE9?");
}

}  // namespace
}  // namespace zol
