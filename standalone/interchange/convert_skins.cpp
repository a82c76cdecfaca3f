// Skins: the bone weights of a node's meshes become the bindings of a skin modifier on the node,
// with the bind pose as the initial transforms of the skin and its bones.
#include <fmt/format.h>

#include "standalone/interchange/scene_converter.h"

namespace pellucid::interchange {

void SceneConverter::AddSkin(const NodeMesh& mesh) {
    bool skinned = false;
    for (const MeshPlacement& part : mesh.parts) {
        skinned = skinned || part.mesh->mNumBones > 0;
    }
    if (!skinned) {
        return;
    }
    const std::string& name = document_.nodes[mesh.docNode].name;
    const std::size_t vertexCount = mesh.source.size();
    // Bindings are taken from the imported vertex that first gave each welded vertex its place.
    std::vector<std::vector<std::uint32_t>> firstOf(mesh.parts.size());
    for (std::size_t k = 0; k < mesh.parts.size(); ++k) {
        firstOf[k].assign(mesh.parts[k].mesh->mNumVertices, 0xffffffffu);
    }
    for (std::size_t v = 0; v < vertexCount; ++v) {
        firstOf[mesh.source[v].first][mesh.source[v].second] = static_cast<std::uint32_t>(v);
    }

    doc::Modifier skin;
    skin.type = doc::ModifierType::Physique;
    skin.skinVertices.resize(vertexCount);
    const Matrix3 skinWorld = WorldTransform(mesh.docNode);
    skin.skinInitialTransform = skinWorld;
    std::vector<bool> boundBone(document_.nodes.size(), false);
    std::size_t lostBindings = 0;
    for (std::size_t k = 0; k < mesh.parts.size(); ++k) {
        const aiMesh& source = *mesh.parts[k].mesh;
        for (unsigned b = 0; b < source.mNumBones; ++b) {
            const aiBone& bone = *source.mBones[b];
            const auto named = nodeByName_.find(bone.mName.C_Str());
            const auto found =
                named == nodeByName_.end() ? nodeIndex_.end() : nodeIndex_.find(named->second);
            if (found == nodeIndex_.end() || joints_.count(named->second) == 0) {
                lostBindings += bone.mNumWeights;
                continue;
            }
            const int boneNode = found->second;
            if (!boundBone[boneNode]) {
                boundBone[boneNode] = true;
                // The offset matrix carries the mesh at its bind place into the bone's frame.
                const Matrix3 offset =
                    Turned(ScaleUnits(ToMatrix3(bone.mOffsetMatrix), options_.scale));
                skin.boneInitialTransforms.emplace_back(boneNode, Inverse(offset) * skinWorld);
            }
            for (unsigned w = 0; w < bone.mNumWeights; ++w) {
                const aiVertexWeight& weight = bone.mWeights[w];
                if (weight.mVertexId >= firstOf[k].size() || !(weight.mWeight > 0.0f)) {
                    continue;
                }
                const std::uint32_t v = firstOf[k][weight.mVertexId];
                if (v == 0xffffffffu) {
                    continue;  // welded onto a vertex that an earlier one bound already
                }
                auto& binding = skin.skinVertices[v];
                if (!binding) {
                    binding.emplace();
                }
                binding->bones.push_back(boneNode);
                binding->weights.push_back(weight.mWeight);
            }
        }
    }
    std::size_t unbound = 0;
    for (auto& binding : skin.skinVertices) {
        if (binding) {
            binding->type = binding->bones.size() == 1 ? 1 : 5;  // rigid, or rigid blended
        } else {
            ++unbound;
        }
    }
    if (lostBindings > 0) {
        Note("dropped", fmt::format("{} weight{} of skin \"{}\" on joints that are not bones",
                                    lostBindings, lostBindings == 1 ? "" : "s", name));
    }
    if (unbound > 0) {
        Note("changed", fmt::format("{} vertices of skin \"{}\" have no weight and do not follow "
                                    "the skeleton",
                                    unbound, name));
    }
    const int index = static_cast<int>(document_.modifiers.size());
    document_.modifiers.push_back(std::move(skin));
    document_.nodes[mesh.docNode].modifiers.insert(document_.nodes[mesh.docNode].modifiers.begin(),
                                                   index);
}

}  // namespace pellucid::interchange
