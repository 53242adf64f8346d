// The hive packer: `combex a file.xml [icon.ico ...] out.hive` packs, `combex e in.hive` unpacks
// into the current directory. Progress and usage go to `out`, errors to `err`, one flushed line
// each.
#pragma once

#include <iosfwd>

namespace combex {

// Runs the packer on a main()-style command line; returns the exit status (1 when the usage text
// was printed, 0 otherwise, errors included).
int RunCombex(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace combex
