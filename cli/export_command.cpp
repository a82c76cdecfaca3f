#include <fmt/format.h>

#include <ostream>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/output_file.h"
#include "cli/scene_session.h"
#include "mesh_export/expo_mesh.h"

namespace pellucid::cli {

int RunExportCommand(const ExportOptions& options, std::ostream& out, std::ostream& err) {
    auto host = LoadScene(options.scene, err);
    if (!host) {
        return kExitBadInput;
    }
    OutputFile output(options.outputPath);
    ExpoMesh exporter;
    exporter.DoExport(output.TemporaryPath().c_str(), host->GetExpInterface(), host.get());
    if (!output.Written()) {
        // The exporter writes nothing, silently, when it cannot open its file.
        err << fmt::format("pellucid: {}: cannot be written\n", options.outputPath);
        return kExitBadInput;
    }
    std::string error;
    if (!output.Commit(error)) {
        err << fmt::format("pellucid: {}: {}\n", options.outputPath, error);
        return kExitBadInput;
    }
    const size_t messages = host->Messages().size();
    out << fmt::format("wrote {} ({} message{})\n", options.outputPath, messages,
                       messages == 1 ? "" : "s");
    return options.strict && messages > 0 ? kExitFindings : kExitOk;
}

}  // namespace pellucid::cli
