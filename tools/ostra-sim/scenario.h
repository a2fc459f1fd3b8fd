// Scenario mode: instead of walking a macro, play a script of steps against
// the debugger, one step per line, and record what the debugger sends.
//
//   send TEXT            a frame with payload TEXT on the message channel
//   stdout TEXT          raw bytes on the stdout channel
//   raw message TEXT     raw (unframed) bytes on the message channel
//   raw stdout TEXT      the same as stdout
//   expect cmd TEXT      the next command frame must be exactly TEXT
//   expect any           wait for the next command frame, whatever it is
//   expect stdin TEXT    the next input line, without its line feed, must be TEXT
//   expect eof           wait until the debugger closes the command channel
//   drain MS             record whatever arrives for MS milliseconds
//   timeout MS           how long each expect waits (default 10000)
//   sleep MS             pause
//   touch PATH           create (or empty) the file PATH: its time marks the moment
//   close WHICH          close message, stdout, cmd, stdin or all
//   close-mid-frame [TEXT]  a frame header and half of TEXT's bytes on the
//                        message channel, then close everything and stop
//   never-answer [MS]    keep everything open and read nothing for MS
//                        milliseconds (default 600000), then stop
//   exit N               close in order and end with status N
//
// TEXT is taken after the single space that follows the step's words, with
// the escapes \n \r \t \\ \0 and \xHH. Blank lines and lines starting with
// "#" are skipped. A failed expect is recorded, reported on standard error
// and ends the process with status 3.
#pragma once

#include "link.h"

#include <string>
#include <vector>

namespace sim {

struct Step {
    int line = 0; // in the script, for messages
    std::string verb;
    std::string what; // the second word of two-word steps (raw, expect, close)
    std::string text; // unescaped
    long number = 0;
};

// Reads and checks a script. False with a message naming the line.
bool load_scenario(const std::string& path, std::vector<Step>& steps, std::string& error);

// Plays the steps over an established link; returns the exit status.
int play_scenario(const std::vector<Step>& steps, Link& link);

} // namespace sim
