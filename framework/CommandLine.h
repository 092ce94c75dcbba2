// Splitting of the raw command line into the program's path and its arguments, recomputed from
// the raw text on every request, with double-byte characters stepped as one unit.
#pragma once

#include <string>
#include <string_view>

namespace fw {

// Number of arguments after the program's path in `commandLine`: the scan steps that yield a
// non-empty argument before the first one that yields none.
int ParamCount(std::string_view commandLine);

// Argument `index` (1-based) of `commandLine`; empty beyond the count. Index 0 is the command
// line's first word here; the process-level ParamStr(0) reports the executable's path instead.
std::string ParamStr(std::string_view commandLine, int index);

// The same for the running process: the platform's raw command line, and for index 0 the full
// path of the executable as the platform reports it for the module.
int ParamCount();
std::string ParamStr(int index);

}  // namespace fw
