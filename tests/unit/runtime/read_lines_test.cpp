#include "runtime/read_lines.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// A descriptor positioned at the start of the given bytes.
class FileOf {
  public:
    explicit FileOf(const std::string& bytes) : fd_(memfd_create("lines", MFD_CLOEXEC)) {
        EXPECT_EQ(write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        lseek(fd_, 0, SEEK_SET);
    }
    ~FileOf() { close(fd_); }
    int fd() const { return fd_; }
    off_t position() const { return lseek(fd_, 0, SEEK_CUR); }

  private:
    int fd_;
};

Lines lines_of(const std::string& bytes, int most = 0) {
    FileOf file(bytes);
    std::optional<ReadLinesResult> result = read_lines(file.fd(), most);
    EXPECT_TRUE(result.has_value());
    return result ? result->lines : Lines{"<read failed>"};
}

TEST(ReadLines, LineEnds) {
    EXPECT_EQ(lines_of("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(lines_of(""), Lines{});
    EXPECT_EQ(lines_of("\n"), Lines{""});
    EXPECT_EQ(lines_of("a\n"), Lines{"a"});
    EXPECT_EQ(lines_of("a\n\nb\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(lines_of("a\r\r\n"), Lines{"a\r"}); // one CR only
    EXPECT_EQ(lines_of("a\rb\n"), Lines{"a\rb"});
    EXPECT_EQ(lines_of("x\r"), Lines{"x"});
}

TEST(ReadLines, CountLongestAndLengths) {
    FileOf file("abc\r\n\nde\nlonger line");
    const std::optional<ReadLinesResult> r = read_lines(file.fd(), 0);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->count, 4);
    EXPECT_EQ(r->longest, 11);
    EXPECT_EQ(r->lengths, (std::vector<int>{3, 0, 2, 11}));
}

TEST(ReadLines, ControlZAloneOnTheLastLineIsDropped) {
    EXPECT_EQ(lines_of("a\r\n\x1a"), Lines{"a"});
    EXPECT_EQ(lines_of("a\n\x1a\r\n"), Lines{"a"});
    EXPECT_EQ(lines_of("\x1a"), Lines{});
    EXPECT_EQ(lines_of("a\n\x1a\nb"), (Lines{"a", "\x1a", "b"}));
    EXPECT_EQ(lines_of("a\n\x1a\x1a"), (Lines{"a", "\x1a\x1a"}));
    EXPECT_EQ(lines_of("a\nz\x1a"), (Lines{"a", "z\x1a"}));
    FileOf file("a\n\x1a");
    EXPECT_EQ(read_lines(file.fd(), 0)->count, 1);
}

TEST(ReadLines, LinesSpanChunks) {
    const std::string long_line(1500, 'x');
    EXPECT_EQ(lines_of(long_line + "\ny"), (Lines{long_line, "y"}));
    EXPECT_EQ(lines_of(std::string(3000, 'q')), Lines{std::string(3000, 'q')});
    // A file filling whole chunks still ends its last line.
    EXPECT_EQ(lines_of(std::string(1024, 'z')), Lines{std::string(1024, 'z')});
    EXPECT_EQ(lines_of(std::string(1023, 'z') + "\n"), Lines{std::string(1023, 'z')});
    EXPECT_EQ(lines_of(std::string(2047, 'z') + "\x1a"), Lines{std::string(2047, 'z') + "\x1a"});
}

TEST(ReadLines, EveryPlaceOfCrAndLfAroundTheChunkEdge) {
    for (std::size_t pad = 1014; pad <= 1030; ++pad) {
        const std::string first(pad, 'p');
        EXPECT_EQ(lines_of(first + "\r\nsecond\r\nthird"), (Lines{first, "second", "third"}))
            << "pad " << pad;
    }
}

TEST(ReadLines, MostLinesLeavesTheDescriptorAfterTheLastLineTaken) {
    FileOf file("one\ntwo\r\nthree\nfour");
    const std::optional<ReadLinesResult> first = read_lines(file.fd(), 2);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->lines, (Lines{"one", "two"}));
    EXPECT_EQ(file.position(), 9);
    const std::optional<ReadLinesResult> rest = read_lines(file.fd(), 0);
    ASSERT_TRUE(rest);
    EXPECT_EQ(rest->lines, (Lines{"three", "four"}));
}

TEST(ReadLines, MostLinesAcrossChunks) {
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "line " + std::to_string(1000 + i) + "\n"; // 10 bytes
    FileOf file(text);
    ASSERT_EQ(read_lines(file.fd(), 150)->count, 150);
    EXPECT_EQ(file.position(), 1500);
    const std::optional<ReadLinesResult> rest = read_lines(file.fd(), 0);
    ASSERT_EQ(rest->count, 150);
    EXPECT_EQ(rest->lines.front(), "line 1150");
}

TEST(ReadLines, MostLinesAtTheChunkEdgeAndBeyondTheFile) {
    FileOf edge(std::string(1023, 'e') + "\nnext\n");
    EXPECT_EQ(read_lines(edge.fd(), 1)->count, 1);
    EXPECT_EQ(edge.position(), 1024);
    EXPECT_EQ(read_lines(edge.fd(), 1)->lines, Lines{"next"});
    // Fewer lines than asked for: the whole file, Control-Z rule included.
    EXPECT_EQ(lines_of("a\nb\n\x1a", 10), (Lines{"a", "b"}));
    EXPECT_EQ(lines_of("#!myrexx -x\r\nsay hi\n", 1), Lines{"#!myrexx -x"});
}

TEST(ReadLines, AShortReadEndsTheFile) {
    // A pipe that has more to come later: reading stops at the short read
    // instead of waiting (which would fail here, the pipe not blocking).
    int ends[2];
    ASSERT_EQ(pipe2(ends, O_NONBLOCK | O_CLOEXEC), 0);
    ASSERT_EQ(write(ends[1], "ab\ncd", 5), 5);
    const std::optional<ReadLinesResult> r = read_lines(ends[0], 0);
    close(ends[0]);
    close(ends[1]);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lines, (Lines{"ab", "cd"}));
}

TEST(ReadLines, NothingWhenAReadFails) {
    EXPECT_EQ(read_lines(-1, 0), std::nullopt);
    const int dir = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(dir, 0);
    EXPECT_EQ(read_lines(dir, 0), std::nullopt);
    close(dir);
}

} // namespace
