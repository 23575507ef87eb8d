#include "serverlink/field_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zol {
namespace {

std::vector<FieldValue> Decode(std::string_view message, int expectedResult = 0) {
    std::vector<FieldValue> values;
    EXPECT_EQ(DecodeFieldList(message, values), expectedResult) << message;
    return values;
}

TEST(AppendField, BuildsTheHeaderOfRunningEndOffsets) {
    std::string header;
    std::string data;
    AppendField("ZOLApp", 2, header, data);
    AppendField("TimeStamp", 2, header, data);
    EXPECT_EQ(header + data, "00180027    ZOLAppTimeStamp");

    FieldList three(3);
    three.Add("ab").Add("").Add("cde");
    // 16 = 3 entries + terminator; each entry is 16 + the data length so far.
    EXPECT_EQ(three.Message(), "001800180021    abcde");
    EXPECT_EQ(FieldList(0).Message(), "    ");
    EXPECT_EQ((FieldList{"ZOLObject", "Kitchen - Lamp", "On"}.Message()),
              "002500390041    ZOLObjectKitchen - LampOn");
    EXPECT_EQ(FieldList(1).Add(-42).Message(), "0011    -42");
}

TEST(DecodeFieldList, RoundTripsWhatAppendFieldBuilds) {
    const std::vector<std::string> fields = {"ZOLApp", "GetDisplays",    "0",     "", "a    b",
                                             "-7",     "20201023173626", "x\xe9y"};
    FieldList list(static_cast<int>(fields.size()));
    for (const auto& f : fields)
        list.Add(f);
    auto values = Decode(list.Message());
    ASSERT_EQ(values.size(), fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(values[i].text, fields[i]);
}

TEST(DecodeFieldList, ClassifiesFieldsAsNumberDateTimeOrText) {
    auto values = Decode(FieldList{"123", "-5", "", "12a", "20201023173626", "20200230120000",
                                   "--5", "5-", "2020102317362"}
                             .Message());
    ASSERT_EQ(values.size(), 9u);
    EXPECT_EQ(values[0].kind, FieldNumber);
    EXPECT_EQ(values[0].number, 123);
    EXPECT_EQ(values[0].text, "123");
    EXPECT_EQ(values[1].kind, FieldNumber);
    EXPECT_EQ(values[1].number, -5);
    EXPECT_EQ(values[2].kind, FieldNumber);
    EXPECT_EQ(values[2].number, 0);
    EXPECT_EQ(values[2].text, "");
    EXPECT_EQ(values[3].kind, FieldText);
    EXPECT_EQ(values[3].number, 0);
    EXPECT_EQ(values[4].kind, FieldDateTime);
    EXPECT_EQ(values[4].dateTime, (FieldDateTimeValue{2020, 10, 23, 17, 36, 26, true}));
    EXPECT_EQ(values[4].number, 0);
    EXPECT_EQ(values[5].kind, FieldNumber) << "30 February is no date";
    EXPECT_FALSE(values[5].dateTime.valid);
    EXPECT_EQ(values[6].kind, FieldNumber);
    EXPECT_EQ(values[6].number, 0) << "C conversion stops at the second minus";
    EXPECT_EQ(values[7].number, 5);
    EXPECT_EQ(values[8].kind, FieldNumber) << "13 digits is no date";
}

TEST(DecodeFieldList, FourBlanksAloneAreAnEmptyList) {
    EXPECT_TRUE(Decode("    ").empty());
    EXPECT_TRUE(Decode("    trailing bytes are ignored").empty());
}

TEST(DecodeFieldList, ReportsEachMalformedHeaderWithItsCode) {
    Decode("", kFieldListNoTerminator);
    Decode("0009X", kFieldListNoTerminator);
    Decode("0009   X", kFieldListNoTerminator);
    Decode("009    X", kFieldListBadHeaderLength);
    Decode("00090    X", kFieldListBadHeaderLength);
    Decode("00a9    X", kFieldListBadHeaderChar);
    Decode("0009+001    X", kFieldListBadHeaderChar);
    Decode("0009    ", kFieldListOffsetPastEnd);  // 8 bytes, entry says 9
    Decode("9999    X", kFieldListOffsetPastEnd);
    std::vector<FieldValue> values{FieldValue{}};
    EXPECT_EQ(DecodeFieldList("00a9    X", values), kFieldListBadHeaderChar);
    EXPECT_TRUE(values.empty()) << "nothing is returned on failure";
}

TEST(DecodeFieldList, OddOffsetsGiveEmptyOrShiftedFieldsWithoutReadingOutside) {
    auto one = Decode("0009    X");
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].text, "X");
    EXPECT_EQ(one[0].kind, FieldText);

