// Finding and naming files: the macro's path as the debugger gives it
// (under Wine a Windows path such as Z:\home\me\m.rexx or C:\users\me\m.rexx
// of the Wine prefix), the routine files a macro calls, and how their paths
// are shown.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace regina {

struct LoadedFile;

// The file on this system that `given` names: a Windows-form path is mapped
// through the Wine prefix's drives (WINEPREFIX, else ~/.wine; Z: is the
// root). The canonical absolute path when the file exists, else `given`.
std::string real_path_of(const std::string& given);

// The folder part of a path, with its separator ("" for a bare name).
std::string folder_of(const std::string& path);

bool read_whole_file(const std::string& path, std::string& text);

// A routine file for a call of `name` (as Regina upper-cases it, or as
// quoted): NAME with .rexx, .rex, .cmd or .ost, as written or in lower case,
// in each folder in turn. Its canonical path, or "" when there is none.
std::string find_routine_file(const std::string& name, const std::vector<std::string>& folders);

// How a routine file found at `real` is named to the debugger: in the form
// of the path of the loaded file beside it (a Windows path stays a Windows
// path), else `real`.
std::string shown_path(const std::string& real, const std::deque<LoadedFile>& files);

} // namespace regina
