#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "bone_export/bone_tree.h"
#include "cli/bone_summary.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/job_report.h"
#include "cli/scene_session.h"
#include "cli/scene_survey.h"
#include "cli/survey_report.h"

namespace pellucid::cli {

namespace {

struct InfoOptions {
    SceneOptions scene;
    bool json = false;
};

int RunInfoCommand(const InfoOptions& options, std::ostream& out, std::ostream& err) {
    auto host = LoadScene(options.scene, err);
    if (!host) {
        return kExitBadInput;
    }
    const SceneSurvey survey = SurveyScene(*host);
    if (options.json) {
        PrintJson(out, [&](standalone::JsonWriter& json) {
            json.StringField("scene", options.scene.scenePath);
            WriteSurveyJson(json, survey);
        });
        return kExitOk;
    }
    PrintNodeTree(out, survey, false);
    PrintSkeletonCounts(out, survey);
    PrintObjectSummary(out, survey);
    PrintBoneScriptSummary(out, *host, BoneTree(host->GetRootNode(), host.get()));
    return kExitOk;
}

}  // namespace

Job DeclareInfoCommand(CLI::App& command) {
    auto options = std::make_shared<InfoOptions>();
    AddSceneOptions(command, options->scene);
    command.add_flag("--json", options->json, "Print the same facts as JSON on standard output");
    return [options](std::ostream& out, std::ostream& err) {
        return RunInfoCommand(*options, out, err);
    };
}

}  // namespace pellucid::cli
