// The record behind displayed_source(), writable: for the writers in this
// folder only. Nothing outside src/source/ includes it.
#pragma once

#include "source/source.h"

DisplayedSource& source_record();

// Marks what a write changed.
inline void source_mark(unsigned changes) {
    source_record().changes |= changes;
}
