#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

#include "cli/command_line.h"
#include "cli/command_outputs.h"
#include "cli/commands.h"
#include "cli/job_notes.h"
#include "cli/job_output.h"
#include "cli/job_report.h"
#include "cli/scene_session.h"
#include "resources/resource_ids.h"
#include "standalone/panels/utility_session.h"
#include "utilities/copy_bones.h"

namespace pellucid::cli {

namespace {

// Clicks the spinner until its edit shows `label`, as a user picks a bone; false when the
// spinner never reaches it (it steps only through bones under the scene root).
bool Pick(standalone::panels::UtilitySession& session, int spinner, int edit,
          const std::string& label, int bound) {
    for (int i = 0; i < bound; ++i) {
        session.ClickSpinner(spinner);
        if (session.EditText(edit) == label) {
            return true;
        }
    }
    return false;
}

std::string Unpickable(const std::string& option, const std::string& label,
                       standalone::StandaloneHost& host) {
    INode* node = host.FindNodeByName(label);
    if (node == nullptr) {
        return fmt::format("pellucid: {} {}: the scene has no node of that name{}\n", option, label,
                           NodeNameSuggestion(host, label));
    }
    if (!IsBone(node)) {
        return fmt::format("pellucid: {} {}: not a bone (the panel picks bone helpers only)\n",
                           option, label);
    }
    if (node->GetParentNode() != nullptr && !node->GetParentNode()->IsRootNode()) {
        return fmt::format(
            "pellucid: {} {}: the panel picks only bones directly under the scene "
            "root (this one is under {}); pick its skeleton's root bone and "
            "select the bones to copy\n",
            option, label, node->GetParentNode()->GetName());
    }
    return fmt::format(
        "pellucid: {} {}: no bone under the scene root shows this label; bones "
        "that share a name are labelled \"NAME #INDEX\"\n",
        option, label);
}

}  // namespace

int RunCopyBonesCommand(const CopyBonesOptions& options, std::ostream& out, std::ostream& err) {
    JobOutput output(options.outputPath, "-o");
    auto host = LoadJobScene(options.scene, output, options.json, err, "document");
    if (!host) {
        return kExitBadInput;
    }
    // With the scene on standard output, the report goes with the messages.
    std::ostream& report = SummaryStream(output, out, err);
    std::vector<std::pair<std::string, std::string>> copies;
    JobNotes notes(err);
    standalone::Scene& scene = host->GetScene();
    if (!options.select.empty()) {
        for (standalone::SceneNode* node : scene.NodesInTreeOrder()) {
            node->SetSelected(false);
        }
        for (const std::string& name : options.select) {
            int selected = 0;
            for (standalone::SceneNode* node : scene.NodesInTreeOrder()) {
                if (node->Name() == name) {
                    node->SetSelected(true);
                    ++selected;
                }
            }
            if (selected == 0) {
                err << fmt::format("pellucid: --select {}: the scene has no node of that name{}\n",
                                   name, NodeNameSuggestion(*host, name));
                return kExitBadInput;
            }
            if (selected > 1) {
                notes.Add(
                    {"several-selected",
                     fmt::format("--select {} selects all {} nodes of that name", name, selected)});
            }
        }
    }
    try {
        standalone::panels::UtilitySession session(host.get(), host->Toolkit(), "CopyBones");
        const int bound = host->GetRootNode()->NumberOfChildren() + 2;
        if (!Pick(session, IDC_SOURCE_SPIN, IDC_SOURCE_EDIT, options.source, bound)) {
            err << Unpickable("--source", options.source, *host);
            return kExitBadInput;
        }
        if (!Pick(session, IDC_TARGET_SPIN, IDC_TARGET_EDIT, options.target, bound)) {
            err << Unpickable("--target", options.target, *host);
            return kExitBadInput;
        }
        const std::pair<bool, int> boxes[] = {{options.position, IDC_COPY_POSITION},
                                              {options.rotation, IDC_COPY_ROTATION},
                                              {options.scale, IDC_COPY_SCALE},
                                              {options.nodeData, IDC_COPY_NODEDATA}};
        for (const auto& [wanted, id] : boxes) {
            if (!wanted) {
                session.ClickCheckBox(id);
            }
        }
        const size_t messages = host->Messages().size();
        session.Press(IDC_COPY_BONES);
        if (host->Messages().size() > messages) {
            // The library refused; its message box has been printed.
            return kExitFindings;
        }
        const BoneCopyPlan& plan = session.DlgProc<CopyBonesDlgProc>()->LastPlan();
        for (const auto& [from, to] : plan.copies) {
            copies.emplace_back(BoneLabel(from), BoneLabel(to));
            if (!options.json) {
                report << fmt::format("copied {} onto {}\n", copies.back().first,
                                      copies.back().second);
            }
        }
        for (INode* skipped : plan.skipped) {
            notes.Add({"bone-skipped",
                       fmt::format("{} is selected but {} has no bone of that name: skipped",
                                   skipped->GetName(), options.target)});
        }
        if (plan.copies.empty()) {
            notes.Add({"nothing-copied", "nothing was copied"});
        }
        session.Close();
    } catch (const std::exception& e) {
        err << fmt::format("pellucid: {}: {}\n", options.scene.scenePath, e.what());
        return kExitBadInput;
    }
    if (!SaveScene(*host, output, out, err)) {
        return kExitBadInput;
    }
    if (options.json) {
        PrintJson(out, [&](standalone::JsonWriter& json) {
            json.StringField("output", output.Name());
            json.Key("copied");
            json.BeginArray();
            for (const auto& [from, to] : copies) {
                json.BeginObject();
                json.StringField("source", from);
                json.StringField("target", to);
                json.EndObject();
            }
            json.EndArray();
            notes.WriteJson(json, host->Messages());
        });
    } else {
        report << fmt::format("wrote {}\n", output.IsStandardOutput()
                                                ? "the scene to standard output"
                                                : output.Name());
    }
    return kExitOk;
}

Job DeclareCopyBonesCommand(CLI::App& command) {
    auto o = std::make_shared<CopyBonesOptions>();
    AddSceneOptions(command, o->scene);
    command
        .add_option("--source", o->source,
                    "The source bone as the panel labels it: a bone directly under the scene "
                    "root, by name (\"NAME #INDEX\" when siblings share the name)")
        ->required();
    command.add_option("--target", o->target, "The target bone, likewise")->required();
    command.add_flag("!--no-position", o->position, "Leave the position and its keys");
    command.add_flag("!--no-rotation", o->rotation, "Leave the rotation keys");
    command.add_flag("!--no-scale", o->scale, "Leave the scale keys");
    command.add_flag("!--no-node-data", o->nodeData, "Leave the node transform");
    command.add_option("--select", o->select,
                       "Select these nodes (by name) instead of the scene's selection");
    command
        .add_option("-o,--output", o->outputPath,
                    "The changed scene (*.pscene.json), or - for standard output")
        ->required();
    command.add_flag("--json", o->json, "Print the report as JSON on standard output");
    return [o](std::ostream& out, std::ostream& err) { return RunCopyBonesCommand(*o, out, err); };
}

}  // namespace pellucid::cli
