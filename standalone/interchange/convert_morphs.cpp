// Morph targets: the imported meshes' animation meshes become morph channels holding offsets from
// the base mesh, one channel per target, named as the file names them.
#include <algorithm>
#include <cmath>

#include <fmt/format.h>

#include "standalone/interchange/scene_converter.h"

namespace pellucid::interchange {

// The morph modifier holds channels 0 to 99.
constexpr unsigned kMaxChannels = 100;

void SceneConverter::AddMorphs(const NodeMesh& mesh) {
    unsigned targets = 0;
    for (const MeshPlacement& part : mesh.parts) {
        targets = std::max(targets, part.mesh->mNumAnimMeshes);
    }
    if (targets == 0) {
        return;
    }
    const std::string& name = document_.nodes[mesh.docNode].name;
    if (targets > kMaxChannels) {
        Note("dropped", fmt::format("{} of {} morph targets of mesh \"{}\" (the morph modifier "
                                    "holds {} channels)",
                                    targets - kMaxChannels, targets, name, kMaxChannels));
        targets = kMaxChannels;
    }
    const std::size_t vertexCount = mesh.source.size();
    doc::Modifier morpher;
    morpher.type = doc::ModifierType::Morpher;
    for (unsigned t = 0; t < targets; ++t) {
        doc::MorphChannelData channel;
        channel.index = static_cast<int>(t);
        channel.hasData = 1;
        channel.enabled = 1;
        channel.deltas.assign(vertexCount, Point3());
        float weight = 0.0f;
        for (std::size_t v = 0; v < vertexCount; ++v) {
            const aiMesh& base = *mesh.parts[mesh.source[v].first].mesh;
            const unsigned i = mesh.source[v].second;
            if (t >= base.mNumAnimMeshes || base.mAnimMeshes[t] == nullptr) {
                continue;
            }
            const aiAnimMesh& target = *base.mAnimMeshes[t];
            if (target.mVertices == nullptr || i >= target.mNumVertices) {
                continue;
            }
            const aiVector3D d = target.mVertices[i] - base.mVertices[i];
            channel.deltas[v] =
                Turned(Point3(d.x * options_.scale, d.y * options_.scale, d.z * options_.scale));
            if (d.x != 0.0f || d.y != 0.0f || d.z != 0.0f) {
                channel.points.push_back(static_cast<int>(v));
            }
        }
        for (const MeshPlacement& part : mesh.parts) {
            if (t < part.mesh->mNumAnimMeshes && part.mesh->mAnimMeshes[t] != nullptr) {
                const aiAnimMesh& target = *part.mesh->mAnimMeshes[t];
                if (channel.name.empty()) {
                    channel.name = Text(target.mName);
                }
                weight = std::isfinite(target.mWeight) ? target.mWeight : 0.0f;
            }
        }
        if (channel.name.empty()) {
            channel.name = fmt::format("Target {}", t);
        }
        channel.weight.constant = true;
        channel.weight.keys.push_back({0, weight * 100.0f});
        morpher.channels.push_back(std::move(channel));
    }
    const int index = static_cast<int>(document_.modifiers.size());
    document_.modifiers.push_back(std::move(morpher));
    document_.nodes[mesh.docNode].modifiers.push_back(index);
}

}  // namespace pellucid::interchange
