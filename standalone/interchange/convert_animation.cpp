// Animation: one of the file's animations becomes keyed controllers: positions as Bezier keys
// with tangents from the neighbouring samples, rotations as TCB keys, scales as linear keys, and
// morph weights as weight tracks; times in ticks.
#include <assimp/anim.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

#include <fmt/format.h>

#include "host/decomp.h"
#include "standalone/interchange/scene_converter.h"

namespace pellucid::interchange {

namespace {

constexpr double kTicksPerSecond = 4800.0;

// The key whose value holds at time 0: the last one at or before 0, else the first.
template <typename Key>
const Key* KeyAtZero(const std::vector<Key>& keys) {
    const Key* found = keys.empty() ? nullptr : &keys.front();
    for (const Key& key : keys) {
        if (key.time <= 0) {
            found = &key;
        }
    }
    return found;
}

// Bezier tangents in units per tick from the neighbouring keys, so that the curve passes through
// every sample with the slope the samples suggest. The in tangent points back in time.
void SetTangents(std::vector<doc::PositionKey>& keys) {
    const std::size_t n = keys.size();
    for (std::size_t i = 0; i < n && n > 1; ++i) {
        const std::size_t before = i == 0 ? 0 : i - 1;
        const std::size_t after = i + 1 == n ? i : i + 1;
        const double span = static_cast<double>(keys[after].time) - keys[before].time;
        if (span <= 0.0) {
            continue;
        }
        const Point3 d = keys[after].value - keys[before].value;
        const Point3 slope(static_cast<float>(d.x / span), static_cast<float>(d.y / span),
                           static_cast<float>(d.z / span));
        keys[i].outTangent = slope;
        keys[i].inTangent = Point3(-slope.x, -slope.y, -slope.z);
    }
}

}  // namespace

int SceneConverter::ToTicks(double time) const {
    const double ticks = std::round(time / ticksPerSecond_ * kTicksPerSecond);
    if (!std::isfinite(ticks)) {
        return 0;
    }
    return static_cast<int>(std::clamp(ticks, -1.0e9, 1.0e9));
}

const aiAnimation* SceneConverter::ChooseAnimation() {
    if (options_.animation.empty()) {
        return scene_.mNumAnimations > 0 ? scene_.mAnimations[0] : nullptr;
    }
    std::string names;
    for (unsigned a = 0; a < scene_.mNumAnimations; ++a) {
        const aiAnimation* animation = scene_.mAnimations[a];
        if (options_.animation == animation->mName.C_Str()) {
            return animation;
        }
        names += fmt::format("{}\"{}\"", names.empty() ? "" : ", ", animation->mName.C_Str());
    }
    if (names.empty()) {
        throw ConversionError(
            fmt::format("has no animation \"{}\": it holds no animations", options_.animation));
    }
    throw ConversionError(
        fmt::format("has no animation \"{}\"; its animations are {}", options_.animation, names));
}

void SceneConverter::ConvertAnimation() {
    const aiAnimation* animation = ChooseAnimation();
    if (animation == nullptr) {
        return;
    }
    ConversionReport& report = result_.report;
    report.animation = animation->mName.length > 0 ? Text(animation->mName) : "(unnamed)";
    if (scene_.mNumAnimations > 1) {
        Note("dropped",
             fmt::format("{} further animation{} (one is converted; choose it with "
                         "--animation NAME)",
                         scene_.mNumAnimations - 1, scene_.mNumAnimations == 2 ? "" : "s"));
    }
    ticksPerSecond_ = animation->mTicksPerSecond > 0.0 && std::isfinite(animation->mTicksPerSecond)
                          ? animation->mTicksPerSecond
                          : 25.0;
    int end = std::max(0, ToTicks(animation->mDuration));

    for (unsigned c = 0; c < animation->mNumChannels; ++c) {
        const aiNodeAnim& channel = *animation->mChannels[c];
        const auto named = nodeByName_.find(channel.mNodeName.C_Str());
        const auto found =
            named == nodeByName_.end() ? nodeIndex_.end() : nodeIndex_.find(named->second);
        if (found == nodeIndex_.end()) {
            Note("dropped", fmt::format("animation of \"{}\", which is not a node of the scene",
                                        channel.mNodeName.C_Str()));
            continue;
        }
        const int index = found->second;
        doc::Node& node = document_.nodes[index];
        // Keys are local values: they turn as the transforms do, and the top nodes' positions
        // take the folded root's translation.
        const Point3 shift = parentOf_[index] < 0 && rootFolded_ ? topShift_ : Point3();

        AffineParts rest;
        decomp_affine(node.transform.matrix, &rest);
        Point3 position = rest.t;
        Quat rotation = rest.q;
        Point3 scale = rest.k;

        // A channel's keys in time order (a key at or before the tick of the key before it is
        // left out), counted; the animation ends at the last key at the earliest.
        const auto readKeys = [&](auto& controller, const auto* fileKeys, unsigned count,
                                  int& counted, const auto& value) {
            for (unsigned k = 0; k < count; ++k) {
                typename std::decay_t<decltype(controller.keys)>::value_type made;
                made.time = ToTicks(fileKeys[k].mTime);
                if (!controller.keys.empty() && made.time <= controller.keys.back().time) {
                    continue;
                }
                made.value = value(fileKeys[k].mValue);
                controller.keys.push_back(made);
            }
            counted += static_cast<int>(controller.keys.size());
            end = std::max(end, controller.keys.back().time);
        };
        if (channel.mNumPositionKeys > 0) {
            doc::Controller<doc::PositionKey> keys;
            keys.kind = doc::ControllerKind::Bezier;
            const float s = options_.scale;
            readKeys(keys, channel.mPositionKeys, channel.mNumPositionKeys,
                     report.counts.positionKeys, [&](const aiVector3D& v) {
                         return Turned(Point3(v.x * s, v.y * s, v.z * s)) + shift;
                     });
            SetTangents(keys.keys);
            position = KeyAtZero(keys.keys)->value;
            node.position = std::move(keys);
        }
        if (channel.mNumRotationKeys > 0) {
            doc::Controller<doc::RotationKey> keys;
            keys.kind = doc::ControllerKind::Tcb;
            readKeys(keys, channel.mRotationKeys, channel.mNumRotationKeys,
                     report.counts.rotationKeys,
                     [&](const aiQuaternion& q) { return Turned(ToQuat(q)); });
            rotation = KeyAtZero(keys.keys)->value;
            node.rotation = std::move(keys);
        }
        if (channel.mNumScalingKeys > 0) {
            doc::Controller<doc::ScaleKey> keys;
            keys.kind = doc::ControllerKind::Linear;
            readKeys(keys, channel.mScalingKeys, channel.mNumScalingKeys, report.counts.scaleKeys,
                     [&](const aiVector3D& v) { return TurnedScale(Point3(v.x, v.y, v.z)); });
            scale = KeyAtZero(keys.keys)->value;
            node.scale = std::move(keys);
        }
        // The transform at time 0, which the tree's other work (skins, their bind places) reads.
        node.transform.matrix = ScaleMatrix(scale) * QuatToMatrix(rotation) * TransMatrix(position);
    }
    ConvertMorphWeights(*animation);
    document_.settings.animationStart = 0;
    document_.settings.animationEnd = end;
}

void SceneConverter::ConvertMorphWeights(const aiAnimation& animation) {
    for (unsigned c = 0; c < animation.mNumMorphMeshChannels; ++c) {
        const aiMeshMorphAnim& channel = *animation.mMorphMeshChannels[c];
        // Channels are named after their node, sometimes with a "*" and the mesh number after it.
        std::string name = channel.mName.C_Str();
        auto named = nodeByName_.find(name);
        if (named == nodeByName_.end() && name.find('*') != std::string::npos) {
            named = nodeByName_.find(name.substr(0, name.find('*')));
        }
        const auto found =
            named == nodeByName_.end() ? nodeIndex_.end() : nodeIndex_.find(named->second);
        doc::Modifier* morpher = nullptr;
        if (found != nodeIndex_.end()) {
            for (const NodeMesh& mesh : meshes_) {
                if (mesh.docNode == found->second || parentOf_[mesh.docNode] == found->second) {
                    for (int m : document_.nodes[mesh.docNode].modifiers) {
                        if (document_.modifiers[m].type == doc::ModifierType::Morpher) {
                            morpher = &document_.modifiers[m];
                        }
                    }
                }
            }
        }
        if (morpher == nullptr) {
            Note("dropped", fmt::format("morph weight animation of \"{}\", which has no morph "
                                        "targets in the scene",
                                        name));
            continue;
        }
        std::vector<bool> started(morpher->channels.size(), false);
        for (unsigned k = 0; k < channel.mNumKeys; ++k) {
            const aiMeshMorphKey& key = channel.mKeys[k];
            const int time = ToTicks(key.mTime);
            for (unsigned i = 0; i < key.mNumValuesAndWeights; ++i) {
                const unsigned target = key.mValues[i];
                if (target >= morpher->channels.size()) {
                    continue;
                }
                doc::FloatTrack& track = morpher->channels[target].weight;
                if (!started[target]) {
                    started[target] = true;
                    track = doc::FloatTrack();
                }
                if (!track.keys.empty() && time <= track.keys.back().time) {
                    continue;
                }
                const double weight = std::isfinite(key.mWeights[i]) ? key.mWeights[i] : 0.0;
                track.keys.push_back({time, static_cast<float>(weight * 100.0)});
            }
        }
    }
}

}  // namespace pellucid::interchange
