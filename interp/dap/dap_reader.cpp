#include "dap_reader.h"

#include <cctype>
#include <charconv>

namespace dap {

namespace {

Inbound problem(std::string text) {
    Inbound in;
    in.kind = Inbound::Kind::problem;
    in.problem = std::move(text);
    return in;
}

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// The end of the header block starting at `from`: the offset just past its
// empty line, which may end in CR LF or in a bare LF. npos while it has
// not come.
std::size_t header_end(const std::string& text, std::size_t from) {
    for (std::size_t nl = text.find('\n', from); nl != std::string::npos;
         nl = text.find('\n', nl + 1)) {
        std::size_t line_start = nl + 1;
        if (line_start < text.size() && text[line_start] == '\n') return line_start + 1;
        if (line_start + 1 < text.size() && text[line_start] == '\r' &&
            text[line_start + 1] == '\n')
            return line_start + 2;
        if (line_start + 1 >= text.size()) return std::string::npos;
    }
    return std::string::npos;
}

} // namespace

void DapReader::compact() {
    if (at_ > 65536 || at_ == kept_.size()) {
        kept_.erase(0, at_);
        at_ = 0;
    }
}

std::optional<Inbound> DapReader::next() {
    if (skipping_ > 0) {
        std::size_t drop = std::min(skipping_, kept_.size() - at_);
        at_ += drop;
        skipping_ -= drop;
        compact();
        if (skipping_ > 0) return std::nullopt;
    }
    if (discarding_) {
        // The rest of a header that was too long, up to its empty line.
        // The last two bytes are kept: the line end may be cut in two.
        std::size_t end = header_end(kept_, at_);
        if (end == std::string::npos) {
            if (kept_.size() - at_ > 2) at_ = kept_.size() - 2;
            compact();
            return std::nullopt;
        }
        at_ = end;
        discarding_ = false;
        compact();
    }
    return in_body_ ? body() : header_block();
}

std::optional<Inbound> DapReader::header_block() {
    // Blank lines between messages are tolerated.
    while (at_ < kept_.size() && (kept_[at_] == '\r' || kept_[at_] == '\n'))
        ++at_;
    std::size_t end = header_end(kept_, at_);
    if (end == std::string::npos) {
        if (kept_.size() - at_ <= max_header) {
            compact();
            return std::nullopt;
        }
        // Too long already: whatever else comes of it is dropped too.
        discarding_ = true;
        compact();
        return problem("a header longer than " + std::to_string(max_header) + " bytes was dropped");
    }
    if (end - at_ > max_header) {
        at_ = end;
        compact();
        return problem("a header longer than " + std::to_string(max_header) + " bytes was dropped");
    }
    std::string_view block(kept_.data() + at_, end - at_);
    at_ = end;
    std::optional<std::size_t> length;
    bool bad_length = false;
    while (!block.empty()) {
        std::size_t nl = block.find('\n');
        std::string_view line = block.substr(0, nl);
        block.remove_prefix(nl == std::string_view::npos ? block.size() : nl + 1);
        std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        if (!same_name(trimmed(line.substr(0, colon)), "Content-Length")) continue;
        std::string_view value = trimmed(line.substr(colon + 1));
        std::size_t n = 0;
        auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
        if (ec != std::errc() || ptr != value.data() + value.size() || value.empty())
            bad_length = true;
        else
            length = n;
    }
    if (bad_length) {
        compact();
        return problem("a message whose Content-Length is not a number was dropped");
    }
    if (!length) {
        compact();
        return problem("a message without a Content-Length header was dropped");
    }
    if (*length > max_body) {
        skipping_ = *length;
        compact();
        return problem("a message of " + std::to_string(*length) + " bytes (more than " +
                       std::to_string(max_body) + ") was dropped");
    }
    in_body_ = true;
    body_length_ = *length;
    return body();
}

std::optional<Inbound> DapReader::body() {
    if (kept_.size() - at_ < body_length_) return std::nullopt;
    std::string_view text(kept_.data() + at_, body_length_);
    at_ += body_length_;
    in_body_ = false;
    nlohmann::json parsed = nlohmann::json::parse(text, nullptr, false);
    compact();
    if (parsed.is_discarded()) return problem("a message whose body is not JSON was dropped");
    if (!parsed.is_object())
        return problem("a message whose body is not a JSON object was dropped");
    Inbound in;
    in.message = std::move(parsed);
    return in;
}

std::string frame_of(const nlohmann::json& message) {
    std::string text = message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return "Content-Length: " + std::to_string(text.size()) + "\r\n\r\n" + text;
}

} // namespace dap
