#include "serverlink/frame_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "serverlink/field_list.h"

namespace zol {
namespace {

struct Cut {
    std::vector<std::pair<std::string, FrameKind>> frames;
    SplitResult result;
};

Cut Split(std::string_view bytes, bool binding = false) {
    Cut cut;
    cut.result = SplitFrames(bytes, binding, [&](std::string_view frame, FrameKind kind) {
        cut.frames.emplace_back(std::string(frame), kind);
    });
    return cut;
}

const std::string kGreeting = "ZOL030x014002007";
const std::string kReply =
    FieldList{"0", "ZOLApp", "TimeStamp", "House", "20240101120000"}.Message();
// A single-field list of exactly sixteen bytes.
const std::string kSixteen = FieldList{"00000000"}.Message();

TEST(SplitFrames, CutsEveryFrameOfAStreamWhereverItWasSplitIntoSegments) {
    const std::string push = FieldList{"Notify", "Device", std::string(300, 'x')}.Message();
    const std::string stream = kGreeting + kReply + kSixteen + push + kReply;
    ASSERT_EQ(kSixteen.size(), 16u);
    for (std::size_t split = 0; split <= stream.size(); ++split) {
        // First segment alone, then what it left plus the second segment.
        Cut first = Split(std::string_view(stream).substr(0, split));
        ASSERT_FALSE(first.result.protocolError) << split;
        Cut second = Split(std::string_view(stream).substr(first.result.consumed));
        ASSERT_FALSE(second.result.protocolError) << split;
        EXPECT_EQ(second.result.consumed, stream.size() - first.result.consumed) << split;

        std::vector<std::string> frames;
        for (const Cut* cut : {&first, &second}) {
            for (const auto& [frame, kind] : cut->frames) {
                EXPECT_EQ(kind, frame == kGreeting ? FrameKind::Greeting : FrameKind::FieldList);
                frames.push_back(frame);
            }
        }
        EXPECT_EQ(frames, (std::vector<std::string>{kGreeting, kReply, kSixteen, push, kReply}))
            << "split at " << split;
    }
}

TEST(SplitFrames, SixteenBytesOfALongerFieldListAreNotAFrame) {
    Cut cut = Split(std::string_view(kReply).substr(0, 16));
    EXPECT_TRUE(cut.frames.empty());
    EXPECT_EQ(cut.result.consumed, 0u);
    EXPECT_FALSE(cut.result.protocolError);
}

TEST(SplitFrames, IncompleteGreetingsAndHeadersWait) {
    for (std::string_view partial : {"Z", "ZO", "ZOL03", "0012", "0012  ", "0010001"}) {
        Cut cut = Split(partial);
        EXPECT_TRUE(cut.frames.empty()) << partial;
        EXPECT_EQ(cut.result.consumed, 0u) << partial;
        EXPECT_FALSE(cut.result.protocolError) << partial;
    }
}

TEST(SplitFrames, AnUnusableLengthIsAProtocolErrorAfterTheGoodFrames) {
    for (std::string_view bad :
         {"abcd    xxxxxxxx", "0000    ", "0006    ", "012    x", "00-9    x"}) {
        Cut cut = Split(kReply + std::string(bad));
        EXPECT_TRUE(cut.result.protocolError) << bad;
        EXPECT_FALSE(cut.result.reason.empty()) << bad;
        EXPECT_EQ(cut.result.consumed, kReply.size()) << bad;
        ASSERT_EQ(cut.frames.size(), 1u) << bad;
    }
    EXPECT_TRUE(Split(std::string(9999, '7')).result.protocolError);
    EXPECT_FALSE(Split(std::string(9998, '7')).result.protocolError);
}

TEST(SplitFrames, WhileBindingEverythingWaitingIsOneFrame) {
    Cut cut = Split("c29tZSBiYXNlNjQ=" + kReply, true);
    ASSERT_EQ(cut.frames.size(), 1u);
    EXPECT_EQ(cut.frames[0].second, FrameKind::Binding);
    EXPECT_EQ(cut.result.consumed, 16 + kReply.size());
}

TEST(SplitFrames, FourBlanksAloneAreAnEmptyFieldList) {
    Cut cut = Split("    " + kReply);
    ASSERT_EQ(cut.frames.size(), 2u);
    EXPECT_EQ(cut.frames[0].first, "    ");
}

}  // namespace
}  // namespace zol
