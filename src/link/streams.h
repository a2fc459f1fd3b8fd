// The macro's raw standard output and standard input streams.
#pragma once

#include <cstddef>

// Sends a line typed in the io pane, then a newline, to the macro's standard
// input. Nothing happens while no interpreter is connected; a short send is
// reported and the line is lost.
void write_stdin_line(const char* text, std::size_t length);

// Moves the bytes waiting on the stdout socket into the io pane, keeping the
// half-typed input at the end and following the end when the pane showed it.
// Returns the number of bytes moved (0 when nothing was waiting).
long read_stdout_chunk();
