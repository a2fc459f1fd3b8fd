// The rows of the command table that live in their own files. Each returns
// false when the line is invalid, after changing nothing.
#pragma once

#include "commands/command_text.h"

#include <string>
#include <string_view>

// Looks the command word up in the table and runs the row that takes the
// line, or reports the line as invalid. Key actions are not commands a line
// can name: they are reported as invalid too.
void command_dispatch(const CommandText& command, std::string_view word);

// Runs the key action named exactly `name` (in any letter case); false when
// the table has none of that name.
bool command_run_key_action(std::string_view name, bool shift);

// Whether the row of this (lowered) command word can be used now.
bool command_available(std::string_view word);

// run_control.cpp
bool row_open(const CommandText& command);
bool row_runfile(const CommandText& command);
bool row_run(const CommandText& command);
bool row_rerun(const CommandText& command);
bool row_kill(const CommandText& command);
bool row_exit(const CommandText& command);
// A command needs an interpreter and none is connected.
void command_not_running();

// aliases.cpp
bool row_alias(const CommandText& command);
bool row_unalias(const CommandText& command);

// vars_command.cpp
bool row_vars(const CommandText& command);

// goto.cpp: goto and list.
bool row_goto(const CommandText& command);

// pins_scan.cpp
bool row_pin(const CommandText& command);
bool row_pin2(const CommandText& command);
bool row_pin3(const CommandText& command);

// command.cpp: the message for a call refused for nesting too deep; from
// then on, until the outermost call returns, "source" reads no more files.
void command_refuse_nesting(std::string_view text);

// source_file.cpp: reads a file as lines and runs each through vel_command;
// an unreadable file is reported with the system's reason.
void command_source_file(const std::string& name);
