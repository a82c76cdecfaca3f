// Modifiers: the skin (bone bindings per vertex), the morph channel bank, the library's own
// modifiers and an inert one.
#include <array>

#include <fmt/format.h>

#include "standalone/document/read/read_described.h"

namespace pellucid::standalone {

using simdjson::dom::element_type;

namespace {

constexpr std::string_view kSkinVertexFields[] = {"bones", "weights", "type"};
enum SkinVertexField { kBones, kWeights, kVertexType };

// Vertex types of the skin's export interface: rigid 1, deformable 2, blended 4, floating 8 and
// their combinations that the skin produces.
bool IsSkinVertexType(std::int64_t type) {
    return type == 1 || type == 2 || type == 4 || type == 5 || type == 6 || type == 8;
}

}  // namespace

doc::Modifier SceneDocumentReader::ReadModifier(JsonElement value, const JsonPath& path,
                                                bool shared) {
    doc::Modifier modifier;
    ReadTypedEntry(*this, value, path, shared, "modifier", kModifierTypeNames, modifier);
    return modifier;
}

void SceneDocumentReader::ReadSkinVertices(JsonElement value, const JsonPath& path,
                                           std::vector<std::optional<doc::SkinVertex>>& out) {
    out.reserve(Array(value, path).size());
    ForEachItem(value, path, [&](std::size_t, JsonElement item, const JsonPath& itemPath) {
        if (item.type() == element_type::NULL_VALUE) {
            out.emplace_back();
        } else {
            out.emplace_back(ReadSkinVertex(item, itemPath));
        }
    });
}

doc::SkinVertex SceneDocumentReader::ReadSkinVertex(JsonElement value, const JsonPath& path) {
    doc::SkinVertex vertex;
    JsonElement weights;
    bool hasType = false;
    const std::uint64_t seen = ForEachField(
        value, path, kSkinVertexFields, [&](int field, JsonElement v, const JsonPath& p) {
            switch (field) {
                case kBones:
                    vertex.bones.reserve(Array(v, p).size());
                    ForEachItem(v, p, [&](std::size_t, JsonElement bone, const JsonPath& bonePath) {
                        vertex.bones.push_back(ReadNodeReference(bone, bonePath, false));
                    });
                    break;
                case kWeights:
                    weights = v;
                    break;
                case kVertexType: {
                    const std::int64_t type = Integer(v, p, 0, 15);
                    if (!IsSkinVertexType(type)) {
                        Fail(p, "expected a vertex type of 1, 2, 4, 5, 6 or 8");
                    }
                    vertex.type = static_cast<int>(type);
                    hasType = true;
                    break;
                }
            }
        });
    Require(seen, kSkinVertexFields, kBones, path);
    const std::size_t boneCount = vertex.bones.size();
    if (boneCount == 0) {
        Fail(path.Field("bones"), "expected at least one bone");
    }
    if ((seen & (1u << kWeights)) != 0) {
        const JsonPath weightsPath = path.Field("weights");
        ReadFloatArray(weights, weightsPath, vertex.weights);
        if (vertex.weights.size() != boneCount) {
            Fail(weightsPath, fmt::format("expected {} weights, one per bone, found {}", boneCount,
                                          vertex.weights.size()));
        }
    } else {
        vertex.weights.assign(boneCount, 1.0f / static_cast<float>(boneCount));
    }
    if (!hasType) {
        vertex.type = boneCount == 1 ? 1 : 5;
    }
    return vertex;
}

void SceneDocumentReader::ReadBoneInitialTransforms(
    JsonElement value, const JsonPath& path, std::vector<std::pair<int, Matrix3>>& out) const {
    for (simdjson::dom::key_value_pair field : Object(value, path)) {
        const JsonPath fieldPath = path.Field(field.key);
        const int bone = ResolveNodeReference(field.key, fieldPath);
        for (const auto& [known, matrix] : out) {
            if (known == bone) {
                Fail(fieldPath, fmt::format("a second initial transform for node \"{}\"",
                                            document_.nodes[static_cast<std::size_t>(bone)].name));
            }
        }
        out.emplace_back(bone, ReadTransform(field.value, fieldPath).matrix);
    }
}

void SceneDocumentReader::ReadMorphChannels(JsonElement value, const JsonPath& path,
                                            std::vector<doc::MorphChannelData>& out) {
    std::array<bool, kMorphChannels> used{};
    ForEachItem(value, path, [&](std::size_t, JsonElement item, const JsonPath& itemPath) {
        doc::MorphChannelData channel;
        channel.weight.constant = true;
        channel.weight.keys.push_back({0, 0.0f});
        ReadDescribed(*this, item, itemPath, channel);
        if (used[static_cast<std::size_t>(channel.index)]) {
            Fail(itemPath.Field("index"), fmt::format("channel {} is given twice", channel.index));
        }
        used[static_cast<std::size_t>(channel.index)] = true;
        out.push_back(std::move(channel));
    });
}

void SceneDocumentReader::ReadFlagPair(JsonElement value, const JsonPath& path, int& first,
                                       int& second) const {
    const simdjson::dom::array flags = Array(value, path);
    if (flags.size() != 2) {
        Fail(path, "expected [hasData, enabled]");
    }
    auto readFlag = [&](JsonElement flag, const JsonPath& flagPath) {
        if (flag.type() == element_type::BOOL) {
            return flag.get_bool().value_unsafe() ? 1 : 0;
        }
        return Int(flag, flagPath);
    };
    first = readFlag(flags.at(0).value_unsafe(), path.Item(0));
    second = readFlag(flags.at(1).value_unsafe(), path.Item(1));
}

}  // namespace pellucid::standalone
