#include "source/source_record.h"
#include "source/source_write.h"

namespace {

DisplayedSource the_source;

} // namespace

DisplayedSource& source_record() {
    return the_source;
}

const DisplayedSource& displayed_source() {
    return the_source;
}

void source_reset() {
    the_source = DisplayedSource{};
}

void source_ask_show(std::optional<std::int32_t> line, ShowAt where) {
    the_source.show = ShowRequest{line, where};
}

void source_note_marks() {
    source_mark(SOURCE_MARKS);
}

unsigned source_take_changes() {
    const unsigned changes = the_source.changes;
    the_source.changes = 0;
    return changes;
}

std::optional<ShowRequest> source_take_show() {
    std::optional<ShowRequest> show = std::move(the_source.show);
    the_source.show.reset();
    return show;
}
