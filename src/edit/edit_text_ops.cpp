#include "edit/edit_text_ops.h"

#include "edit/edit_buffer.h"
#include "edit/edit_layout.h"
#include "edit/edit_session.h"
#include "edit/edit_ui.h"
#include "source/source.h"

#include <algorithm>

namespace {

constexpr std::size_t kMostIndent = 255;

bool valid_line(std::int32_t line) {
    return line >= 0 && line < static_cast<std::int32_t>(displayed_source().lines.size());
}

const std::string& text_of(std::int32_t line) {
    return displayed_source().lines[static_cast<std::size_t>(line)];
}

std::int32_t length_of(std::int32_t line) {
    return static_cast<std::int32_t>(text_of(line).size());
}

// Makes the line's buffer current; false when the line is no displayed line.
bool begin_on(std::int32_t line) {
    if (!valid_line(line)) return false;
    edit_switch_to(line);
    return edit_current() != nullptr;
}

std::int32_t file_first_line(std::int32_t line) {
    return source_first_line(std::max(source_file_of(line), 0));
}

bool same_file(std::int32_t a, std::int32_t b) {
    return valid_line(a) && valid_line(b) && source_file_of(a) == source_file_of(b);
}

std::string padded_to(std::string text, std::int32_t length) {
    if (static_cast<std::int32_t>(text.size()) < length)
        text.append(static_cast<std::size_t>(length) - text.size(), ' ');
    return text;
}

std::string skip_blanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first);
}

} // namespace

std::string edit_indent_of(std::int32_t line) {
    if (!valid_line(line)) return {};
    const std::int32_t first = file_first_line(line);
    for (std::int32_t l = line; l >= first && l >= 0; --l) {
        const std::string& text = text_of(l);
        const std::size_t body = text.find_first_not_of(" \t");
        if (body == std::string::npos) continue;
        return text.substr(0, std::min(body, kMostIndent));
    }
    return {};
}

std::optional<EditPosition> edit_type_char(EditPosition at, char c, bool insert) {
    if (!begin_on(at.line) || at.character < 0) return std::nullopt;
    std::string text = text_of(at.line);
    const std::size_t p = static_cast<std::size_t>(at.character);
    if (p >= text.size()) {
        text = padded_to(std::move(text), at.character);
        text += c;
    } else if (insert) {
        text.insert(p, 1, c);
    } else {
        text[p] = c;
    }
    edit_type_line(at.line, std::move(text));
    return EditPosition{at.line, at.character + 1};
}

std::optional<EditPosition> edit_backspace(EditPosition at) {
    if (!begin_on(at.line) || at.character < 0) return std::nullopt;
    if (at.character == 0) {
        if (at.line <= file_first_line(at.line)) return at;
        const std::string above = text_of(at.line - 1);
        const std::int32_t join = static_cast<std::int32_t>(above.size());
        vel_edit_ui('r', at.line - 1, above + text_of(at.line), true);
        vel_edit_ui('d', at.line, std::nullopt, false);
        return EditPosition{at.line - 1, join};
    }
    if (at.character > length_of(at.line)) return EditPosition{at.line, at.character - 1};
    std::string text = text_of(at.line);
    text.erase(static_cast<std::size_t>(at.character) - 1, 1);
    edit_type_line(at.line, std::move(text));
    return EditPosition{at.line, at.character - 1};
}

std::optional<EditPosition> edit_delete_char(EditPosition at) {
    if (!begin_on(at.line) || at.character < 0) return std::nullopt;
    if (at.character >= length_of(at.line)) return at;
    std::string text = text_of(at.line);
    text.erase(static_cast<std::size_t>(at.character), 1);
    edit_type_line(at.line, std::move(text));
    return at;
}

namespace {

std::optional<EditPosition> split_line(EditPosition at) {
    const std::string text = text_of(at.line);
    const std::size_t p = std::min(static_cast<std::size_t>(at.character), text.size());
    const std::string indent = edit_indent_of(at.line);
    vel_edit_ui('r', at.line, text.substr(0, p), true);
    vel_edit_ui('i', at.line, indent + skip_blanks(text.substr(p)), false);
    return EditPosition{at.line + 1, static_cast<std::int32_t>(indent.size())};
}

std::optional<EditPosition> open_line(EditPosition at) {
    const std::string indent = edit_indent_of(at.line);
    vel_edit_ui('i', at.line, indent, true);
    return EditPosition{at.line + 1, static_cast<std::int32_t>(indent.size())};
}

} // namespace

std::optional<EditPosition> edit_return(EditPosition at) {
    if (!begin_on(at.line) || at.character < 0) return std::nullopt;
    return at.character < length_of(at.line) ? split_line(at) : open_line(at);
}

std::optional<EditPosition> edit_split_join(EditPosition at) {
    if (!begin_on(at.line) || at.character < 0) return std::nullopt;
    if (at.character < length_of(at.line)) return split_line(at);
    if (!same_file(at.line, at.line + 1)) return at;
    vel_edit_ui('r', at.line, padded_to(text_of(at.line), at.character) + text_of(at.line + 1),
                true);
    vel_edit_ui('d', at.line + 1, std::nullopt, false);
    return at;
}

std::optional<EditPosition> edit_insert_empty_below(EditPosition at) {
    if (!begin_on(at.line)) return std::nullopt;
    vel_edit_ui('i', at.line, std::string(), true);
    return EditPosition{at.line + 1, 0};
}

std::optional<EditPosition> edit_delete_line(EditPosition at) {
    if (!begin_on(at.line)) return std::nullopt;
    if (edit_current()->lines.size() < 2) return at;
    vel_edit_ui('d', at.line, std::nullopt, true);
    const std::int32_t last = static_cast<std::int32_t>(displayed_source().lines.size()) - 1;
    return EditPosition{std::min(at.line, last), 0};
}

std::optional<EditPosition> edit_duplicate_line(EditPosition at) {
    if (!begin_on(at.line)) return std::nullopt;
    const std::string text = text_of(at.line);
    vel_edit_ui('i', at.line, text, true);
    return EditPosition{at.line + 1,
                        std::min(at.character, static_cast<std::int32_t>(text.size()))};
}

std::optional<EditPosition> edit_pad_to_row_end(EditPosition at, std::int32_t columns) {
    if (!begin_on(at.line)) return std::nullopt;
    const std::int32_t w = std::max(columns, 1);
    const std::int32_t length = length_of(at.line);
    const std::int32_t end = w * (length == 0 ? 1 : (length + w - 1) / w);
    edit_type_line(at.line, padded_to(text_of(at.line), end + 1), true);
    edit_end_typing();
    return EditPosition{at.line, end};
}
