// The alert, status, text and meter tiles against a scripted server.
#include <QFontMetrics>

#include "client/core/extended_status_record.h"
#include "client/display/tiles/alert_entry_wrap.h"
#include "client/display/tiles/meter_reading.h"
#include "client/display/tiles/status_content.h"
#include "client/display/tiles/tile_alert.h"
#include "client/display/tiles/tile_status.h"
#include "client/display/tiles/tile_text.h"
#include "tile_fixture.h"

namespace zol {
namespace {

using testing::Frame;
using testing::ScriptedReply;

ScriptedReply AlertReply(std::vector<std::string> entries) {
    std::vector<std::string> fields{"0", "ZOLApp", "GetAlertReport", std::to_string(entries.size()),
                                    "2"};
    for (const std::string& message : entries)
        fields.push_back(Frame({message, "20240315081200"}));
    return {0, Frame(fields)};
}

class InformationTilesTest : public testing::TileFixture {};

TEST_F(InformationTilesTest, AFailedAlertReadKeepsTheEntriesAndPaintingAsksNothing) {
    server_["GetAlertReport"] = [](const ReplyFields&) { return AlertReply({"Door open"}); };
    server_["GetServerStatus"] = [](const ReplyFields&) {
        return ScriptedReply{0, Frame({"0", "ZOLApp", "GetServerStatus", "1", "2", "1"})};
    };
    AddTile(TileAlert, PlainTileData{}).refreshInterval = 1;
    Show();
    CTileAlert* tile = Tile<CTileAlert>();
    ASSERT_NE(tile, nullptr);
    ASSERT_EQ(tile->Report().entries.size(), 1u);
    EXPECT_EQ(tile->Report().redCount, 2);

    // The server stops answering: a refresh keeps what was shown, silently.
    server_.clear();
    tile->OnRefreshTimer();
    EXPECT_EQ(Requests("GetAlertReport"), 2);
    ASSERT_EQ(tile->Report().entries.size(), 1u);
    EXPECT_EQ(tile->Report().entries[0].message, "Door open");
    EXPECT_TRUE(reporter_.messages.empty());

    const std::size_t before = channel_.requests.size();
    tile->grab();
    tile->grab();
    EXPECT_EQ(channel_.requests.size(), before);
}

TEST(AlertEntryWrapTest, EveryTextEndsInAtMostTwoLines) {
    const auto measure = [](const QString& s) { return static_cast<int>(s.size()) * 10; };
    // A word wider than the column takes a line of its own.
    EXPECT_EQ(WrapAlertEntry(QStringLiteral("a Supercalifragilistic b"), 50, measure),
              QStringList({QStringLiteral("a"), QStringLiteral("Supercalifragilistic...")}));
    EXPECT_EQ(WrapAlertEntry(QStringLiteral("Supercalifragilistic"), 50, measure),
              QStringList({QStringLiteral("Supercalifragilistic")}));
    EXPECT_EQ(WrapAlertEntry(QStringLiteral("one\ntwo three four"), 90, measure),
              QStringList({QStringLiteral("one"), QStringLiteral("two three...")}));
    EXPECT_EQ(WrapAlertEntry(QString(), 0, measure), QStringList({QString()}));
}

TEST(StatusContentTest, LinesBecomeRowsSafely) {
    ExtendedStatusRecord record;
    record.lines = {"-", "---Monday", "a,b,c", "plain"};
    for (int i = 0; i < 70; ++i)
        record.lines.push_back("row " + std::to_string(i) + ",x");
    const StatusContent content = MakeStatusContent(record);
    ASSERT_EQ(content.rows.size(), kMaxStatusRows);  // the 65th line and on are dropped
    EXPECT_TRUE(content.rows[0].section);
    EXPECT_TRUE(content.rows[0].name.isEmpty());
    EXPECT_EQ(content.rows[1].name, QStringLiteral("Monday"));
    EXPECT_EQ(content.rows[2].name, QStringLiteral("a"));
    EXPECT_EQ(content.rows[2].value, QStringLiteral("b,c"));
    EXPECT_EQ(content.rows[3].name, QStringLiteral("plain"));
    EXPECT_EQ(content.rows.back().name, QStringLiteral("row 59"));
}

TEST(ExtendedStatusRecordTest, ShortAndLongPushesAreClamped) {
    ReplyFields eight;
    ASSERT_EQ(eight.Decode(Frame(
                  {"0", "ZOLApp", "ExtServerStatus", "4", "20240315081200", "x", "y", "3 days"})),
              0);
    const auto shortRecord = MakeExtendedStatusRecord(eight);
    EXPECT_EQ(shortRecord->lineCount, 0);
    EXPECT_TRUE(shortRecord->lines.empty());
    EXPECT_EQ(shortRecord->UpTime(), "3 days");
    EXPECT_TRUE(shortRecord->ServerTime().valid);

    std::vector<std::string> fields(11, "f");
    fields.resize(11 + 200, "line");
    ReplyFields many;
    ASSERT_EQ(many.Decode(Frame(fields)), 0);
    EXPECT_EQ(MakeExtendedStatusRecord(many)->lineCount, kMaxExtendedStatusLines);
}

class StatusTilesTest : public testing::TileFixture {
  protected:
    void SetUp() override {
        server_["GetExtServerStatus"] = [](const ReplyFields&) {
            return ScriptedReply{
                0, Frame({"0", "ZOLApp", "GetExtServerStatus", "1", "20240315081200", "", "",
                          "2 days", "d1", "d2", "House", "Devices,86"})};
        };
        server_["SetClientOptions"] = [this](const ReplyFields& request) {
            options_.emplace_back(request.Text(3));
            return ScriptedReply{0, Frame({"0", "ZOLApp", "SetClientOptions"})};
        };
    }
    std::vector<std::string> options_;
};

TEST_F(StatusTilesTest, OneOfTwoTilesGoingKeepsThePushesForTheOther) {
    AddTile(TileStatus, PlainTileData{});
    AddTile(TileStatus, PlainTileData{}, 8);
    Show();
    CTileStatus* first = Tile<CTileStatus>(0);
    CTileStatus* second = Tile<CTileStatus>(1);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(second->Content().statusTitle, QStringLiteral("House"));
    EXPECT_EQ(options_, (std::vector<std::string>{"270397", "270397"}));

    first->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(options_.size(), 2u);  // the other still wants the pushes

    auto record = std::make_unique<ExtendedStatusRecord>();
    record->texts[3] = "Pushed";
    record->lines = {"Devices,87"};
    EXPECT_EQ(receivers_.Post(std::move(record)), 1);
    QCoreApplication::sendPostedEvents(second, 0);
    EXPECT_EQ(second->Content().statusTitle, QStringLiteral("Pushed"));

    // The last one going cancels them, silently even when that fails.
    server_.erase("SetClientOptions");
    CloseView();
    EXPECT_EQ(Requests("SetClientOptions"), 3);
    EXPECT_TRUE(reporter_.messages.empty());
    EXPECT_TRUE(receivers_.Empty());
    // A record nobody receives is freed (the sanitizer would tell).
    EXPECT_EQ(receivers_.Post(std::make_unique<ExtendedStatusRecord>()), 0);
}

TEST_F(InformationTilesTest, AutoFitEndsAtTenPointsForALongLine) {
    TextTileData text;
    text.text = std::string(400, 'W') + "\r\n  second  ";
    text.autoFit = 1;
    AddTile(TileText, text);
    Show();
    CTileText* tile = Tile<CTileText>();
    ASSERT_NE(tile, nullptr);
    const QStringList lines = TextTileLines(QString::fromStdString(tile->ShownText()));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], QStringLiteral("second"));
    EXPECT_EQ(tile->ContentFont(text, lines).pixelSize(), 13);  // 10 points at 96 dpi
    EXPECT_EQ(TextTileLines(QStringLiteral("x\r\n").repeated(40)).size(), 16);
}

