// The displayed source: its lines, the file map, where the macro stopped and
// the flags that say where it stands, and the mapping between the lines
// shown now and the lines the interpreter loaded. Everyone reads it through
// displayed_source(); only the named writers of source/source_write.h
// change it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct FileMapEntry {
    std::int32_t first_line = 0; // displayed index of the file's first line
    std::int32_t last_line = 0;  // ... and of its last line, inclusive
    // The displayed index of the file's line n (from 1) is offset + n - 1.
    std::int32_t line_offset = 0;
    std::optional<std::string> file_name; // an entry without a name is unused
};

// What the source remembers of the text the interpreter loaded, once
// editing began: per displayed line the text it had (none for a line
// editing inserted) and its line number in its file (0 when inserted).
struct LoadedLayout {
    std::vector<std::optional<std::string>> texts;
    std::vector<std::int32_t> numbers;
};

// Where a line asks to be shown in the source pane: a third, a quarter or
// half way down.
enum class ShowAt { Third, Quarter, Middle };

struct ShowRequest {
    // Nothing: the line now at the pane's top (a listing from where it is).
    std::optional<std::int32_t> line;
    ShowAt where = ShowAt::Middle;
};

// What a write changed, for whoever draws it: the text, what is drawn
// beside it (file banners, line numbers, the edited-line marks), the stop
// line, and the run state (title, pointer, toolbar).
enum SourceChange : unsigned {
    SOURCE_TEXT = 1u << 0,
    SOURCE_MARKS = 1u << 1,
    SOURCE_STOP = 1u << 2,
    SOURCE_RUN = 1u << 3,
};

// The edit cursor, as a place in the text rather than on the screen: the
// source pane works out the cell it is drawn on whenever it draws it, so the
// cursor stays on its text when the pane scrolls, is resized or changes its
// font, and follows its line when lines are inserted or removed above it.
// Besides a line and byte it says what only a place on the screen could:
// - past the end of the line, the blanks after it, one byte a column
//   (typing there pads the line);
// - which of the cells of its byte it stands on: a TAB takes several;
// - a row that shows no text: a file banner (its line is the banner's), or
//   a row below the text (lines from the line count on, the count's the
//   first row below), where the byte is the column counted from the first
//   text column.
struct EditCursor {
    std::int32_t line = -1; // -1: never placed
    std::int32_t byte = 0;
    std::int32_t cell = 0; // 0: the byte's first cell
};

struct DisplayedSource {
    // Lines from set-source keep their newline; lines from add-source, and
    // lines once edited, have their line ends removed.
    std::vector<std::string> lines;
    std::vector<FileMapEntry> file_map; // entry 0 is the main macro

    std::int32_t stop_line = 0; // displayed index, already mapped for edits
    // Kept in step with inserted and removed lines, like the stop line.
    EditCursor edit_cursor;
    std::optional<std::string> stop_routine;
    std::optional<std::string> base_title;
    std::string host_name; // read at the first stop of each connection
    bool first_stop_seen = false;

    bool macro_running = false;
    bool macro_halted = false;
    // The halt-at messages of vel's life: each one is a new wait for input.
    std::uint32_t input_waits = 0;
    bool stopped_up = false;
    bool error_reported = false;
    bool editor_driven = false;

    // Set the first time edit mode goes on, never cleared: from then on
    // displayed lines and loaded lines may differ, and `loaded` says how.
    bool layout_taken = false;
    LoadedLayout loaded;

    // SourceChange bits since the last source_take_changes().
    unsigned changes = 0;
    // Where the last stop asks to be shown, until taken.
    std::optional<ShowRequest> show;
};

const DisplayedSource& displayed_source();

// The first named entry whose range holds the displayed line, or -1.
int file_map_entry_containing(std::int32_t line);

// The line offset of the first named entry whose base name (after the last
// slash or backslash) is exactly `base`.
std::optional<std::int32_t> file_map_offset_of(std::string_view base);

// The named entry of index 1 or more that begins at the displayed line (a
// file banner is drawn there), or -1.
int file_map_banner_at(std::int32_t line);

// The part of a path after its last slash or backslash.
std::string_view path_base_name(std::string_view path);

// The first named file-map entry whose range holds displayed line L; 0 when
// there is no file map; -1 when no entry holds L.
std::int32_t source_file_of(std::int32_t line);

// The first displayed line of file-map entry `index`; 0 outside the map.
std::int32_t source_first_line(std::int32_t index);
