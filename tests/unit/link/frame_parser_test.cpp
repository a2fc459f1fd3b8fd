#include "link/frame_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Outcome {
    std::vector<std::string> frames;
    FrameParser::Status end = FrameParser::Status::NeedMore;
    std::string header;
};

// Feeds the stream in pieces of the given sizes (cycled), collecting frames
// until the bytes run out or the header proves bad.
Outcome feed(const std::string& stream, std::vector<std::size_t> pieces) {
    FrameParser parser;
    Outcome outcome;
    std::size_t at = 0, piece = 0;
    while (at < stream.size()) {
        std::size_t size = std::min(pieces[piece++ % pieces.size()], stream.size() - at);
        std::size_t offset = 0;
        while (offset < size) {
            std::size_t used = 0;
            auto status = parser.push(stream.data() + at + offset, size - offset, used);
            offset += used;
            if (status == FrameParser::Status::Frame) {
                outcome.frames.push_back(parser.take_payload());
            } else if (status != FrameParser::Status::NeedMore) {
                outcome.end = status;
                outcome.header = parser.header_text();
                return outcome;
            } else if (used == 0) {
                break;
            }
        }
        at += size;
    }
    return outcome;
}

Outcome feed_whole(const std::string& stream) {
    return feed(stream, {stream.size() + 1});
}

} // namespace

TEST(FrameParser, LeadingBytesBeforeTheFrameAreDropped) {
    EXPECT_EQ(feed_whole("xx<5>|end|").frames, std::vector<std::string>{"|end|"});
}

TEST(FrameParser, FramesTogetherComeOutOneByOne) {
    EXPECT_EQ(feed_whole("<3>abc<2>de").frames, (std::vector<std::string>{"abc", "de"}));
}

TEST(FrameParser, EverySplitPointGivesTheSameFrames) {
    const std::string full = "junk<3>abc<0><11>hello\nworld<4>a<>\n";
    const std::vector<std::string> expected{"abc", "", "hello\nworld", "a<>\n"};
    for (std::size_t first = 1; first <= full.size(); ++first)
        for (std::size_t rest = 1; rest <= 7; ++rest)
            EXPECT_EQ(feed(full, {first, rest}).frames, expected) << first << "/" << rest;
}

TEST(FrameParser, NeverConsumesPastTheEndOfAFrame) {
    FrameParser parser;
    const std::string stream = "<2>ab<1>c";
    std::size_t used = 0;
    EXPECT_EQ(parser.push(stream.data(), stream.size(), used), FrameParser::Status::Frame);
    EXPECT_EQ(used, 5u);
    EXPECT_EQ(parser.take_payload(), "ab");
}

TEST(FrameParser, PayloadMayHoldAnyByte) {
    std::string payload("a\0<b>\r\n\xff", 8);
    auto outcome = feed_whole("<8>" + payload);
    ASSERT_EQ(outcome.frames.size(), 1u);
    EXPECT_EQ(outcome.frames[0], payload);
}

TEST(FrameParser, HeaderIsReadLikePercentD) {
    EXPECT_EQ(feed_whole("<12x>0123456789ab").frames, std::vector<std::string>{"0123456789ab"});
    EXPECT_EQ(feed_whole("< \t+3>abc").frames, std::vector<std::string>{"abc"});
    EXPECT_EQ(feed_whole("<003>abc").frames, std::vector<std::string>{"abc"});
    EXPECT_EQ(feed_whole("<0>").frames, std::vector<std::string>{""});
}

TEST(FrameParser, BadHeadersAreInvalidWithTheirText) {
    auto x = feed_whole("<x>abc");
    EXPECT_EQ(x.end, FrameParser::Status::HeaderInvalid);
    EXPECT_EQ(x.header, "x");
    EXPECT_EQ(feed_whole("<-1>").end, FrameParser::Status::HeaderInvalid);
    EXPECT_EQ(feed_whole("<>").end, FrameParser::Status::HeaderInvalid);
    EXPECT_EQ(feed_whole("<+>").end, FrameParser::Status::HeaderInvalid);
    EXPECT_EQ(feed_whole("<99999999999>").end, FrameParser::Status::HeaderInvalid);
    // The shown text stops at a NUL, as a C string would.
    auto nul = feed_whole(std::string("<a\0b>", 5));
    EXPECT_EQ(nul.end, FrameParser::Status::HeaderInvalid);
    EXPECT_EQ(nul.header, "a");
}

TEST(FrameParser, HeaderOf99BytesIsTheLongestAccepted) {
    const std::string header99 = std::string(97, ' ') + "12";
    ASSERT_EQ(header99.size(), 99u);
    auto ok = feed_whole("<" + header99 + ">0123456789ab");
    EXPECT_EQ(ok.frames, std::vector<std::string>{"0123456789ab"});
    EXPECT_EQ(ok.end, FrameParser::Status::NeedMore);

    auto over = feed_whole("<" + std::string(100, '1') + ">");
    EXPECT_EQ(over.end, FrameParser::Status::HeaderOverflow);
    auto over_by_one = feed_whole("<" + header99 + "3>");
    EXPECT_EQ(over_by_one.end, FrameParser::Status::HeaderOverflow);
}

TEST(FrameParser, IncompleteFrameWaitsForMore) {
    FrameParser parser;
    std::size_t used = 0;
    EXPECT_EQ(parser.push("<5>ab", 5, used), FrameParser::Status::NeedMore);
    EXPECT_TRUE(parser.in_payload());
    EXPECT_EQ(parser.payload_missing(), 3u);
    EXPECT_EQ(parser.push("cde<", 4, used), FrameParser::Status::Frame);
    EXPECT_EQ(used, 3u);
    EXPECT_EQ(parser.take_payload(), "abcde");
}
