#include "scenario.h"

#include "value.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>

namespace sim {

namespace {

constexpr int failed_status = 3;

bool whole_number(const std::string& text, long& number) {
    if (text.empty()) return false;
    char* end = nullptr;
    number = std::strtol(text.c_str(), &end, 10);
    return *end == '\0';
}

// Splits "verb [what] text" and checks that the step makes sense.
bool parse_step(const std::string& line, Step& step, std::string& error) {
    std::size_t space = line.find(' ');
    step.verb = line.substr(0, space);
    std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    auto second_word = [&] {
        std::size_t gap = rest.find(' ');
        step.what = rest.substr(0, gap);
        rest = gap == std::string::npos ? "" : rest.substr(gap + 1);
    };
    const std::string& v = step.verb;
    if (v == "raw" || v == "expect" || v == "close" || v == "flood") second_word();
    if (!unescaped(rest, step.text)) {
        error = "bad escape";
        return false;
    }
    if (v == "send" || v == "stdout" || v == "close-mid-frame") return true;
    if (v == "touch") {
        if (!step.text.empty()) return true;
        error = "touch PATH";
        return false;
    }
    if (v == "flood") {
        if (whole_number(step.what, step.number) && step.number >= 0 && !step.text.empty())
            return true;
        error = "flood COUNT TEXT";
        return false;
    }
    if (v == "raw") {
        if (step.what == "message" || step.what == "stdout") return true;
        error = "raw message|stdout";
        return false;
    }
    if (v == "expect") {
        if (step.what == "cmd" || step.what == "stdin") return true;
        if ((step.what == "any" || step.what == "eof") && rest.empty()) return true;
        error = "expect cmd TEXT|any|stdin TEXT|eof";
        return false;
    }
    if (v == "close") {
        if (rest.empty() && (step.what == "message" || step.what == "stdout" ||
                             step.what == "cmd" || step.what == "stdin" || step.what == "all"))
            return true;
        error = "close message|stdout|cmd|stdin|all";
        return false;
    }
    if (v == "never-answer" && rest.empty()) {
        step.number = 600000;
        return true;
    }
    if (v == "drain" || v == "timeout" || v == "sleep" || v == "exit" || v == "never-answer") {
        if (whole_number(rest, step.number) && step.number >= 0) return true;
        error = "a number is missing";
        return false;
    }
    error = "unknown step \"" + v + "\"";
    return false;
}

class Player {
  public:
    explicit Player(Link& link) : link_(link) {}
    int play(const std::vector<Step>& steps);

  private:
    Link& link_;
    long timeout_ = 10000;

