// Materials and maps: the material list, the material lines, and the texture-map lines with the
// slot walk and the network paths of bitmaps.
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

#include "host/interface.h"
#include "mesh_export/enum_mesh.h"
#include "mesh_export/materials.h"
#include "script/script_writers.h"
#include "services/debug_log.h"

namespace {

bool IsPowerOfTwoTextureSize(int size) {
    return size >= 8 && size <= 2048 && (size & (size - 1)) == 0;
}

// One pending step of the slot walk: sub-map `slot` of `owner`, or (with `leave` set) the point
// where the maps of a finished step come off the current path.
struct SlotStep {
    MtlBase* owner = nullptr;
    int slot = 0;
    bool masked = false;
    std::vector<Texmap*> leave;
    bool isLeave = false;
};

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares the first b.size() characters of `a` (which holds at least that many) with `b`.
bool EqualIgnoringCase(const char* a, const std::string& b) {
    for (size_t i = 0; i < b.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// The drive roots of the zero-separated list that the system gives.
std::vector<std::string> LogicalDrives() {
    const DWORD needed = GetLogicalDriveStringsA(0, nullptr);
    std::vector<char> buffer(static_cast<size_t>(needed) + 1, '\0');
    const DWORD written = GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
    std::vector<std::string> roots;
    if (written == 0 || written >= buffer.size()) {
        return roots;
    }
    for (size_t i = 0; i < written && buffer[i] != '\0';) {
        std::string root(buffer.data() + i);
        i += root.size() + 1;
        roots.push_back(std::move(root));
    }
    return roots;
}

}  // namespace

Mtl* GetMaterialPtr(INode* node, Mesh* mesh, int face) {
    Trace("GetMaterialPtr");
    Mtl* material = node->GetMtl();
    if (material == nullptr || material->ClassID() != multiMtlClassID) {
        return material;
    }
    const int count = material->NumSubMtls();
    if (count <= 0) {
        return nullptr;
    }
    return material->GetSubMtl(mesh->getFaceMtlIndex(face) % count);
}

// A map met twice on the chain ends it, so a document that loops its maps cannot hang the export.
void GetUVScale(float* uScale, float* vScale, Mtl* material) {
    Texmap* map = material->GetSubTexmap(1);
    std::unordered_set<Texmap*> seen;
    while (map != nullptr && seen.insert(map).second) {
        if (map->ClassID() == bmTexClassID) {
            auto* bitmap = dynamic_cast<BitmapTex*>(map);
            StdUVGen* uv = bitmap != nullptr ? bitmap->GetUVGen() : nullptr;
            if (uv != nullptr) {
                *uScale = uv->GetUScl(0);
                *vScale = uv->GetVScl(0);
            }
            return;
        }
        if (map->ClassID() != rgbMultClassID) {
            return;
        }
        map = map->GetSubTexmap(1);
    }
}

int EnumMesh_t::GetMaterialIndex(Mtl* material) {
    Trace("GetMaterialIndex");
    const auto found = materialPositions_.find(material);
    return found != materialPositions_.end() ? found->second : -1;
}

void EnumMesh_t::CheckMaterialPtr(INode* node, Mesh* mesh, int face) {
    Trace("CheckMaterialPtr");
    Mtl* material = node->GetMtl();
    if (material == nullptr || material->ClassID() != multiMtlClassID) {
        return;
    }
    const int id = mesh->getFaceMtlIndex(face);
    if (id >= material->NumSubMtls()) {
        const std::string text = "Illegal material index " + std::to_string(id);
        Warn(text.c_str(), "Illegal material index");
    }
}

// The check runs once for each face that brings a new material; a face with a bad id whose wrapped
// sub-material is already listed raises no warning.
void EnumMesh_t::BuildMaterialList(INode* node, Mesh* mesh) {
    Trace("BuildMaterialList");
    for (int face = 0; face < mesh->getNumFaces(); ++face) {
        Mtl* material = GetMaterialPtr(node, mesh, face);
        if (GetMaterialIndex(material) != -1) {
            continue;
        }
        CheckMaterialPtr(node, mesh, face);
        if (numMaterials < MAX_MATERIALS) {
            materialPositions_.emplace(material, numMaterials);
            materials.push_back(material);
            ++numMaterials;
        }
    }
}

void WriteMaterial(TextStream& out, Mtl* material) {
    const char* name = material->GetName();
    out << "\"" << (name != nullptr && name[0] != '\0' ? name : "NONE") << "\",";
    WriteColor(out, material->GetDiffuse(0, FALSE));
    out << ",";
    WriteColor(out, material->GetAmbient(0, FALSE));
    out << ",";
    WriteColor(out, material->GetSpecular(0, FALSE));
    out << "," << material->GetShinStr(0, FALSE) << "," << material->GetSelfIllum(0, FALSE) << ","
        << material->GetXParency(0, FALSE);
}

// A material that is not a standard material is read with the standard material's defaults for
// what only a standard material answers: filter transparency and its own shininess answer.
void EnumMesh_t::OutputMeshMaterials(INode*, Mesh*) {
    Trace("OutputMeshMaterials");
    for (int i = 0; i < numMaterials; ++i) {
        Mtl* material = materials[static_cast<size_t>(i)];
        if (material == nullptr) {
            continue;
        }
        *out << "Material(" << i << ",";
        WriteMaterial(*out, material);
        *out << ");" << endl;

        auto* standard = dynamic_cast<StdMat*>(material);
        const int transparency =
            standard != nullptr ? standard->GetTransparencyType() : TRANSP_FILTER;
        if (transparency == TRANSP_ADDITIVE) {
            *out << "MaterialTransparencyType(" << i << ", 1);" << endl;
        } else if (transparency == TRANSP_SUBTRACTIVE) {
            *out << "MaterialTransparencyType(" << i << ", -1);" << endl;
        }
        const float shininess = standard != nullptr
                                    ? standard->GetShininess(static_cast<TimeValue>(0))
                                    : material->GetShininess(0, FALSE);
        *out << "MaterialShininess(" << i << "," << shininess << ");" << endl;

        for (int slot = 0; slot < material->NumSubTexmaps(); ++slot) {
            const float amount = standard != nullptr ? standard->GetTexmapAmt(slot, 0) : 1.0f;
            OutputMeshTMap(material, slot, i, material->GetSubTexmapSlotName(slot), amount, false);
        }
    }
}

// Bitmaps are written; an RGB-multiply map walks each of its sub-maps with the same slot name and
// amount; a mask map walks its map (sub-map 0), never its mask, and marks the lines masked; other
// maps end the walk. The walk keeps its own stack (deep map chains cannot exhaust the call stack)
// and stops at a map already on its current path, so a document that loops its maps cannot hang.
void EnumMesh_t::OutputMeshTMap(MtlBase* owner, int slot, int materialIndex, const char* slotName,
                                float amount, bool masked) {
    std::vector<SlotStep> pending;
    pending.push_back(SlotStep{owner, slot, masked, {}, false});
    std::unordered_set<Texmap*> onPath;
    while (!pending.empty()) {
        SlotStep step = std::move(pending.back());
        pending.pop_back();
        if (step.isLeave) {
            for (Texmap* map : step.leave) {
                onPath.erase(map);
            }
            continue;
        }
        Trace("OutputMeshTMap");
        std::vector<Texmap*> entered;
        std::vector<SlotStep> children;
        MtlBase* current = step.owner;
        int currentSlot = step.slot;
        bool currentMasked = step.masked;
        while (current != nullptr) {
            Texmap* map = current->GetSubTexmap(currentSlot);
            if (map == nullptr || onPath.count(map) != 0) {
                break;
            }
            const Class_ID id = map->ClassID();
            if (id == bmTexClassID) {
                if (auto* bitmap = dynamic_cast<BitmapTex*>(map)) {
                    OutputMeshBitmapTex(bitmap, currentSlot, materialIndex, slotName, amount,
                                        currentMasked);
                }
                break;
            }
            if (id == rgbMultClassID) {
                onPath.insert(map);
                entered.push_back(map);
                for (int k = 0; k < map->NumSubTexmaps(); ++k) {
                    children.push_back(SlotStep{map, k, currentMasked, {}, false});
                }
                break;
            }
            if (id != maskClassID) {
                break;
            }
            onPath.insert(map);
            entered.push_back(map);
            current = map;
            currentSlot = 0;
            currentMasked = true;
            Trace("OutputMeshTMap");
        }
        if (!entered.empty()) {
            pending.push_back(SlotStep{nullptr, 0, false, std::move(entered), true});
        }
        for (auto child = children.rbegin(); child != children.rend(); ++child) {
            pending.push_back(std::move(*child));
        }
    }
}

void EnumMesh_t::OutputMeshBitmapTex(BitmapTex* map, int, int materialIndex, const char* slotName,
                                     float amount, bool masked) {
    Trace("OutputMeshBitmapTex");
    const char* mapName = map->GetMapName();
    if (mapName == nullptr || mapName[0] == '\0') {
        return;
    }
    std::string command = slotName != nullptr ? slotName : "";
    if (command.compare(0, 7, "Diffuse") == 0) {
        command = "Diffuse";
    }
    std::string path;
    if (!UNCToDrivePath(mapName, path)) {
        path = mapName;
    }
    if (path[0] != 'p' && path[0] != 'P') {
        Warn("Texture not on drive P.", "Warning");
    }
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    Bitmap* bitmap = map->GetBitmap(0);
    if (bitmap == nullptr) {
        return;
    }
    if (!IsPowerOfTwoTextureSize(bitmap->Width()) || !IsPowerOfTwoTextureSize(bitmap->Height())) {
        Warn("Illegal texture size.", "Warning");
    }
    *out << command << "TMap(" << materialIndex << ",\"" << path << "\"," << amount << ","
         << (masked ? 1 : 0) << ");" << endl;
}

bool UNCToDrivePath(const char* path, std::string& result) {
    if (path == nullptr) {
        return false;
    }
    const size_t length = std::strlen(path);
    const bool networkPath =
        (path[0] == '\\' && path[1] == '\\') || (path[0] == '/' && path[1] == '/');
    if (length < 5 || !networkPath) {
        return false;
    }
    for (const std::string& root : LogicalDrives()) {
        const std::string universal = GetUniversalName(root.c_str());
        if (universal.empty() || universal.size() > length) {
            continue;
        }
        if (EqualIgnoringCase(path, universal)) {
            result = root + (path + universal.size());
            return true;
        }
    }
    return false;
}
