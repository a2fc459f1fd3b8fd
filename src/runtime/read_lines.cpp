#include "runtime/read_lines.h"

#include "platform/fs.h"

#include <algorithm>

namespace {

constexpr long kChunk = 1024;
constexpr char kControlZ = 26;

struct LineCollector {
    ReadLinesResult result;
    std::string pending; // the line being read, possibly spanning chunks

    void end_line() {
        if (!pending.empty() && pending.back() == '\r') pending.pop_back();
        result.lines.push_back(std::move(pending));
        pending.clear();
    }
};

void finish(ReadLinesResult& result) {
    result.count = static_cast<int>(result.lines.size());
    result.lengths.clear();
    result.longest = 0;
    for (const std::string& line : result.lines) {
        const int length = static_cast<int>(line.size());
        result.lengths.push_back(length);
        result.longest = std::max(result.longest, length);
    }
}

} // namespace

std::optional<ReadLinesResult> read_lines(int fd, int most_lines) {
    const bool limited = most_lines > 0;
    LineCollector c;
    char chunk[kChunk];
    for (;;) {
        const long got = plat_fd_read(fd, chunk, kChunk);
        if (got < 0) return std::nullopt;
        for (long i = 0; i < got; ++i) {
            if (chunk[i] != '\n') {
                c.pending.push_back(chunk[i]);
                continue;
            }
            c.end_line();
            if (limited && static_cast<int>(c.result.lines.size()) == most_lines) {
                // Give back what was read past this line so that the next
                // read of the descriptor starts on the line after it.
                const long unread = got - (i + 1);
                if (unread > 0) plat_fd_seek_back(fd, unread);
                finish(c.result);
                return std::move(c.result);
            }
        }
        if (got == kChunk) continue;
        // A short read is the end of the file: what is left is a final line
        // without LF. The same holds at the end of a file whose size is a
        // multiple of the chunk, where the last read returns nothing.
        if (!c.pending.empty()) c.end_line();
        break;
    }
    // Only reached when the whole file was read: a limit that is met
    // returns from inside the loop.
    std::vector<std::string>& lines = c.result.lines;
    if (!lines.empty() && lines.back() == std::string(1, kControlZ)) lines.pop_back();
    finish(c.result);
    return std::move(c.result);
}
