#include <string>
#include <unordered_set>
#include <vector>

#include "mesh_export/enum_mesh.h"
#include "mesh_export/unc_path.h"
#include "plugin/debug_log.h"

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

}  // namespace

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
