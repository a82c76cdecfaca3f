#include "cli/command_line.h"

#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "cli/job_guard.h"
#include "cli/suggestions.h"

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

// "\"exprot\" is not a command (did you mean \"export\"?)" when the command words on the line
// name no command; "" when they do.
std::string UnknownCommand(int argc, char** argv) {
    std::vector<std::string> words;
    for (int i = 1; i < argc && words.size() < 2; ++i) {
        if (argv[i][0] != '-') {
            words.emplace_back(argv[i]);
        }
    }
    if (words.empty()) {
        return "";
    }
    std::vector<std::string> firstWords;
    std::vector<std::string> secondWords;
    bool known = false;
    for (const Command& command : CommandTable()) {
        const std::string path = command.path;
        const size_t blank = path.find(' ');
        const std::string first = path.substr(0, blank);
        firstWords.push_back(first);
        known = known || first == words[0];
        if (blank != std::string::npos && first == words[0]) {
            secondWords.push_back(path.substr(blank + 1));
        }
    }
    if (!known) {
        return fmt::format("\"{}\" is not a command{}", words[0], DidYouMean(words[0], firstWords));
    }
    if (words.size() > 1 && !secondWords.empty() &&
        std::find(secondWords.begin(), secondWords.end(), words[1]) == secondWords.end()) {
        return fmt::format("\"{} {}\" is not a command{}", words[0], words[1],
                           DidYouMean(words[1], secondWords));
    }
    return "";
}

}  // namespace

int RunCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err) {
    CLI::App app{
        "Pellucid: exports game assets from scene documents and checks scenes against "
        "the engine's rules."};
    app.require_subcommand(1);
    app.set_version_flag("--version", "pellucid " PELLUCID_VERSION);
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
        const std::string unknown = UnknownCommand(argc, argv);
        err << "pellucid: " << (unknown.empty() ? std::string(e.what()) : unknown) << "\n";
        err << "Run 'pellucid --help' for usage.\n";
        return kExitBadInput;
    }

    for (const Declared& d : declared) {
        if (d.command->parsed()) {
            return RunGuarded(d.job, out, err);
        }
    }
    return kExitBadInput;
}

}  // namespace pellucid::cli
