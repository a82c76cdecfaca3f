// The role of every node in the mesh export and in the bone export, and the rule that gives it.
#include <fmt/format.h>

#include <algorithm>
#include <string>
#include <unordered_map>

#include "bone_export/bone_tree.h"
#include "bone_export/enum_bone.h"
#include "bone_export/key_times.h"
#include "cli/object_names.h"
#include "cli/scene_survey.h"
#include "host/material.h"
#include "host/name_helpers.h"
#include "host/render_mesh.h"
#include "mesh_export/enum_mesh.h"
#include "objects/collbox.h"

namespace pellucid::cli {

namespace {

bool IsGeometry(Object* object) {
    return object != nullptr && object->SuperClassID() == GEOMOBJECT_CLASS_ID &&
           object->CanConvertToType(triObjectClassID);
}

bool IsSphere(Object* object) {
    return IsGeometry(object) && object->CanConvertToType(sphereClassID) != 0;
}

bool IsBone(Object* object) {
    return object != nullptr && object->SuperClassID() == HELPER_CLASS_ID &&
           object->ClassID() == boneObjClassID;
}

bool IsCollBox(Object* object) {
    return object != nullptr && object->ClassID() == COLLBOX_CLASS_ID;
}

std::string MaterialLabel(INode* node) {
    Mtl* material = node->GetMtl();
    if (material == nullptr) {
        return "none";
    }
    std::string text = fmt::format("\"{}\"", material->GetName());
    if (material->ClassID() == multiMtlClassID) {
        text += fmt::format(" ({})", Counted(static_cast<size_t>(material->NumSubMtls()),
                                             "sub-material", "sub-materials"));
    }
    return text;
}

// The mesh export's role of a node that its walk classifies, before main and extra objects are
// told apart.
SurveyRole MeshRole(const MeshNodeClassification& mesh, const std::string& name, Object* object) {
    switch (mesh.nodeClass) {
        case MeshNodeClass::NotGeometry:
            return {"not-used", "-", "not geometry: the mesh export skips it"};
        case MeshNodeClass::MagicVertex: {
            const int group = NameNumber(name.c_str(), 5, 2);
            const int number = NameNumber(name.c_str(), 7, 1);
            return {"magic-vertex",
                    fmt::format("magic vertex {},{}", group, number),
                    "a sphere whose name begins with MAGIC (group from name positions 5-6, number "
                    "from position 7)",
                    {{"group", group}, {"number", number}}};
        }
        case MeshNodeClass::GlowPoint:
            return {"glow-point", "glow point", "a sphere whose name begins with GLOW"};
        case MeshNodeClass::AttachedObject:
            return {"attached-object",
                    fmt::format("attached object {}", mesh.attachNumber),
                    "geometry whose name begins with ATTACH (number from name positions 6-8)",
                    {{"number", mesh.attachNumber}}};
        case MeshNodeClass::Trigger:
            return {"trigger", "trigger (not written by the mesh export)",
                    "geometry whose name begins with TRIGGER"};
        case MeshNodeClass::Hidden:
            return {"hidden", "hidden (not written)", "hidden geometry is skipped"};
        case MeshNodeClass::MainObject:
            break;
    }
    const std::string upper = UpperPrefix(name.c_str(), 5);
    if (!IsSphere(object) && (upper == "MAGIC" || upper.rfind("GLOW", 0) == 0)) {
        return {"object", "object",
                fmt::format("visible geometry (named {}.. but not a sphere, so not a marker)",
                            upper == "MAGIC" ? "MAGIC" : "GLOW")};
    }
    return {"object", "object", "visible geometry"};
}

// Main object, extra objects and collision boxes, in the walk's order.
void AssignObjects(SceneSurvey& survey) {
    for (size_t i = 0; i < survey.nodes.size(); ++i) {
        SurveyNode& entry = survey.nodes[i];
        if (entry.mesh.nodeClass != MeshNodeClass::MainObject) {
            continue;
        }
        if (survey.mainObject < 0) {
            survey.mainObject = static_cast<int>(i);
            entry.meshRole = {"main-object", "main object",
                              "the first visible geometry in the scene's order"};
        } else {
            survey.extraObjects.push_back(static_cast<int>(i));
            const std::string main = survey.nodes[survey.mainObject].node->GetName();
            entry.meshRole = {"extra-object",
                              "extra object (warned, not written)",
                              fmt::format("visible geometry after the main object \"{}\"", main),
                              {},
                              {{"mainObject", main}}};
            entry.meshRole.warned = true;
        }
    }
    if (survey.mainObject < 0) {
        return;
    }
    INode* main = survey.nodes[survey.mainObject].node;
    for (SurveyNode& entry : survey.nodes) {
        Object* object = entry.node->EvalWorldState(0, TRUE).obj;
        if (!IsCollBox(object)) {
            continue;
        }
        INode* parent = entry.node->GetParentNode();
        Object* parentObject = parent != nullptr ? parent->EvalWorldState(0, TRUE).obj : nullptr;
        SurveyRole role;
        if (parent == main) {
            role = {"collision-box",
                    fmt::format("collision box of \"{}\"", main->GetName()),
                    "",
                    {},
                    {{"object", main->GetName()}}};
        } else if (parent != nullptr && IsCollBox(parentObject) &&
                   parent->GetParentNode() == main) {
            const int zone = NameNumber(entry.node->GetName(), 4, 2);
            role = {"collision-zone",
                    fmt::format("zone {} of box \"{}\"", zone, parent->GetName()),
                    "",
                    {{"number", zone}},
                    {{"box", parent->GetName()}}};
        } else if (entry.node != main) {
            survey.silent.push_back(
                {"collision-box-not-written",
                 fmt::format("collision box \"{}\" is not written: boxes must hang directly under "
                             "the main object \"{}\" (zones under a box)",
                             entry.node->GetName(), main->GetName())});
            continue;
        }
        if (entry.node == main) {
            continue;
        }
        if (entry.mesh.nodeClass == MeshNodeClass::MainObject) {
            role.text += ", and an extra object (warned)";
            role.why = "a visible collision box also counts as an object: hide it";
            role.warned = true;
            role.nodes.emplace_back("mainObject", main->GetName());
        } else {
            role.why = "a CollBox helper under the main object (zones under a box)";
        }
        entry.meshRole = std::move(role);
    }
}

// Bones in pre-order with their nearest bone ancestors, triggers, and the bone export's roles.
void AssignBoneRoles(SceneSurvey& survey) {
    std::unordered_map<INode*, size_t> indexOfNode;
    // Per entry: the bone that its children hang on (its own, or its nearest bone ancestor's).
    std::vector<int> carriedBone(survey.nodes.size(), -1);
    int boneAttachments = 0;
    INode* rootBoneParent = nullptr;
    for (size_t i = 0; i < survey.nodes.size(); ++i) {
        SurveyNode& entry = survey.nodes[i];
        INode* node = entry.node;
        indexOfNode.emplace(node, i);
        // Pre-order: the parent's entry is already there.
        const auto parent = indexOfNode.find(node->GetParentNode());
        const int ancestor = parent != indexOfNode.end() ? carriedBone[parent->second] : -1;
        carriedBone[i] = ancestor;
        Object* object = node->EvalWorldState(0, TRUE).obj;
        const std::string name = node->GetName();
        if (IsBone(object)) {
            if (static_cast<int>(survey.bones.size()) >= MAX_BONES) {
                entry.boneRole = {"bone-left-out", "bone left out",
                                  "the skeleton holds at most 256 bones"};
                continue;
            }
            entry.bone = static_cast<int>(survey.bones.size());
            carriedBone[i] = entry.bone;
            survey.bones.push_back(name);
            survey.boneNodes.push_back(node);
            if (entry.bone == 0) {
                rootBoneParent = node->GetParentNode();
            } else if (ancestor < 0) {
                survey.rootlessBones.push_back(entry.bone);
            }
            entry.boneRole = {"bone",
                              fmt::format("bone {} (parent {})", entry.bone, ancestor),
                              entry.bone == 0 ? "the first bone helper: the root of the skeleton"
                              : ancestor < 0  ? "a bone helper with no bone above it: a second root"
                                              : "a bone helper, numbered in the scene's order",
                              {{"number", entry.bone}, {"parent", ancestor}}};
        } else if (IsSphere(object) && UpperPrefix(name.c_str(), 7) == "TRIGGER") {
            if (survey.triggers < MAX_TRIGGERS) {
                const int number = NameNumber(name.c_str(), 7, 4);
                entry.boneRole = {"trigger",
                                  fmt::format("trigger {}", number),
                                  "a sphere whose name begins with TRIGGER; its time is the first "
                                  "tick at which it is visible",
                                  {{"number", number}}};
            }
            ++survey.triggers;
        }
        if (UpperPrefix(name.c_str(), 6) != "ATTACH") {
            continue;
        }
        if (boneAttachments < MAX_BONE_ATTACH) {
            const int number = NameNumber(name.c_str(), 6, 3);
            entry.boneRole = {"attached-object",
                              fmt::format("attached object (number {})", number),
                              "its name begins with ATTACH",
                              {{"number", number}}};
        } else {
            survey.silent.push_back(
                {"bone-attachment-dropped",
                 fmt::format("\"{}\" is left out of the bone export: it keeps only the first {} "
                             "nodes named ATTACH..",
                             name, MAX_BONE_ATTACH)});
        }
        ++boneAttachments;
        if (entry.mesh.nodeClass == MeshNodeClass::NotGeometry) {
            survey.silent.push_back(
                {"attach-not-geometry",
                 fmt::format("\"{}\" is a {}, not geometry: the mesh export skips it (only "
                             "geometry named ATTACH.. becomes an attached object there), while "
                             "the bone export still takes it",
                             name, entry.objectClass)});
        }
    }
    if (rootBoneParent == nullptr || rootBoneParent->IsRootNode() ||
        UpperPrefix(rootBoneParent->GetName(), 5) != "MOVE") {
        return;
    }
    const auto move = indexOfNode.find(rootBoneParent);
    if (move != indexOfNode.end()) {
        survey.nodes[move->second].boneRole = {
            "move-node", "MOVE node",
            "the root bone's parent, named MOVE: its motion is folded into the root bone's "
            "translation keys"};
    }
}

// What the bone export's key sections will refuse: a rotation key table past its capacity, a root
// position controller of a kind it cannot read.
void SurveyBoneKeys(SceneSurvey& survey) {
    for (size_t b = 0; b < survey.boneNodes.size() && survey.keyTableFullBone < 0; ++b) {
        const std::vector<TimeValue> times =
            ControllerKeyTimes(NodeRotationController(survey.boneNodes[b]));
        const bool keyAtZero = std::find(times.begin(), times.end(), 0) != times.end();
        if (times.size() + (keyAtZero ? 0 : 1) > static_cast<size_t>(MAX_ROTATION_ENTRIES)) {
            survey.keyTableFullBone = static_cast<int>(b);
            survey.keyTableFullKeys = static_cast<int>(times.size());
        }
    }
    if (survey.boneNodes.empty()) {
        return;
    }
    Control* position = NodePositionController(survey.boneNodes[0]);
    if (position != nullptr && !ControllerKeyTimes(position).empty() &&
        position->ClassID() != bezierPositionClassID) {
        survey.rootPositionController = ControllerClassName(position->ClassID());
    }
}

}  // namespace

SceneSurvey SurveyScene(standalone::StandaloneHost& host) {
    SceneSurvey survey;
    SurveyNodes(host, survey);
    SurveyMaterials(host, survey);
    SurveySkin(survey);
    if (survey.mainObject < 0) {
        survey.silent.push_back(
            {"nothing-to-export",
             "the scene has no visible geometry outside the marker names (MAGIC, GLOW, ATTACH, "
             "TRIGGER), so the mesh script holds no object"});
    }
    if (survey.bones.empty()) {
        survey.silent.push_back(
            {"no-bones", "the scene has no bone helpers, so the bone script is left empty"});
    }
    return survey;
}

std::vector<Finding> SilentFindingsFor(const SceneSurvey& survey, std::string_view extension) {
    // The kinds that only one of the script exports is concerned by; every other kind concerns
    // both.
    static const std::pair<const char*, const char*> kOnly[] = {
        {"missing-image", "MEF"},
        {"texture-without-file", "MEF"},
        {"collision-box-not-written", "MEF"},
        {"nothing-to-export", "MEF"},
        {"weights-not-one", "MEF"},
        {"mesh-attachment-dropped", "MEF"},
        {"bone-attachment-dropped", "BEF"},
        {"no-bones", "BEF"},
    };
    std::vector<Finding> findings;
    for (const Finding& finding : survey.silent) {
        bool concerned = true;
        for (const auto& [kind, only] : kOnly) {
            if (finding.kind == kind) {
                concerned = extension == only;
            }
        }
        if (concerned) {
            findings.push_back(finding);
        }
    }
    return findings;
}

std::string Counted(size_t count, const char* singular, const char* plural) {
    return fmt::format("{} {}", count, count == 1 ? singular : plural);
}

void SurveyNodes(standalone::StandaloneHost& host, SceneSurvey& survey) {
    int meshAttachments = 0;
    std::vector<std::pair<INode*, int>> work;
    INode* root = host.GetRootNode();
    for (int i = root->NumberOfChildren() - 1; i >= 0; --i) {
        work.emplace_back(root->GetChildNode(i), 0);
    }
    while (!work.empty()) {
        auto [node, depth] = work.back();
        work.pop_back();
        SurveyNode entry;
        entry.node = node;
        entry.depth = depth;
        Object* object = node->EvalWorldState(0, TRUE).obj;
        entry.objectClass = ObjectClassName(object);
        entry.material = MaterialLabel(node);
        entry.nodeMaterial = node->GetMtl();
        entry.mesh = ClassifyMeshNode(node, object);
        entry.meshRole = MeshRole(entry.mesh, node->GetName(), object);
        if (IsGeometry(object)) {
            RenderMesh mesh(object, node, 0);
            entry.vertices = mesh.mesh().getNumVerts();
            entry.faces = mesh.mesh().getNumFaces();
        }
        if (entry.mesh.nodeClass == MeshNodeClass::AttachedObject &&
            ++meshAttachments > MAX_ATTACH_NODES) {
            survey.silent.push_back(
                {"mesh-attachment-dropped",
                 fmt::format("\"{}\" is not written: the mesh export keeps only the first {} "
                             "attached objects",
                             node->GetName(), MAX_ATTACH_NODES)});
        }
        if (entry.mesh.nodeClass == MeshNodeClass::Trigger && !IsSphere(object)) {
            survey.silent.push_back(
                {"trigger-not-sphere",
                 fmt::format("\"{}\" is named TRIGGER.. but is a {}, not a sphere: no export "
                             "uses it as a trigger",
                             node->GetName(), entry.objectClass)});
        }
        survey.nodes.push_back(std::move(entry));
        for (int i = node->NumberOfChildren() - 1; i >= 0; --i) {
            work.emplace_back(node->GetChildNode(i), depth + 1);
        }
    }
    AssignObjects(survey);
    AssignBoneRoles(survey);
    SurveyBoneKeys(survey);
}

}  // namespace pellucid::cli
