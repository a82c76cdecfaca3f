// The command-line options of the panel commands (check, portal, copy-bones, view).
#pragma once

#include <iosfwd>
#include <optional>

#include "cli/commands.h"

namespace CLI {
class App;
}

namespace pellucid::cli {

struct PanelCommandOptions {
    CheckOptions check;
    PortalOptions portal;
    CopyBonesOptions copyBones;
    ViewOptions view;
    CLI::App* checkCommand = nullptr;
    CLI::App* portalCommand = nullptr;
    CLI::App* copyBonesCommand = nullptr;
    CLI::App* viewCommand = nullptr;
};

void AddPanelCommands(CLI::App& app, PanelCommandOptions& options);
// The exit code of the panel command that was parsed, or nothing when none was.
std::optional<int> RunPanelCommands(PanelCommandOptions& options, std::ostream& out,
                                    std::ostream& err);

}  // namespace pellucid::cli
