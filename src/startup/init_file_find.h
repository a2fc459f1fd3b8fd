// Where the initialisation file ".velinit" is looked for.
#pragma once

#include <optional>
#include <string>

// The first existing one of: ".velinit" here; in HOME; in VelInst (or, when
// that is unset or empty, REXXHOME); in vel's own directory. Nothing when
// none exists.
std::optional<std::string> init_file_find();
