// The skin that the exporters read: the first child of the root bone with a modifier stack, and
// the bindings of the skin modifiers on its stack.
#include <fmt/format.h>

#include <cmath>
#include <set>

#include "cli/scene_survey.h"
#include "standalone/scene/modifiers/skin_modifier.h"
#include "standalone/scene/scene_node.h"

namespace pellucid::cli {

namespace {

constexpr float kWeightTolerance = 0.001f;

// The skin modifiers on a node's stack, top first.
std::vector<const standalone::SkinModifier*> SkinModifiers(const standalone::SceneNode& node) {
    std::vector<const standalone::SkinModifier*> skins;
    for (Modifier* modifier : node.Modifiers()) {
        if (const auto* skin = dynamic_cast<const standalone::SkinModifier*>(modifier)) {
            skins.push_back(skin);
        }
    }
    return skins;
}

const standalone::SceneNode& Live(INode* node) {
    return *static_cast<const standalone::SceneNode*>(node);
}

}  // namespace

void SurveySkin(SceneSurvey& survey) {
    INode* rootBone = survey.boneNodes.empty() ? nullptr : survey.boneNodes[0];
    INode* skinNode = nullptr;
    if (rootBone != nullptr) {
        for (int i = 0; i < rootBone->NumberOfChildren() && skinNode == nullptr; ++i) {
            INode* child = rootBone->GetChildNode(i);
            Object* reference = child->GetObjectRef();
            if (reference != nullptr && reference->SuperClassID() == GEN_DERIVOB_CLASS_ID) {
                skinNode = child;
            }
        }
    }

    // Skins anywhere else are never read.
    for (const SurveyNode& entry : survey.nodes) {
        if (entry.node != skinNode && !SkinModifiers(Live(entry.node)).empty()) {
            survey.silent.push_back(
                {"skin-not-read",
                 fmt::format(
                     "the skin of \"{}\" is not exported: the exporters read the skin of "
                     "the first child of the root bone{} that has modifiers",
                     entry.node->GetName(),
                     rootBone != nullptr ? fmt::format(" \"{}\"", rootBone->GetName()) : "")});
        }
    }
    if (skinNode == nullptr) {
        return;
    }
    const auto skins = SkinModifiers(Live(skinNode));
    if (skins.empty()) {
        return;
    }
    SkinSurvey& skin = survey.skin;
    skin.node = skinNode->GetName();
    std::set<INode*> bones;
    std::set<std::string> notBones;
    const std::set<INode*> skeleton(survey.boneNodes.begin(), survey.boneNodes.end());
    for (const standalone::SkinModifier* modifier : skins) {
        const auto& vertices = modifier->Vertices();
        skin.vertices = std::max(skin.vertices, static_cast<int>(vertices.size()));
        for (size_t v = 0; v < vertices.size(); ++v) {
            const auto& vertex = vertices[v];
            if (!vertex || vertex->bones.empty()) {
                ++skin.unboundVertices;
                continue;
            }
            (vertex->bones.size() == 1 ? skin.rigidVertices : skin.blendedVertices) += 1;
            for (INode* bone : vertex->bones) {
                if (skeleton.count(bone) != 0) {
                    bones.insert(bone);
                } else {
                    notBones.insert(bone->GetName());
                }
            }
            // A vertex bound to one bone is written with weight 1 whatever the document says.
            if (vertex->bones.size() > 1) {
                float sum = 0.0f;
                for (float w : vertex->weights) {
                    sum += w;
                }
                if (!(std::fabs(sum - 1.0f) <= kWeightTolerance)) {
                    skin.unbalanced.emplace_back(static_cast<int>(v), sum);
                }
            }
        }
    }
    skin.bones = static_cast<int>(bones.size());
    for (const std::string& name : notBones) {
        survey.silent.push_back(
            {"skin-binding-skipped",
             fmt::format("skin of \"{}\": the vertices bound to \"{}\" lose that binding, "
                         "because \"{}\" is not a bone of the skeleton",
                         skin.node, name, name)});
    }
    if (!skin.unbalanced.empty()) {
        std::string examples;
        for (size_t i = 0; i < skin.unbalanced.size() && i < 3; ++i) {
            examples += fmt::format("{}vertex {} sums to {:g}", i == 0 ? "" : ", ",
                                    skin.unbalanced[i].first, skin.unbalanced[i].second);
        }
        survey.silent.push_back(
            {"weights-not-one",
             fmt::format("skin of \"{}\": {} weights that do not sum to one ({}{}); the script "
                         "carries them as they are, so the engine moves those vertices too far "
                         "or too little",
                         skin.node, Counted(skin.unbalanced.size(), "vertex has", "vertices have"),
                         examples, skin.unbalanced.size() > 3 ? ", ..." : "")});
    }
}

}  // namespace pellucid::cli
