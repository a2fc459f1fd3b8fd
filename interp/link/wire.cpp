#include "wire.h"

#include <cstdlib>

namespace ostra {

std::string frame_header(std::size_t length) {
    std::string header(1, '<');
    header.append(std::to_string(length)).push_back('>');
    return header;
}

std::string frame_of(const std::string& payload) {
    return frame_header(payload.size()).append(payload);
}

std::string message_of(const std::string& keyword, const std::string& body) {
    return "|" + keyword + "|" + body;
}

std::string escaped(const std::string& bytes) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        switch (c) {
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            if (c < 0x20 || c >= 0x7F) {
                out += "\\x";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += char(c);
            }
        }
    }
    return out;
}

namespace {

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

bool unescaped(const std::string& text, std::string& bytes) {
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            bytes += text[i];
            continue;
        }
        if (++i == text.size()) return false;
        switch (text[i]) {
        case 'n':
            bytes += '\n';
            break;
        case 'r':
            bytes += '\r';
            break;
        case 't':
            bytes += '\t';
            break;
        case '0':
            bytes += '\0';
            break;
        case '\\':
            bytes += '\\';
            break;
        case 'x': {
            if (i + 2 >= text.size()) return false;
            int high = hex_digit(text[i + 1]), low = hex_digit(text[i + 2]);
            if (high < 0 || low < 0) return false;
            bytes += char(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

bool Inbound::fill(long milliseconds) {
    if (closed_ || socket == no_socket) return false;
    std::vector<bool> ready = wait_readable({socket}, milliseconds);
    if (ready.empty()) {
        closed_ = true;
        return false;
    }
    if (!ready[0]) return false;
    char buffer[8192];
    long got = recv_some(socket, buffer, sizeof buffer);
    if (got <= 0) {
        closed_ = true;
        return false;
    }
    kept_.append(buffer, std::size_t(got));
    return true;
}

std::optional<std::string> Inbound::take_frame() {
    if (malformed_) return std::nullopt;
    std::size_t open = kept_.find('<');
    if (open == std::string::npos) {
        kept_.clear();
        return std::nullopt;
    }
    kept_.erase(0, open);
    std::size_t close = kept_.find('>');
    if (close == std::string::npos || close > 100) {
        if (kept_.size() > 100) malformed_ = true;
        return std::nullopt;
    }
    std::string header = kept_.substr(1, close - 1);
    char* end = nullptr;
    long length = std::strtol(header.c_str(), &end, 10);
    if (end == header.c_str() || length < 0) {
        malformed_ = true;
        return std::nullopt;
    }
    if (kept_.size() - close - 1 < std::size_t(length)) return std::nullopt;
    std::string payload = kept_.substr(close + 1, std::size_t(length));
    kept_.erase(0, close + 1 + std::size_t(length));
    return payload;
}

std::optional<std::string> Inbound::take_line() {
    std::size_t end = kept_.find('\n');
    if (end == std::string::npos) return std::nullopt;
    std::string line = kept_.substr(0, end + 1);
    kept_.erase(0, end + 1);
    return line;
}

std::string Inbound::take_rest() {
    std::string rest;
    rest.swap(kept_);
    return rest;
}

std::optional<std::string> Inbound::read_frame(long milliseconds) {
    std::int64_t until = now_ms() + milliseconds;
    for (;;) {
        if (std::optional<std::string> frame = take_frame()) return frame;
        if (malformed_ || closed_) return std::nullopt;
        long left = milliseconds < 0 ? -1 : long(until - now_ms());
        if (milliseconds >= 0 && left <= 0) return std::nullopt;
        fill(left);
    }
}

Transcript::~Transcript() {
    if (file_) std::fclose(file_);
}

bool Transcript::open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "wb");
    return file_ != nullptr;
}

void Transcript::record(const char* kind, const std::string& bytes) {
    note(std::string(kind) + " " + escaped(bytes));
}

void Transcript::note(const std::string& text) {
    if (!file_) return;
    std::fputs(text.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

} // namespace ostra
