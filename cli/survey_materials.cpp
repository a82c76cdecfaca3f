// The main object's material list and the textures that the mesh export reaches through it, found
// as the exporter finds them but without its traces and message boxes.
#include <fmt/format.h>

#include <cmath>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "cli/scene_survey.h"
#include "host/material.h"
#include "host/render_mesh.h"
#include "mesh_export/enum_mesh.h"
#include "mesh_export/materials.h"

namespace pellucid::cli {

namespace {

bool IsLegalTextureSize(int size) {
    return size >= 8 && size <= 2048 && (size & (size - 1)) == 0;
}

Mtl* FaceMaterial(INode* node, const Mesh& mesh, int face) {
    Mtl* material = node->GetMtl();
    if (material == nullptr || material->ClassID() != multiMtlClassID) {
        return material;
    }
    const int count = material->NumSubMtls();
    return count > 0 ? material->GetSubMtl(mesh.getFaceMtlIndex(face) % count) : nullptr;
}

std::string NameOf(Mtl* material) {
    const char* name = material != nullptr ? material->GetName() : nullptr;
    return name != nullptr ? name : "";
}

class TextureWalk {
  public:
    TextureWalk(standalone::StandaloneHost& host, SceneSurvey& survey) : survey_(survey) {
        for (const standalone::MapEntry& entry : host.GetScene().Maps()) {
            sources_.emplace(entry.map.get(), &entry.source);
        }
    }

    // Every slot of material `index`, as the exporter walks them: bitmaps are visited, an
    // RGB-multiply map walks its sub-maps, a mask map its map (marking the lines masked), other
    // maps end the walk; a map already on the path ends it too. The walk keeps its own stack, so
    // long chains of maps do not reach the call stack.
    void Material(int index, Mtl* material) {
        for (int slot = 0; slot < material->NumSubTexmaps(); ++slot) {
            const char* slotName = material->GetSubTexmapSlotName(slot);
            std::string command = slotName != nullptr ? slotName : "";
            if (command.compare(0, 7, "Diffuse") == 0) {
                command = "Diffuse";
            }
            Walk(index, material, slot, command);
        }
    }

  private:
    struct Step {
        MtlBase* owner = nullptr;
        int slot = 0;
        bool masked = false;
        Texmap* leave = nullptr;  // set: the walk below this map is done
    };

    void Walk(int index, MtlBase* owner, int slot, const std::string& command) {
        std::unordered_set<Texmap*> onPath;
        std::vector<Step> pending{{owner, slot, false, nullptr}};
        while (!pending.empty()) {
            const Step step = pending.back();
            pending.pop_back();
            if (step.leave != nullptr) {
                onPath.erase(step.leave);
                continue;
            }
            Texmap* map = step.owner->GetSubTexmap(step.slot);
            if (map == nullptr || onPath.count(map) != 0) {
                continue;
            }
            const Class_ID id = map->ClassID();
            if (id == bmTexClassID) {
                if (auto* bitmap = dynamic_cast<BitmapTex*>(map)) {
                    Bitmap(index, bitmap, command, step.masked);
                }
                continue;
            }
            if (id != rgbMultClassID && id != maskClassID) {
                continue;
            }
            onPath.insert(map);
            pending.push_back({nullptr, 0, false, map});
            if (id == maskClassID) {
                pending.push_back({map, 0, true, nullptr});
                continue;
            }
            for (int k = map->NumSubTexmaps() - 1; k >= 0; --k) {
                pending.push_back({map, k, step.masked, nullptr});
            }
        }
    }

