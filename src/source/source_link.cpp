// The writes the interpreter's messages make.
#include "runtime/lines.h"
#include "runtime/strings.h"
#include "source/line_map.h"
#include "source/source_record.h"
#include "source/source_write.h"

void source_set(std::string_view text) {
    DisplayedSource& source = source_record();
    source.lines = split_lines(text.data(), text.size());
    source.file_map.clear();
    // The layout described a text that is gone; editing goes on from the
    // new one.
    source.loaded = LoadedLayout{};
    source_mark(SOURCE_TEXT | SOURCE_MARKS);
}

void source_add(std::string_view text) {
    std::vector<std::string>& lines = source_record().lines;
    for (const std::string& line : split_lines(text.data(), text.size()))
        lines.emplace_back(without_line_ends(line));
    source_mark(SOURCE_TEXT);
}

void source_map_file(std::size_t index, FileMapEntry entry) {
    std::vector<FileMapEntry>& map = source_record().file_map;
    if (index >= map.size()) map.resize(index + 1);
    map[index] = std::move(entry);
    source_mark(SOURCE_MARKS);
}

bool source_stop(const SourceStop& stop) {
    DisplayedSource& source = source_record();
    source.error_reported = false;
    source.stop_line = source_from_loaded(stop.loaded_line);
    source.stopped_up = stop.kind == StopKind::Up;
    const bool halted = stop.kind == StopKind::Halt;
    source.macro_halted = halted;
    source.macro_running = halted;
    if (halted) ++source.input_waits;
    // The title names the routine the macro stopped in, and the file it
    // runs as it was when the routine changed.
    if (!source.stop_routine || *source.stop_routine != stop.routine) {
        if (!source.stop_routine && stop.host_name) source.host_name = *stop.host_name;
        source.stop_routine = stop.routine;
        source.base_title = "vel @ " + source.host_name + ": stopped in " + stop.routine +
                            " ---- file: " + stop.run_file;
    }
    source.show = ShowRequest{source.stop_line, ShowAt::Middle};
    const bool first_stop = !source.first_stop_seen;
    source.first_stop_seen = true;
    source_mark(SOURCE_STOP | SOURCE_RUN);
    return first_stop;
}

void source_set_run(RunChange change) {
    DisplayedSource& source = source_record();
    switch (change) {
    case RunChange::Running:
        source.macro_running = true;
        break;
    case RunChange::Error:
        source.error_reported = true;
        break;
    case RunChange::EditorDriven:
        source.editor_driven = true;
        break;
    case RunChange::LinkClosed:
        source.macro_halted = false;
        source.macro_running = false;
        source.base_title = "vel @ " + source.host_name + ": waiting user input";
        // The stop arrow goes with the interpreter.
        source.stop_routine.reset();
        source_mark(SOURCE_STOP);
        break;
    }
    source_mark(SOURCE_RUN);
}

void source_forget_text() {
    source_record().lines.clear();
    source_mark(SOURCE_TEXT);
}
