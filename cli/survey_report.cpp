#include "cli/survey_report.h"

#include <fmt/format.h>

#include <ostream>

#include "host/material.h"

namespace pellucid::cli {

namespace {

std::string Counts(const SurveyNode& node) {
    if (node.vertices < 0) {
        return "";
    }
    return fmt::format("  {}, {}",
                       Counted(static_cast<size_t>(node.vertices), "vertex", "vertices"),
                       Counted(static_cast<size_t>(node.faces), "face", "faces"));
}

std::string TextureLine(const SurveyTexture& texture) {
    std::string line =
        fmt::format("material {} \"{}\", {} map{}: ", texture.material, texture.materialName,
                    texture.slot, texture.masked ? " (masked)" : "");
    if (texture.recorded.empty()) {
        return line + "no file name, no line written";
    }
    line += texture.recorded;
    if (texture.written != texture.recorded) {
        line += " -> " + texture.written;
    }
    if (!texture.loaded) {
        return line + (texture.image.empty()
                           ? ", no image, no line written"
                           : fmt::format(", image {} missing, no line written", texture.image));
    }
    line += fmt::format(", {} x {} pixels", texture.width, texture.height);
    if (!texture.image.empty()) {
        line += ", image " + texture.image;
    }
    if (!texture.onDriveP) {
        line += ", not on drive P";
    }
    if (!texture.sizeLegal) {
        line += ", size not a power of two from 8 to 2048";
    }
    return line;
}

// The role as reports with reasons show it: "not used" rather than the tree's short "-".
std::string UsedRole(const std::string& role) {
    return role == "-" ? "not used" : role;
}

// {"role": code, "text", "why", "warned"}, then the role's numbers (null for none) and nodes.
void WriteRole(standalone::JsonWriter& json, const SurveyRole& role) {
    json.BeginObject();
    json.StringField("role", role.code);
    json.StringField("text", UsedRole(role.text));
    json.StringField("why", role.why);
    json.BoolField("warned", role.warned);
    for (const auto& [key, number] : role.numbers) {
        json.Key(key);
        if (number < 0) {
            json.Null();
        } else {
            json.Int(number);
        }
    }
    for (const auto& [key, name] : role.nodes) {
        json.StringField(key, name);
    }
    json.EndObject();
}

const char* NameOf(Mtl* material) {
    const char* name = material != nullptr ? material->GetName() : nullptr;
    return name != nullptr ? name : "";
}

// A material's number in the main object's material list: "exportIndex", null when no face of
// the main object uses it. Written for the main object only.
void WriteExportIndex(standalone::JsonWriter& json, const SceneSurvey& survey, Mtl* material) {
    json.Key("exportIndex");
    for (size_t i = 0; i < survey.materials.size(); ++i) {
        if (survey.materials[i].material == material) {
            json.Int(static_cast<int64_t>(i));
            return;
        }
    }
    json.Null();
}

// null, or {"name"} with, for a multi/sub-object material, "subMaterials": [{"index", "name"}]
// (a face's material id selects its sub-material by index, wrapping around); on the main object
// each with its "exportIndex".
void WriteNodeMaterial(standalone::JsonWriter& json, const SceneSurvey& survey,
                       const SurveyNode& node, bool main) {
    json.Key("material");
    Mtl* material = node.nodeMaterial;
    if (material == nullptr) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.StringField("name", NameOf(material));
    if (material->ClassID() != multiMtlClassID) {
        if (main) {
            WriteExportIndex(json, survey, material);
        }
        json.EndObject();
        return;
    }
    json.Key("subMaterials");
    json.BeginArray();
    for (int k = 0; k < material->NumSubMtls(); ++k) {
        Mtl* sub = material->GetSubMtl(k);
        json.BeginObject();
        json.IntField("index", k);
        json.Key("name");
        if (sub == nullptr) {
            json.Null();
        } else {
            json.String(NameOf(sub));
        }
        if (main) {
            WriteExportIndex(json, survey, sub);
        }
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

void WriteNode(standalone::JsonWriter& json, const SceneSurvey& survey, size_t index) {
    const SurveyNode& node = survey.nodes[index];
    json.BeginObject();
    json.StringField("name", node.node->GetName());
    json.IntField("depth", node.depth);
    json.StringField("objectClass", node.objectClass);
    WriteNodeMaterial(json, survey, node, static_cast<int>(index) == survey.mainObject);
    if (node.vertices >= 0) {
        json.IntField("vertices", node.vertices);
        json.IntField("faces", node.faces);
    }
    json.Key("meshExport");
    WriteRole(json, node.meshRole);
    if (!node.boneRole.text.empty()) {
        json.Key("boneExport");
        WriteRole(json, node.boneRole);
    }
    if (node.bone >= 0) {
        json.IntField("bone", node.bone);
    }
    json.EndObject();
}

void WriteTexture(standalone::JsonWriter& json, const SurveyTexture& texture) {
    json.BeginObject();
    json.IntField("material", texture.material);
    json.StringField("materialName", texture.materialName);
    json.StringField("slot", texture.slot);
    json.BoolField("masked", texture.masked);
    json.StringField("file", texture.recorded);
    json.StringField("path", texture.written);
    json.BoolField("onDriveP", texture.onDriveP);
    json.StringField("image", texture.image);
    json.BoolField("loaded", texture.loaded);
    json.IntField("width", texture.width);
    json.IntField("height", texture.height);
    json.BoolField("sizeLegal", texture.sizeLegal);
    json.BoolField("written", texture.Written());
    json.EndObject();
}

void WriteSkin(standalone::JsonWriter& json, const SkinSurvey& skin) {
    json.BeginObject();
    json.StringField("node", skin.node);
    json.IntField("vertices", skin.vertices);
    json.IntField("rigidVertices", skin.rigidVertices);
    json.IntField("blendedVertices", skin.blendedVertices);
    json.IntField("unboundVertices", skin.unboundVertices);
    json.IntField("bones", skin.bones);
    json.Key("unbalancedVertices");
    json.BeginInlineArray();
    for (const auto& [vertex, sum] : skin.unbalanced) {
        json.Int(vertex);
    }
    json.EndInlineArray();
    json.EndObject();
}

}  // namespace

void PrintNodeTree(std::ostream& out, const SceneSurvey& survey, bool why) {
    out << "Scene Root\n";
    for (const SurveyNode& node : survey.nodes) {
        const std::string indent(static_cast<size_t>(node.depth + 1) * 2, ' ');
        std::string line = fmt::format("{}{}  [{}]{}  material: {}", indent, node.node->GetName(),
                                       node.objectClass, Counts(node), node.material);
        if (why) {
            out << line << "\n";
            out << fmt::format("{}    mesh export: {} - {}\n", indent, UsedRole(node.meshRole.text),
                               node.meshRole.why);
            if (!node.boneRole.text.empty()) {
                out << fmt::format("{}    bone export: {} - {}\n", indent, node.boneRole.text,
                                   node.boneRole.why);
            }
            continue;
        }
        line += "  mesh export: " + node.meshRole.text;
        if (node.bone >= 0) {
            line += "  " + node.boneRole.text;
        } else if (!node.boneRole.text.empty()) {
            line += "  bone export: " + node.boneRole.text;
        }
        out << line << "\n";
    }
}

void PrintSkeletonCounts(std::ostream& out, const SceneSurvey& survey) {
    out << fmt::format("{}, {}\n", Counted(survey.bones.size(), "bone", "bones"),
                       Counted(static_cast<size_t>(survey.triggers), "trigger", "triggers"));
}

void PrintObjectSummary(std::ostream& out, const SceneSurvey& survey) {
    if (survey.mainObject < 0) {
        out << "no object to export\n";
        return;
    }
    const SurveyNode& main = survey.nodes[static_cast<size_t>(survey.mainObject)];
    out << fmt::format("object \"{}\": {}, {}, {}, {}\n", main.node->GetName(),
                       Counted(static_cast<size_t>(main.vertices), "vertex", "vertices"),
                       Counted(static_cast<size_t>(main.faces), "face", "faces"),
                       Counted(survey.materials.size(), "material", "materials"),
                       Counted(survey.textures.size(), "texture", "textures"));
    for (size_t i = 0; i < survey.materials.size(); ++i) {
        const SurveyMaterial& material = survey.materials[i];
        out << fmt::format("  material {}: {}\n", i,
                           material.material == nullptr ? "none (faces without a material)"
                                                        : "\"" + material.name + "\"");
    }
    for (const SurveyTexture& texture : survey.textures) {
        out << "  " << TextureLine(texture) << "\n";
    }
    const SkinSurvey& skin = survey.skin;
    if (!skin.node.empty()) {
        out << fmt::format("skin \"{}\": {} ({} rigid, {} blended, {} unbound) on {}\n", skin.node,
                           Counted(static_cast<size_t>(skin.vertices), "vertex", "vertices"),
                           skin.rigidVertices, skin.blendedVertices, skin.unboundVertices,
                           Counted(static_cast<size_t>(skin.bones), "bone", "bones"));
    }
}

void WriteSurveyJson(standalone::JsonWriter& json, const SceneSurvey& survey) {
    json.Key("nodes");
    json.BeginArray();
    for (size_t i = 0; i < survey.nodes.size(); ++i) {
        WriteNode(json, survey, i);
    }
    json.EndArray();
    json.Key("mainObject");
    if (survey.mainObject >= 0) {
        json.String(survey.nodes[static_cast<size_t>(survey.mainObject)].node->GetName());
    } else {
        json.Null();
    }
    json.Key("materials");
    json.BeginArray();
    for (const SurveyMaterial& material : survey.materials) {
        if (material.material == nullptr) {
            json.Null();
        } else {
            json.String(material.name);
        }
    }
    json.EndArray();
    json.Key("textures");
    json.BeginArray();
    for (const SurveyTexture& texture : survey.textures) {
        WriteTexture(json, texture);
    }
    json.EndArray();
    json.Key("skin");
    if (survey.skin.node.empty()) {
        json.Null();
    } else {
        WriteSkin(json, survey.skin);
    }
    json.IntField("bones", static_cast<int64_t>(survey.bones.size()));
    json.IntField("triggers", survey.triggers);
}

}  // namespace pellucid::cli