    // Offsets going backwards give an empty field, then resume from there.
    auto back = Decode("001800170023    ABCDEFG");
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0].text, "AB");
    EXPECT_EQ(back[1].text, "");
    EXPECT_EQ(back[2].text, "BCDEFG");

    // "----" reads as 0 and "12-3" as 12, as the C library reads them.
    auto dashes = Decode("----0013    X");
    ASSERT_EQ(dashes.size(), 2u);
    EXPECT_EQ(dashes[0].text, "");
    EXPECT_EQ(dashes[1].text, "----0013    X");

    // A negative offset never moves the next field before the message.
    auto negative = Decode("-9990010    XY");
    ASSERT_EQ(negative.size(), 2u);
    EXPECT_EQ(negative[0].text, "");
    EXPECT_EQ(negative[1].text, "-9990010  ");

    auto minusTwelve = Decode("12-3    ABCD");
    ASSERT_EQ(minusTwelve.size(), 1u);
    EXPECT_EQ(minusTwelve[0].text, "ABCD");
}

TEST(DecodeFieldList, TheFirstFourBlankRunEndsTheHeader) {
    auto values = Decode(FieldList{"a    b", "    "}.Message());
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].text, "a    b");
    EXPECT_EQ(values[1].text, "    ");
}

TEST(DecodeFieldList, LargestMessageDecodes) {
    std::string big(9999 - 18, 'q');
    auto message = FieldList{"ZOLApp", big}.Message();
    ASSERT_EQ(message.size(), 9999u);
    auto values = Decode(message);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[1].text.size(), big.size());
}

TEST(DecodeFieldSpans, AgreesWithDecodeFieldListWithoutCopying) {
    const std::vector<std::string> messages = {
        FieldList{"0", "ZOLApp", "GetDesign", "", "-12", "20240315093000", "20241315093000"}
            .Message(),
        "001800170023    ABCDEFG",
        "----0013    X",
        "-9990010    XY",
        "12-3    ABCD",
        "    ",
        "00a9    X",
        "0009    ",
        ""};
    for (const std::string& message : messages) {
        std::vector<FieldValue> values;
        std::vector<FieldSpan> spans{FieldSpan{}};
        const int code = DecodeFieldList(message, values);
        EXPECT_EQ(DecodeFieldSpans(message, spans), code) << message;
        ASSERT_EQ(spans.size(), values.size()) << message;
        for (std::size_t k = 0; k < spans.size(); ++k) {
            const std::string_view text =
                std::string_view(message).substr(spans[k].offset, spans[k].length);
            EXPECT_EQ(text, values[k].text) << message;
            EXPECT_EQ(FieldNumberOf(text), values[k].number) << message << " field " << k;
        }
    }
}

TEST(ParseFieldDateTime, AcceptsOnlyValidGregorianDateTimes) {
    FieldDateTimeValue dt;
    EXPECT_TRUE(ParseFieldDateTime("20240229000000", dt));
    EXPECT_EQ(dt, (FieldDateTimeValue{2024, 2, 29, 0, 0, 0, true}));
    EXPECT_TRUE(ParseFieldDateTime("20000229235959", dt)) << "2000 is a leap year";
    EXPECT_TRUE(ParseFieldDateTime("01000101000000", dt)) << "year 100";
    EXPECT_TRUE(ParseFieldDateTime("99991231235959", dt));
    const char* rejected[] = {
        "19000229000000", "20230229000000",  "00990101000000", "20241301000000", "20240001000000",
        "20240100000000", "20240431000000",  "20240101240000", "20240101006000", "20240101000060",
        "2024010100000",  "202401010000000", "2024010100000a", "-0240101000000"};
    for (const char* text : rejected) {
        EXPECT_FALSE(ParseFieldDateTime(text, dt)) << text;
        EXPECT_FALSE(dt.valid) << text;
    }
}

TEST(ReadDecimal, ReadsAsTheCLibraryDoesAndSaturates) {
    EXPECT_EQ(ReadDecimal(""), 0);
    EXPECT_EQ(ReadDecimal("-"), 0);
    EXPECT_EQ(ReadDecimal("0042"), 42);
    EXPECT_EQ(ReadDecimal("12-3"), 12);
    EXPECT_EQ(ReadDecimal("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ReadDecimal("2147483647"), 2147483647);
    EXPECT_EQ(ReadDecimal("99999999999999999999"), 2147483647);
    EXPECT_EQ(ReadDecimal("-99999999999999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace zol