    void Bitmap(int index, BitmapTex* map, const std::string& command, bool masked) {
        SurveyTexture texture;
        texture.material = index;
        texture.materialName = NameOf(survey_.materials[static_cast<size_t>(index)].material);
        texture.slot = command;
        texture.masked = masked;
        const char* recorded = map->GetMapName();
        texture.recorded = recorded != nullptr ? recorded : "";
        if (const auto source = sources_.find(map);
            source != sources_.end() && source->second->image.kind == doc::Image::Kind::File) {
            // As the document names it, relative to the document's folder, so that reports read
            // the same wherever the scene is.
            texture.image = source->second->image.path;
        }
        ::Bitmap* bitmap = map->GetBitmap(0);
        texture.loaded = bitmap != nullptr;
        if (bitmap != nullptr) {
            texture.width = bitmap->Width();
            texture.height = bitmap->Height();
        }
        texture.sizeLegal = IsLegalTextureSize(texture.width) && IsLegalTextureSize(texture.height);
        if (!texture.recorded.empty()) {
            std::string path;
            if (!UNCToDrivePath(texture.recorded.c_str(), path)) {
                path = texture.recorded;
            }
            texture.onDriveP = path[0] == 'p' || path[0] == 'P';
            for (char& c : path) {
                c = c == '\\' ? '/' : c;
            }
            texture.written = path;
        }
        Report(texture);
        survey_.textures.push_back(std::move(texture));
    }

    // What the exporter passes over without a word.
    void Report(const SurveyTexture& texture) {
        const std::string where = fmt::format("material {} \"{}\", {} slot", texture.material,
                                              texture.materialName, texture.slot);
        if (texture.recorded.empty()) {
            survey_.silent.push_back(
                {"texture-without-file",
                 fmt::format("{}: the bitmap records no file name, so no TMap line is written",
                             where)});
        } else if (!texture.loaded) {
            const std::string image =
                texture.image.empty() ? "the scene gives no image for it"
                                      : fmt::format("its image {} cannot be read", texture.image);
            survey_.silent.push_back(
                {"missing-image",
                 fmt::format("{}: texture {} is left out of the script without a message: {}",
                             where, texture.recorded, image)});
        }
    }

    SceneSurvey& survey_;
    std::unordered_map<Texmap*, const doc::Map*> sources_;
};

}  // namespace

void SurveyMaterials(standalone::StandaloneHost& host, SceneSurvey& survey) {
    if (survey.mainObject < 0) {
        return;
    }
    INode* node = survey.nodes[static_cast<size_t>(survey.mainObject)].node;
    Object* object = node->EvalWorldState(0, TRUE).obj;
    RenderMesh render(object, node, 0);
    const Mesh& mesh = render.mesh();

    std::unordered_map<Mtl*, int> listed;
    Mtl* nodeMaterial = node->GetMtl();
    const bool multi = nodeMaterial != nullptr && nodeMaterial->ClassID() == multiMtlClassID;
    for (int face = 0; face < mesh.getNumFaces(); ++face) {
        Mtl* material = FaceMaterial(node, mesh, face);
        if (listed.count(material) != 0) {
            continue;
        }
        const int id = mesh.getFaceMtlIndex(face);
        if (multi && id >= nodeMaterial->NumSubMtls()) {
            survey.badMaterialIds.push_back(
                {face, id, nodeMaterial->NumSubMtls(), NameOf(material)});
        }
        if (static_cast<int>(survey.materials.size()) < MAX_MATERIALS) {
            listed.emplace(material, static_cast<int>(survey.materials.size()));
            survey.materials.push_back({material, NameOf(material)});
        }
    }

    TextureWalk walk(host, survey);
    for (size_t i = 0; i < survey.materials.size(); ++i) {
        if (survey.materials[i].material != nullptr) {
            walk.Material(static_cast<int>(i), survey.materials[i].material);
        }
    }

    // The texture section ends at the first textured face with a NaN coordinate.
    const int faces = std::min(mesh.getNumFaces(), static_cast<int>(mesh.tvFace.size()));
    for (int face = 0; face < faces && survey.nanUvFace < 0; ++face) {
        Mtl* material = FaceMaterial(node, mesh, face);
        if (material == nullptr || NameOf(material).empty() || listed.count(material) == 0) {
            continue;
        }
        for (DWORD t : mesh.tvFace[static_cast<size_t>(face)].t) {
            if (t < mesh.tVerts.size() &&
                (std::isnan(mesh.tVerts[t].x) || std::isnan(mesh.tVerts[t].y))) {
                survey.nanUvFace = face;
            }
        }
    }
}

}  // namespace pellucid::cli
