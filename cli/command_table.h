// The commands of the command line as a table: where each sits ("export mesh"), what it does, and
// how it declares its options. Adding a command is one row here and one file of its own.
#pragma once

#include <functional>
#include <iosfwd>
#include <span>

namespace CLI {
class App;
}

namespace pellucid::cli {

// What a parsed command runs: its exit code from its output and error streams.
using Job = std::function<int(std::ostream& out, std::ostream& err)>;

struct Command {
    // The words a user types, such as "export mesh"; a first word that several commands share
    // becomes a group of its own ("export").
    const char* path;
    const char* summary;
    // Declares the command's arguments on `command` and gives the job that runs them once parsed.
    Job (*declare)(CLI::App& command);
};

struct CommandGroup {
    const char* name;
    const char* summary;
};

std::span<const Command> CommandTable();
std::span<const CommandGroup> CommandGroups();

}  // namespace pellucid::cli