TEST(MeterReadingTest, NoMaximumOrOverloadStaysOnTheDial) {
    Design design;
    MeterTileData fixed{0, 1};
    EXPECT_EQ(ReadMeter(design, fixed).angle, 0.0);  // nothing metered, maximum 0

    auto object = std::make_unique<DesignObject>();
    object->metered = 100;
    object->level = 100;
    design.objects.push_back(std::move(object));
    const MeterReading zeroMax = ReadMeter(design, fixed);
    EXPECT_EQ(zeroMax.watts, 100);
    EXPECT_EQ(zeroMax.angle, 180.0);

    const MeterReading overload = ReadMeter(design, MeterTileData{50, 1});
    EXPECT_EQ(overload.angle, 180.0);
    EXPECT_EQ(MeterTextColor(overload.angle), 0x6767FFu);
    EXPECT_EQ(MeterTextColor(121.0), 0x67D4FFu);
    EXPECT_EQ(MeterTextColor(120.9), 0xFFFFFFu);
    EXPECT_DOUBLE_EQ(ReadMeter(design, MeterTileData{360, 1}).angle, 50.0);
    EXPECT_DOUBLE_EQ(ReadMeter(design, MeterTileData{0, 0}).angle, 180.0);  // rated 100: full
}

}  // namespace
}  // namespace zol
