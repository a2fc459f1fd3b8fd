#include "link/frame.h"

#include "link/frame_parser.h"
#include "link/launch.h"
#include "link/link_end.h"
#include "link/link_state.h"
#include "platform/system.h"
#include "runtime/fatal.h"
#include "view/text_panes.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// A header that makes no sense, after its box: the link cannot go on. Once
// connected the user may keep vel open for unsaved edits; before that, in
// a launch handshake, the run that started it has had its answer about them
// already.
std::optional<std::string> bad_header(ReadPolicy policy) {
    if (policy == ReadPolicy::Greeting) plat_exit(1);
    if (!g_link.connected) vel_exit(1);
    link_end_vel(1);
    return std::nullopt;
}

std::optional<std::string> read_failed(ReadPolicy policy) {
    // While the launch handshake runs nothing is connected yet: the caller
    // reports the missing frame in its own words.
    if (policy == ReadPolicy::Main && !g_link.connected) return std::nullopt;
    vel_error_box("vel: Unable to read from the Ostra process.");
    if (policy == ReadPolicy::Main) link_end_vel(1);
    return std::nullopt;
}

// Waits for payload bytes the way each policy asks: the main policy reads no
// more than the system says is waiting, the greeting policy simply asks for
// everything that is missing.
long receive_payload(vel_socket socket, ReadPolicy policy, char* buffer, long missing) {
    if (policy == ReadPolicy::Greeting) {
        long got = plat_socket_recv(socket, buffer, missing);
        return got < 1 ? -1 : got;
    }
    for (;;) {
        long waiting = plat_socket_waiting(socket);
        if (waiting < 0) return -1;
        if (waiting > 0) {
            long got = plat_socket_recv(socket, buffer, std::min(waiting, missing));
            return got < 1 ? -1 : got;
        }
        // Nothing waiting yet: sleep until the socket turns readable instead
        // of asking again and again. Readable with still nothing waiting is
        // the peer's end of stream, which fails a half-read payload.
        int ready = plat_socket_select_read(socket, 60, 0);
        if (ready < 0) return -1;
        if (ready == 1 && plat_socket_waiting(socket) == 0) return -1;
    }
}

} // namespace

std::optional<std::string> read_message(vel_socket socket, ReadPolicy policy) {
    FrameParser parser;
    char byte = 0;
    std::size_t used = 0;
    FrameParser::Status status = FrameParser::Status::NeedMore;
    while (!parser.in_payload() && status == FrameParser::Status::NeedMore) {
        if (plat_socket_recv(socket, &byte, 1) != 1) return read_failed(policy);
        status = parser.push(&byte, 1, used);
    }
    if (status == FrameParser::Status::HeaderOverflow) {
        vel_error_box("vel: Overflow when reading header.");
        return bad_header(policy);
    }
    if (status == FrameParser::Status::HeaderInvalid) {
        vel_error_box("vel: Invalid \"" + parser.header_text() + "\" header.");
        return bad_header(policy);
    }
    std::vector<char> buffer;
    while (status == FrameParser::Status::NeedMore) {
        const long missing =
            static_cast<long>(std::min<std::size_t>(parser.payload_missing(), 1 << 20));
        buffer.resize(static_cast<std::size_t>(missing));
        long got = receive_payload(socket, policy, buffer.data(), missing);
        if (got < 0) return read_failed(policy);
        status = parser.push(buffer.data(), static_cast<std::size_t>(got), used);
    }
    return parser.take_payload();
}

namespace {

// Bytes of the message socket read ahead of the frame being handled: one
// read takes everything waiting, so a burst of small messages costs a few
// system calls instead of several per message (each one a round trip to the
// Wine server).
struct Inbox {
    vel_socket socket = VEL_NO_SOCKET;
    std::string bytes;
    std::size_t at = 0;
};
Inbox inbox;

// Appends what is waiting on the socket, or waits for one byte at least.
bool fill_inbox(vel_socket socket) {
    if (inbox.at > 0 && inbox.at * 2 >= inbox.bytes.size()) {
        inbox.bytes.erase(0, inbox.at);
        inbox.at = 0;
    }
    const long waiting = plat_socket_waiting(socket);
    if (waiting < 0) return false;
    const long want = std::clamp<long>(waiting, 1, 1 << 20);
    const std::size_t old_size = inbox.bytes.size();
    inbox.bytes.resize(old_size + static_cast<std::size_t>(want));
    const long got = plat_socket_recv(socket, inbox.bytes.data() + old_size, want);
    inbox.bytes.resize(old_size + static_cast<std::size_t>(std::max(got, 0L)));
    return got > 0;
}

} // namespace

std::optional<std::string> read_message_ahead(vel_socket socket) {
    if (inbox.socket != socket) {
        inbox = Inbox{};
        inbox.socket = socket;
    }
    FrameParser parser;
    FrameParser::Status status = FrameParser::Status::NeedMore;
    for (;;) {
        if (inbox.at < inbox.bytes.size()) {
            std::size_t used = 0;
            status =
                parser.push(inbox.bytes.data() + inbox.at, inbox.bytes.size() - inbox.at, used);
            inbox.at += used;
            if (status != FrameParser::Status::NeedMore) break;
        }
        if (!fill_inbox(socket)) return read_failed(ReadPolicy::Main);
    }
    if (status == FrameParser::Status::HeaderOverflow) {
        vel_error_box("vel: Overflow when reading header.");
        return bad_header(ReadPolicy::Main);
    }
    if (status == FrameParser::Status::HeaderInvalid) {
        vel_error_box("vel: Invalid \"" + parser.header_text() + "\" header.");
        return bad_header(ReadPolicy::Main);
    }
    return parser.take_payload();
}

bool message_read_ahead(vel_socket socket) {
    return inbox.socket == socket && inbox.at < inbox.bytes.size();
}

void forget_read_ahead() {
    inbox = Inbox{};
}

namespace {

void echo_into_command_pane(vel_socket socket, const char* text, int length) {
    char prefix[48];
    std::snprintf(prefix, sizeof prefix, "+++ vel_send(%d) ", static_cast<int>(socket));
    std::string line = prefix;
    line.append(text, static_cast<std::size_t>(length));
    command_pane_add_last_line(std::move(line));
}

} // namespace

int link_send_bytes(vel_socket socket, const char* data, long size) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kSendPatienceMs);
    while (size > 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return -1;
        const long sent = plat_socket_send_within(socket, data, size, static_cast<long>(left));
        if (sent < 0) return -1;
        data += sent;
        size -= sent;
    }
    return 0;
}

void link_send_failed() {
    ++g_link.send_failures;
    if (g_link.connected) g_link.given_up = true;
    close_interpreter();
}

int vel_send(vel_socket socket, const char* text, int length, Report report) {
    if (g_link.test_mode) {
        echo_into_command_pane(socket, text, length);
        return 0;
    }
    char header[16];
    const int header_length = std::snprintf(header, sizeof header, "<%d>", length);
    // Header and payload leave in one piece: a payload sent on its own
    // after the small header could wait for the header's acknowledgement
    // (Nagle's rule), which the peer may delay by a few hundred
    // milliseconds.
    std::string frame(header, static_cast<std::size_t>(header_length));
    if (length > 0) frame.append(text, static_cast<std::size_t>(length));
    if (g_link.given_up && !g_link.connected) return -1;
    if (link_send_bytes(socket, frame.data(), static_cast<long>(frame.size())) < 0) {
        if (report == Report::Yes) vel_error_box("vel: Unable to write to Ostra.");
        link_send_failed();
        return -1;
    }
    return 0;
}
