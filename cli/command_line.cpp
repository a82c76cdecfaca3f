#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command_table.h"

namespace pellucid::cli {

namespace {

struct Declared {
    CLI::App* command;
    Job job;
};

// The parser command that a command's path names, creating its group on first use.
CLI::App* AddCommand(CLI::App& app, std::map<std::string, CLI::App*>& groups,
                     const std::string& path, const char* summary) {
    const size_t blank = path.find(' ');
    if (blank == std::string::npos) {
        return app.add_subcommand(path, summary);
    }
    const std::string groupName = path.substr(0, blank);
    CLI::App*& group = groups[groupName];
    if (group == nullptr) {
        const char* groupSummary = "";
        for (const CommandGroup& g : CommandGroups()) {
            if (groupName == g.name) {
                groupSummary = g.summary;
            }
        }
        group = app.add_subcommand(groupName, groupSummary);
        group->require_subcommand(1);
    }
    return group->add_subcommand(path.substr(blank + 1), summary);
}

}  // namespace

int RunCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err) {
    CLI::App app{
        "Pellucid: exports game assets from scene documents and checks scenes against "
        "the engine's rules."};
    app.require_subcommand(1);
    app.set_help_all_flag("--help-all", "Show the help of every command");

    std::map<std::string, CLI::App*> groups;
    std::vector<Declared> declared;
    for (const Command& command : CommandTable()) {
        CLI::App* parser = AddCommand(app, groups, command.path, command.summary);
        declared.push_back({parser, command.declare(*parser)});
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help requests, on any subcommand, arrive here with exit code 0.
        if (e.get_exit_code() == 0) {
            return app.exit(e, out, err);
        }
        err << "pellucid: " << e.what() << "\n";
        err << "Run 'pellucid --help' for usage.\n";
        return kExitBadInput;
    }

    for (const Declared& d : declared) {
        if (d.command->parsed()) {
            return d.job(out, err);
        }
    }
    return kExitBadInput;
}

}  // namespace pellucid::cli
