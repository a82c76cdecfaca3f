#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "bone_export/bone_tree.h"
#include "cli/bone_summary.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/object_names.h"
#include "cli/scene_session.h"
#include "host/material.h"
#include "mesh_export/scene_walk.h"

namespace pellucid::cli {

namespace {

std::string MeshExportRole(INode* node, Object* object) {
    const MeshNodeClassification c = ClassifyMeshNode(node, object);
    switch (c.nodeClass) {
        case MeshNodeClass::NotGeometry:
            return "-";
        case MeshNodeClass::MagicVertex:
            return "magic vertex";
        case MeshNodeClass::GlowPoint:
            return "glow point";
        case MeshNodeClass::AttachedObject:
            return fmt::format("attached object {}", c.attachNumber);
        case MeshNodeClass::Trigger:
            return "trigger (ignored by the mesh export)";
        case MeshNodeClass::Hidden:
            return "hidden (ignored)";
        case MeshNodeClass::MainObject:
            return "object";
    }
    return "-";
}

std::string MaterialName(INode* node) {
    Mtl* material = node->GetMtl();
    if (material == nullptr) {
        return "none";
    }
    std::string text = fmt::format("\"{}\"", material->GetName());
    if (material->ClassID() == multiMtlClassID) {
        text += fmt::format(" ({} sub-materials)", material->NumSubMtls());
    }
    return text;
}

int RunInfoCommand(const SceneOptions& scene, std::ostream& out, std::ostream& err) {
    auto host = LoadScene(scene, err);
    if (!host) {
        return kExitBadInput;
    }
    INode* root = host->GetRootNode();
    BoneTree bones(root, host.get());

    // The main object is the first candidate in the walk's order; later ones are extra objects.
    bool mainSeen = false;
    std::vector<std::pair<INode*, int>> work{{root, 0}};
    while (!work.empty()) {
        auto [node, depth] = work.back();
        work.pop_back();
        Object* object = node->EvalWorldState(0, TRUE).obj;
        std::string line = fmt::format("{:{}}{}", "", depth * 2, node->GetName());
        if (!node->IsRootNode()) {
            std::string role = MeshExportRole(node, object);
            if (role == "object") {
                role = mainSeen ? "extra object (warned, not written)" : "main object";
                mainSeen = true;
            }
            line += fmt::format("  [{}]  material: {}  mesh export: {}", ObjectClassName(object),
                                MaterialName(node), role);
            const int bone = bones.IndexOfNode(node);
            if (bone >= 0) {
                line += fmt::format("  bone {} (parent {})", bone, bones.bones[bone].parent);
            }
        }
        out << line << "\n";
        for (int i = node->NumberOfChildren() - 1; i >= 0; --i) {
            work.emplace_back(node->GetChildNode(i), depth + 1);
        }
    }
    out << fmt::format("{} bones, {} triggers\n", bones.boneCount, bones.triggerCount);
    PrintBoneScriptSummary(out, *host, bones);
    return kExitOk;
}

}  // namespace

Job DeclareInfoCommand(CLI::App& command) {
    auto scene = std::make_shared<SceneOptions>();
    AddSceneOptions(command, *scene);
    return
        [scene](std::ostream& out, std::ostream& err) { return RunInfoCommand(*scene, out, err); };
}

}  // namespace pellucid::cli
