// The pellucid command line: argv in, exit code out.
#pragma once

#include <iosfwd>

namespace pellucid::cli {

constexpr int kExitOk = 0;
// A check failed, or --strict met a message box.
constexpr int kExitFindings = 1;
// Bad input: unreadable or invalid scene, bad arguments, output that cannot be written.
constexpr int kExitBadInput = 2;

int RunCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace pellucid::cli
