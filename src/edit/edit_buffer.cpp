#include "edit/edit_buffer.h"

#include "runtime/fatal.h"

#include <algorithm>

#include <cstdio>
#include <limits>
#include <utility>

EditBuffers g_edit_buffers;

namespace {

constexpr std::size_t kCallerTags = 500;
constexpr std::int64_t kGrowth = 1000;
constexpr std::int64_t kMostLines = std::numeric_limits<std::int32_t>::max();

void remember_caller(const char* tag) {
    EditBuffers& all = g_edit_buffers;
    if (all.caller_tags.size() < kCallerTags) all.caller_tags.resize(kCallerTags);
    all.caller_tags[all.next_tag] = tag ? tag : "";
    all.next_tag = (all.next_tag + 1) % kCallerTags;
}

bool names_a_line(const EditBuffer& buffer, char op, std::int32_t line) {
    const std::int32_t count = static_cast<std::int32_t>(buffer.lines.size());
    if (op == 'i') return line >= -1 && line < count;
    return line >= 0 && line < count;
}

} // namespace

EditBuffer* edit_current() {
    EditBuffers& all = g_edit_buffers;
    if (all.current < 0 || all.current >= static_cast<std::int32_t>(all.buffers.size()))
        return nullptr;
    return &all.buffers[static_cast<std::size_t>(all.current)];
}

std::int32_t edit_create() {
    g_edit_buffers.buffers.emplace_back();
    return static_cast<std::int32_t>(g_edit_buffers.buffers.size()) - 1;
}

void edit_grow(std::int64_t lines) {
    EditBuffer* buffer = edit_current();
    if (!buffer) return;
    const std::int64_t room = kMostLines - buffer->capacity;
    const std::int64_t added = std::min(lines, room);
    if (added <= 0) {
        vel_error_box("vel: edit: too many lines.");
        vel_exit(1);
    }
    buffer->capacity += added;
}

void rx_do(char op, std::optional<std::string> text, std::int32_t line, EditMode mode,
           const char* caller_tag) {
    remember_caller(caller_tag);
    EditBuffer* buffer = edit_current();
    if (op != 'i' && op != 'd' && op != 'r') {
        std::fprintf(stderr, "vel: rx_do: internal error, wrong argument: cd = %c\n", op);
        return;
    }
    if (!buffer || !names_a_line(*buffer, op, line)) return;
    std::vector<std::string>& lines = buffer->lines;
    const std::size_t at = static_cast<std::size_t>(line);

    EditLogEntry entry{op, g_edit_buffers.pending_group_start, line, std::nullopt};
    switch (op) {
    case 'd':
        entry.text = std::move(lines[at]);
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
        break;
    case 'r':
        // The old text goes to the log, the new one takes its place.
        entry.text = std::exchange(lines[at], std::move(text).value_or(std::string()));
        break;
    default: // 'i'
        if (static_cast<std::int64_t>(lines.size()) + 1 > buffer->capacity) edit_grow(kGrowth);
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(line + 1),
                     std::move(text).value_or(std::string()));
        break;
    }

    if (mode == EditMode::Replay) return;
    if (mode == EditMode::NewEdit) {
        // A new action after an undo: what was undone can no longer be
        // redone.
        if (g_edit_buffers.pending_group_start) buffer->redo.clear();
    }
    buffer->undo.push_back(std::move(entry));
    if (mode == EditMode::NewEdit) g_edit_buffers.pending_group_start = false;
}

void rx_undo() {
    EditBuffer* buffer = edit_current();
    if (!buffer) return;
    while (!buffer->undo.empty()) {
        EditLogEntry entry = std::move(buffer->undo.back());
        buffer->undo.pop_back();
        const bool group_start = entry.group_start;
        const std::size_t at = static_cast<std::size_t>(entry.line);
        EditLogEntry redo{entry.op, group_start, entry.line, std::nullopt};
        switch (entry.op) {
        case 'r':
            if (at < buffer->lines.size()) redo.text = buffer->lines[at];
            rx_do('r', std::move(entry.text), entry.line, EditMode::Replay, "rx_undo:42");
            break;
        case 'i':
            if (at + 1 < buffer->lines.size()) redo.text = buffer->lines[at + 1];
            rx_do('d', std::nullopt, entry.line + 1, EditMode::Replay, "rx_undo:47");
            break;
        default: // 'd'
            rx_do('i', std::move(entry.text), entry.line - 1, EditMode::Replay, "rx_undo:66");
            break;
        }
        buffer->redo.push_back(std::move(redo));
        if (group_start) break;
    }
    if (!buffer->undo.empty())
        buffer->modified = std::max(buffer->modified - 1, 1);
    else if (buffer->modified > 0)
        buffer->modified = 0;
}

void rx_redo() {
    EditBuffer* buffer = edit_current();
    if (!buffer) return;
    bool first = true;
    while (!buffer->redo.empty()) {
        if (!first && buffer->redo.back().group_start) break;
        first = false;
        EditLogEntry entry = std::move(buffer->redo.back());
        buffer->redo.pop_back();
        g_edit_buffers.pending_group_start = entry.group_start;
        rx_do(entry.op, std::move(entry.text), entry.line, EditMode::Redo, "rx_redo:34");
        buffer->modified += 1;
    }
    if (buffer->redo.empty()) buffer->redo.shrink_to_fit();
}