    int fail(const Step& step, const std::string& why) {
        std::string text = "fail line " + std::to_string(step.line) + ": " + why;
        if (link_.transcript) link_.transcript->note(text);
        std::fprintf(stderr, "ostra-sim: scenario %s\n", text.c_str());
        drop_link(link_);
        return failed_status;
    }
    void record(const char* kind, const std::string& bytes) {
        if (link_.transcript) link_.transcript->record(kind, bytes);
    }
    void record_eof(const char* which) {
        if (link_.transcript) link_.transcript->note(std::string("eof ") + which);
    }
    // Records every frame and input line that arrives within `ms`, or until
    // the command channel closes when `until_eof` is set.
    bool drain(long ms, bool until_eof);
    std::optional<int> expect_frame(const Step& s);
    std::optional<int> expect_line(const Step& s);
    void close_one(const std::string& which);
    // The status to end with, or nothing to go on with the next step.
    std::optional<int> step(const Step& s);
    bool flood(const Step& s);
};

bool Player::drain(long ms, bool until_eof) {
    std::int64_t until = now_ms() + ms;
    Inbound& cmd = link_.commands;
    Inbound& in = link_.input;
    for (;;) {
        while (std::optional<std::string> frame = cmd.take_frame())
            record("cmd", *frame);
        while (std::optional<std::string> line = in.take_line())
            record("stdin", *line);
        if (until_eof && cmd.closed()) return true;
        long left = long(until - now_ms());
        if (left <= 0 || (cmd.closed() && in.closed())) return !until_eof;
        std::vector<bool> ready = wait_readable(
            {cmd.closed() ? no_socket : cmd.socket, in.closed() ? no_socket : in.socket}, left);
        if (ready.empty()) return false;
        if (ready[0] && !cmd.fill(0) && cmd.closed()) record_eof("cmd");
        if (ready[1] && !in.fill(0) && in.closed()) {
            if (in.has_bytes()) record("stdin", in.take_rest());
            record_eof("stdin");
        }
    }
}

std::optional<int> Player::expect_frame(const Step& s) {
    std::optional<std::string> frame = link_.commands.read_frame(timeout_);
    if (!frame) {
        if (link_.commands.closed()) record_eof("cmd");
        return fail(s, "no command frame came");
    }
    record("cmd", *frame);
    if (s.what == "cmd" && *frame != s.text)
        return fail(s, "expected \"" + escaped(s.text) + "\", got \"" + escaped(*frame) + "\"");
    return std::nullopt;
}

std::optional<int> Player::expect_line(const Step& s) {
    std::int64_t until = now_ms() + timeout_;
    std::optional<std::string> line;
    while (!(line = link_.input.take_line()) && now_ms() < until)
        if (!link_.input.fill(long(until - now_ms())) && link_.input.closed()) break;
    if (!line) return fail(s, "no input line came");
    record("stdin", *line);
    std::string bare = line->substr(0, line->size() - 1);
    if (bare != s.text)
        return fail(s, "expected input \"" + escaped(s.text) + "\", got \"" + escaped(bare) + "\"");
    return std::nullopt;
}

void Player::close_one(const std::string& which) {
    if (which == "all") return drop_link(link_);
    Socket* socket = which == "message"  ? &link_.message
                     : which == "stdout" ? &link_.out
                     : which == "cmd"    ? &link_.commands.socket
                                         : &link_.input.socket;
    close_socket(*socket);
    *socket = no_socket;
}

// The text COUNT times on the stdout channel, sent in large blocks so that
// the debugger, not this side, sets the pace.
bool Player::flood(const Step& s) {
    const std::size_t per_block = std::max<std::size_t>(1, 65536 / s.text.size());
    std::string block;
    for (std::size_t i = 0; i < per_block; ++i)
        block += s.text;
    long left = s.number;
    while (left > 0) {
        const long now = std::min<long>(left, long(per_block));
        if (now == long(per_block)) {
            if (!send_all(link_.out, block)) return false;
        } else if (!send_all(link_.out, block.substr(0, std::size_t(now) * s.text.size()))) {
            return false;
        }
        left -= now;
    }
    return true;
}

std::optional<int> Player::step(const Step& s) {
    const std::string& v = s.verb;
    if (v == "send" || v == "stdout" || v == "raw") {
        Socket to = v == "send" || s.what == "message" ? link_.message : link_.out;
        if (!send_all(to, v == "send" ? frame_of(s.text) : s.text))
            return fail(s, "the debugger's side is closed");
    } else if (v == "flood") {
        if (!flood(s)) return fail(s, "the debugger's side is closed");
    } else if (v == "touch") {
        // The file's time is the moment this step was reached: benchmarks
        // time what follows from it.
        if (!std::ofstream(s.text, std::ios::trunc)) return fail(s, "cannot write " + s.text);
    } else if (v == "timeout") {
        timeout_ = s.number;
    } else if (v == "sleep") {
        sleep_ms(s.number);
    } else if (v == "drain") {
        drain(s.number, false);
    } else if (v == "expect") {
        if (s.what == "eof")
            return drain(timeout_, true) ? std::optional<int>()
                                         : fail(s, "the command channel stayed open");
        return s.what == "stdin" ? expect_line(s) : expect_frame(s);
    } else if (v == "close") {
        close_one(s.what);
    } else if (v == "close-mid-frame") {
        std::string payload = s.text.empty() ? "|mes|cut short" : s.text;
        send_all(link_.message,
                 frame_header(payload.size()).append(payload, 0, payload.size() / 2));
        drop_link(link_);
        return 0;
    } else if (v == "never-answer") {
        sleep_ms(s.number);
        drop_link(link_);
        return 0;
    } else if (v == "exit") {
        close_link(link_, 2000);
        return int(s.number);
    }
    return std::nullopt;
}

int Player::play(const std::vector<Step>& steps) {
    for (const Step& s : steps)
        if (std::optional<int> status = step(s)) return *status;
    close_link(link_, 2000);
    return 0;
}

} // namespace

bool load_scenario(const std::string& path, std::vector<Step>& steps, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        Step step;
        step.line = number;
        if (!parse_step(line, step, error)) {
            error = path + ":" + std::to_string(number) + ": " + error;
            return false;
        }
        steps.push_back(step);
    }
    return true;
}

int play_scenario(const std::vector<Step>& steps, Link& link) {
    return Player(link).play(steps);
}

} // namespace sim
