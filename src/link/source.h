// What the interpreter's messages build: the displayed source, the file map,
// where the macro stopped, and the flags that say where it stands.
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

struct SourceState {
    // Lines from set-source keep their newline; lines from add-source have
    // their line ends removed.
    std::vector<std::string> lines;
    std::vector<FileMapEntry> file_map; // entry 0 is the main macro

    std::int32_t stop_line = 0; // displayed index, already mapped for edits
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
};

extern SourceState g_source;

// True while the stop line means something: an interpreter is connected and
// has stopped since it connected. Otherwise no arrow is drawn.
bool stop_line_shown();

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
