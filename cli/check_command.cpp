#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

#include "cli/command_line.h"
#include "cli/command_outputs.h"
#include "cli/commands.h"
#include "cli/object_names.h"
#include "cli/scene_session.h"
#include "resources/resource_ids.h"
#include "standalone/panels/utility_session.h"
#include "standalone/viewport/scene_drawing.h"
#include "utilities/check_sorting_group.h"
#include "utilities/check_texel_size.h"
#include "utilities/marking_check.h"

namespace pellucid::cli {

namespace {

struct CheckPanel {
    const char* name;
    const char* className;
    int button;
    std::vector<int> statusLines;
};

const CheckPanel kChecks[] = {
    {"mapping", "CheckMapping", IDC_CHECK_MAPPING, {IDC_STATUS}},
    {"material", "CheckMaterial", IDC_CHECK_MATERIAL, {IDC_STATUS}},
    {"volume", "CheckVolume", IDC_CHECK_VOLUME, {IDC_STATUS}},
    {"texel", "CheckTexelSize", IDC_CHECK_TEXELSIZE, {IDC_TEXELSIZE_STATUS, IDC_TEXELSIZE_STATUS2}},
    {"sorting", "CheckSortingGroup", IDC_CHECK_SORTING_GROUP, {IDC_STATUS}},
};

// What one press of a check's button found, in the form every report takes.
struct CheckReport {
    std::vector<std::pair<int, std::string>> status;
    std::vector<NodeMarks> nodes;
    bool failed = false;
    bool selection = false;
    const TexelFindings* texel = nullptr;
};

CheckReport Press(standalone::panels::UtilitySession& session, const CheckPanel& check) {
    session.Press(check.button);
    CheckReport report;
    for (int id : check.statusLines) {
        report.status.emplace_back(id, session.StatusText(id));
    }
    if (const auto* marking = session.DlgProc<MarkingCheckDlgProc>()) {
        report.nodes = marking->LastFindings().nodes;
        report.failed = !marking->LastFindings().passed;
    } else if (const auto* sorting = session.DlgProc<CheckSortingGroupDlgProc>()) {
        for (INode* node : sorting->LastFindings().meshes) {
            NodeMarks entry;
            entry.node = node;
            entry.objectClass = node->EvalWorldState(0, TRUE).obj->ClassID();
            entry.failed = true;
            report.nodes.push_back(entry);
        }
        report.failed = !sorting->LastFindings().Passed();
        report.selection = true;
    } else if (const auto* texel = session.DlgProc<CheckTexelSizeDlgProc>()) {
        report.texel = &texel->LastFindings();
    }
    return report;
}

void PrintText(std::ostream& out, std::ostream& err, const CheckReport& report) {
    for (const auto& [id, text] : report.status) {
        if (report.status.size() == 1) {
            out << "status: " << text << "\n";
        } else {
            out << "status " << id << ": " << text << "\n";
        }
    }
    PrintMarks(out, report.nodes);
    PrintConvertedNotes(err, report.nodes);
    if (report.texel != nullptr) {
        err << fmt::format("note: {} face{} measured, {} single-coloured face{} left out\n",
                           report.texel->measuredFaces, report.texel->measuredFaces == 1 ? "" : "s",
                           report.texel->SCT, report.texel->SCT == 1 ? "" : "s");
    }
    for (const NodeMarks& node : report.nodes) {
        if (report.selection) {
            err << fmt::format("note: {} is selected and evaluates to a triangle mesh ({})\n",
                               node.node->GetName(), ObjectClassName(node.objectClass));
        } else if (node.faces.empty() && node.failed) {
            err << fmt::format("note: {} ({}) fails without a face to mark: it has no faces\n",
                               node.node->GetName(), ObjectClassName(node.objectClass));
        }
    }
}

std::string Json(const CheckOptions& options, const CheckReport& report) {
    standalone::JsonWriter json(16);
    json.BeginObject();
    json.Key("check");
    json.String(options.check);
    json.Key("passed");
    json.Bool(!report.failed);
    json.Key("status");
    json.BeginArray();
    for (const auto& [id, text] : report.status) {
        json.BeginObject();
        json.Key("id");
        json.Int(id);
        json.Key("text");
        json.String(text);
        json.EndObject();
    }
    json.EndArray();
    json.Key("nodes");
    WriteMarksJson(json, report.nodes);
    if (report.texel != nullptr) {
        json.Key("texel");
        json.BeginObject();
        json.Key("measured");
        json.Bool(report.texel->Measured());
        json.Key("min");
        json.Float(report.texel->Measured() ? report.texel->min : 0.0f);
        json.Key("max");
        json.Float(report.texel->Measured() ? report.texel->max : 0.0f);
        json.Key("measuredFaces");
        json.Int(report.texel->measuredFaces);
        json.Key("singleColourFaces");
        json.Int(report.texel->SCT);
        json.EndObject();
    }
    json.EndObject();
    return json.Text() + "\n";
}

}  // namespace

int RunCheckCommand(const CheckOptions& options, std::ostream& out, std::ostream& err) {
    const CheckPanel* check = nullptr;
    for (const CheckPanel& c : kChecks) {
        if (options.check == c.name) {
            check = &c;
        }
    }
    if (check == nullptr) {
        err << fmt::format(
            "pellucid: check {}: expected mapping, material, volume, texel or "
            "sorting\n",
            options.check);
        return kExitBadInput;
    }
    if (!CheckOutputIsNotInput(options.outputPath, options.scene.scenePath, "-o", err) ||
        !CheckOutputIsNotInput(options.svgPath, options.scene.scenePath, "--svg", err)) {
        return kExitBadInput;
    }
    auto host = LoadScene(options.scene, err);
    if (!host) {
        return kExitBadInput;
    }
    try {
        standalone::panels::UtilitySession session(host.get(), host->Toolkit(), check->className);
        const CheckReport report = Press(session, *check);
        if (options.json) {
            out << Json(options, report);
        } else {
            PrintText(out, err, report);
        }
        if (!options.svgPath.empty()) {
            std::vector<standalone::viewport::FaceHighlight> highlights;
            for (const NodeMarks& node : report.nodes) {
                highlights.push_back({node.node, node.faces});
            }
            const std::string svg = standalone::viewport::SceneSvg(
                host->GetRootNode(), standalone::viewport::ViewKind::Perspective, false,
                highlights);
            if (!WriteTextFile(options.svgPath, svg, err)) {
                return kExitBadInput;
            }
        }
        session.Close();
        if (!options.outputPath.empty() && !SaveScene(*host, options.outputPath, err)) {
            return kExitBadInput;
        }
        return report.failed ? kExitFindings : kExitOk;
    } catch (const std::exception& e) {
        err << fmt::format("pellucid: {}: {}\n", options.scene.scenePath, e.what());
        return kExitBadInput;
    }
}

Job DeclareCheckCommand(CLI::App& command) {
    auto o = std::make_shared<CheckOptions>();
    command
        .add_option("check", o->check,
                    "mapping (texture coordinates), material (material names), volume (closed "
                    "meshes), texel (texel density) or sorting (selected meshes)")
        ->required();
    AddSceneOptions(command, o->scene);
    command.add_option("-o,--output", o->outputPath,
                       "Save the scene with the marks as face selections (*.pscene.json)");
    command.add_option("--svg", o->svgPath, "Draw the scene with the marked faces filled (*.svg)");
    command.add_flag("--json", o->json, "Print the findings as one JSON report");
    return [o](std::ostream& out, std::ostream& err) { return RunCheckCommand(*o, out, err); };
}

}  // namespace pellucid::cli
