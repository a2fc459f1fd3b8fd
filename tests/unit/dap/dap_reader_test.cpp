#include "dap_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dap::DapReader;
using dap::Inbound;

std::string framed(const std::string& body) {
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// What the reader hands out for `bytes` pushed in pieces of `piece` bytes:
// each message as its JSON text, each problem as "problem: ...".
std::vector<std::string> read_all(const std::string& bytes, std::size_t piece) {
    DapReader reader;
    std::vector<std::string> out;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        reader.push(std::string_view(bytes).substr(at, piece));
        while (std::optional<Inbound> in = reader.next())
            out.push_back(in->kind == Inbound::Kind::problem ? "problem: " + in->problem
                                                             : in->message.dump());
    }
    return out;
}

TEST(DapReader, MessagesComeWholeHoweverTheBytesAreCut) {
    const std::string stream = framed(R"({"seq":1,"type":"request","command":"initialize"})") +
                               framed(R"({"seq":2,"type":"request","command":"launch"})");
    const std::vector<std::string> whole = read_all(stream, stream.size());
    ASSERT_EQ(whole.size(), 2u);
    EXPECT_EQ(whole[0], R"({"command":"initialize","seq":1,"type":"request"})");
    for (std::size_t piece : {1u, 2u, 3u, 7u, 64u})
        EXPECT_EQ(read_all(stream, piece), whole) << "pieces of " << piece;
}

TEST(DapReader, HeaderNamesIgnoreCaseOtherHeadersAndBareLineFeeds) {
    EXPECT_EQ(read_all("content-length:  2\r\nContent-Type: x\r\n\r\n{}", 100),
              std::vector<std::string>{"{}"});
    EXPECT_EQ(read_all("Content-Length: 7\n\n{\"a\":1}", 100),
              std::vector<std::string>{R"({"a":1})"});
}

TEST(DapReader, BadFramesAreReportedAndTheNextMessageStillComes) {
    const std::string good = framed(R"({"seq":9})");
    const std::vector<std::string> got =
        read_all("X-Nothing: 1\r\n\r\n" + good + "Content-Length: abc\r\n\r\n" + good +
                     framed("{not json") + framed("[1,2]") + good,
                 5);
    ASSERT_EQ(got.size(), 7u);
    EXPECT_EQ(got[0], "problem: a message without a Content-Length header was dropped");
    EXPECT_EQ(got[1], R"({"seq":9})");
    EXPECT_EQ(got[2], "problem: a message whose Content-Length is not a number was dropped");
    EXPECT_EQ(got[4], "problem: a message whose body is not JSON was dropped");
    EXPECT_EQ(got[5], "problem: a message whose body is not a JSON object was dropped");
    EXPECT_EQ(got[6], R"({"seq":9})");
}

TEST(DapReader, AHeaderWithoutEndOrABodyTooLargeIsDroppedWithoutKeepingIt) {
    const std::string endless(3 * DapReader::max_header, 'h');
    const std::string good = framed(R"({"seq":1})");
    for (std::size_t piece : {100u, 100000u}) {
        std::vector<std::string> got = read_all(endless + "\r\n\r\n" + good, piece);
        ASSERT_EQ(got.size(), 2u) << piece;
        EXPECT_EQ(got[0].rfind("problem: a header longer than", 0), 0u) << got[0];
        EXPECT_EQ(got[1], R"({"seq":1})");
    }
    DapReader reader;
    reader.push("Content-Length: 999999999999\r\n\r\n");
    std::optional<Inbound> in = reader.next();
    ASSERT_TRUE(in);
    EXPECT_EQ(in->kind, Inbound::Kind::problem);
    reader.push(std::string(1000, 'x'));
    EXPECT_FALSE(reader.next());
    EXPECT_EQ(reader.waiting(), 0u) << "the refused body's bytes are dropped as they come";
}

TEST(DapReader, AWrongLengthSpoilsOneMessageOnly) {
    // Announced one byte short: the body is cut, and the byte left over
    // starts a header block of its own.
    const std::string body = R"({"seq":1})";
    const std::vector<std::string> got =
        read_all("Content-Length: " + std::to_string(body.size() - 1) + "\r\n\r\n" + body +
                     "\r\n\r\n" + framed(R"({"seq":2})"),
                 3);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], "problem: a message whose body is not JSON was dropped");
    EXPECT_EQ(got[2], R"({"seq":2})");
}

TEST(DapFrames, OutgoingMessagesAreFramedAndAlwaysValidUtf8) {
    nlohmann::json m = {{"a", std::string("caf\xC3\xA9")}};
    EXPECT_EQ(dap::frame_of(m), "Content-Length: 13\r\n\r\n{\"a\":\"café\"}");
    nlohmann::json bad = {{"a", std::string("\xFF")}};
    const std::string out = dap::frame_of(bad);
    EXPECT_NE(out.find("\xEF\xBF\xBD"), std::string::npos) << out;
}

} // namespace
