#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/job_output.h"
#include "cli/job_report.h"
#include "cli/scene_session.h"
#include "cli/suggestions.h"
#include "standalone/viewport/scene_drawing.h"

namespace pellucid::cli {

int RunViewCommand(const ViewOptions& options, std::ostream& out, std::ostream& err) {
    standalone::viewport::ViewKind kind;
    if (!standalone::viewport::ParseViewKind(options.view, kind)) {
        err << fmt::format("pellucid: --view {}: expected top, front, left or perspective{}\n",
                           options.view,
                           DidYouMean(options.view, {"top", "front", "left", "perspective"}));
        return kExitBadInput;
    }
    JobOutput output(options.outputPath, "-o");
    auto host = LoadJobScene(options.scene, output, false, err);
    if (!host) {
        return kExitBadInput;
    }
    const std::string svg =
        standalone::viewport::SceneSvg(host->GetRootNode(), kind, options.shaded, {});
    if (!output.WriteText(svg, out, err)) {
        return kExitBadInput;
    }
    SummaryStream(output, out, err)
        << fmt::format("wrote {} ({} view, {})\n", output.Name(), options.view,
                       options.shaded ? "shaded" : "wireframe");
    return kExitOk;
}

Job DeclareViewCommand(CLI::App& command) {
    auto o = std::make_shared<ViewOptions>();
    AddSceneOptions(command, o->scene);
    command
        .add_option("-o,--output", o->outputPath, "The picture (*.svg), or - for standard output")
        ->required();
    command.add_option("--view", o->view, "top, front, left or perspective (the default)");
    command.add_flag("--shaded", o->shaded,
                     "Shaded faces instead of wireframe (objects that show only in wireframe, "
                     "such as collision boxes, disappear)");
    return [o](std::ostream& out, std::ostream& err) { return RunViewCommand(*o, out, err); };
}

}  // namespace pellucid::cli
