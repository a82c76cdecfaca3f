// Modifiers: the skin (bone bindings per vertex), the morph channel bank, the library's own
// modifiers and an inert one.
#include <array>

#include <fmt/format.h>

#include "standalone/document/read/read_context.h"

namespace pellucid::standalone {

using simdjson::dom::element_type;

namespace {

constexpr std::string_view kModifierFields[] = {"id",
                                                "type",
                                                "vertices",
                                                "skinInitialTransform",
                                                "boneInitialTransforms",
                                                "exportInterface",
                                                "context",
                                                "channels",
                                                "name"};
enum ModifierField {
    kId,
    kType,
    kVertices,
    kSkinInitialTransform,
    kBoneInitialTransforms,
    kExportInterface,
    kContext,
    kChannels,
    kName
};

constexpr TypeFields<doc::ModifierType> kModifierTypes[] = {
    {doc::ModifierType::Physique,
     FieldSet<ModifierField>({kId, kType, kVertices, kSkinInitialTransform, kBoneInitialTransforms,
                              kExportInterface, kContext})},
    {doc::ModifierType::Morpher, FieldSet<ModifierField>({kId, kType, kChannels})},
    {doc::ModifierType::GameInfluence, FieldSet<ModifierField>({kId, kType})},
    {doc::ModifierType::ZUTMorph, FieldSet<ModifierField>({kId, kType})},
    {doc::ModifierType::Inert, FieldSet<ModifierField>({kId, kType, kName})},
};

constexpr std::string_view kSkinVertexFields[] = {"bones", "weights", "type"};
enum SkinVertexField { kBones, kWeights, kVertexType };

constexpr std::string_view kChannelFields[] = {"index",  "name",   "flags",
                                               "points", "deltas", "weight"};
enum ChannelField { kIndex, kChannelName, kFlags, kPoints, kDeltas, kWeight };

constexpr int kMorphChannels = 100;

// Vertex types of the skin's export interface: rigid 1, deformable 2, blended 4, floating 8 and
// their combinations that the skin produces.
bool IsSkinVertexType(std::int64_t type) {
    return type == 1 || type == 2 || type == 4 || type == 5 || type == 6 || type == 8;
}

}  // namespace

doc::Modifier SceneDocumentReader::ReadModifier(JsonElement value, const JsonPath& path,
                                                bool shared) {
    std::string kind;
    const auto& info =
        ReadEntryType(*this, value, path, "modifier", kModifierTypeNames, kModifierTypes, kind);

    doc::Modifier modifier;
    modifier.type = info.type;
    ForEachField(value, path, kModifierFields, [&](int field, JsonElement v, const JsonPath& p) {
        CheckFieldAllowed(info.fields, field, p, kModifierFields[field], kind);
        switch (field) {
            case kId:
                if (!shared) {
                    Fail(p, "an id is only for entries of /modifiers, which nodes share by it");
                }
                modifier.id = String(v, p);
                break;
            case kType:
                break;
            case kVertices:
                modifier.skinVertices.reserve(Array(v, p).size());
                ForEachItem(v, p, [&](std::size_t, JsonElement item, const JsonPath& itemPath) {
                    if (item.type() == element_type::NULL_VALUE) {
                        modifier.skinVertices.emplace_back();
                    } else {
                        modifier.skinVertices.emplace_back(ReadSkinVertex(item, itemPath));
                    }
                });
                break;
            case kSkinInitialTransform:
                modifier.skinInitialTransform = ReadTransform(v, p).matrix;
                break;
            case kBoneInitialTransforms:
                ReadBoneInitialTransforms(v, p, modifier);
                break;
            case kExportInterface:
                modifier.exportInterface = Bool(v, p);
                break;
            case kContext:
                modifier.context = Bool(v, p);
                break;
            case kChannels:
                ReadMorpher(v, p, modifier);
                break;
            case kName:
                modifier.name = String(v, p);
                break;
        }
    });
    return modifier;
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

void SceneDocumentReader::ReadBoneInitialTransforms(JsonElement value, const JsonPath& path,
                                                    doc::Modifier& modifier) const {
    for (simdjson::dom::key_value_pair field : Object(value, path)) {
        const JsonPath fieldPath = path.Field(field.key);
        const int bone = ResolveNodeReference(field.key, fieldPath);
        for (const auto& [known, matrix] : modifier.boneInitialTransforms) {
            if (known == bone) {
                Fail(fieldPath, fmt::format("a second initial transform for node \"{}\"",
                                            document_.nodes[static_cast<std::size_t>(bone)].name));
            }
        }
        modifier.boneInitialTransforms.emplace_back(bone,
                                                    ReadTransform(field.value, fieldPath).matrix);
    }
}

void SceneDocumentReader::ReadMorpher(JsonElement value, const JsonPath& path,
                                      doc::Modifier& modifier) {
    std::array<bool, kMorphChannels> used{};
    ForEachItem(value, path, [&](std::size_t, JsonElement item, const JsonPath& itemPath) {
        doc::MorphChannelData channel = ReadMorphChannel(item, itemPath);
        if (used[static_cast<std::size_t>(channel.index)]) {
            Fail(itemPath.Field("index"), fmt::format("channel {} is given twice", channel.index));
        }
        used[static_cast<std::size_t>(channel.index)] = true;
        modifier.channels.push_back(std::move(channel));
    });
}

doc::MorphChannelData SceneDocumentReader::ReadMorphChannel(JsonElement value,
                                                            const JsonPath& path) {
    doc::MorphChannelData channel;
    channel.weight.constant = true;
    channel.weight.keys.push_back({0, 0.0f});
    auto readFlag = [&](JsonElement flag, const JsonPath& flagPath) {
        if (flag.type() == element_type::BOOL) {
            return flag.get_bool().value_unsafe() ? 1 : 0;
        }
        return Int(flag, flagPath);
    };
    const std::uint64_t seen =
        ForEachField(value, path, kChannelFields, [&](int field, JsonElement v, const JsonPath& p) {
            switch (field) {
                case kIndex:
                    channel.index = static_cast<int>(Integer(v, p, 0, kMorphChannels - 1));
                    break;
                case kChannelName:
                    channel.name = String(v, p);
                    break;
                case kFlags: {
                    const simdjson::dom::array flags = Array(v, p);
                    if (flags.size() != 2) {
                        Fail(p, "expected [hasData, enabled]");
                    }
                    channel.hasData = readFlag(flags.at(0).value_unsafe(), p.Item(0));
                    channel.enabled = readFlag(flags.at(1).value_unsafe(), p.Item(1));
                    break;
                }
                case kPoints:
                    ReadIndexArray(v, p, channel.points);
                    break;
                case kDeltas:
                    ReadPointArray(v, p, channel.deltas);
                    break;
                case kWeight:
                    channel.weight = ReadFloatTrack(v, p);
                    break;
            }
        });
    Require(seen, kChannelFields, kIndex, path);
    return channel;
}

}  // namespace pellucid::standalone
