// The mesh exporter's per-export worker: walks the scene as the host's tree-enumeration callback,
// picks the main object and the marker nodes, and writes the mesh script's sections to `out`.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "bone_export/bone_tree.h"
#include "host/cstr.h"
#include "host/interface.h"
#include "host/material.h"
#include "host/mesh.h"
#include "host/text_stream.h"
#include "mesh_export/render_normal.h"

// Attached objects recorded by one export; later ones are dropped without notice.
constexpr int MAX_ATTACH_NODES = 256;
// Entries of the material list; a material met when the list is full is not appended.
constexpr int MAX_MATERIALS = 2048;

class EnumMesh_t : public ITreeEnumProc {
  public:
    // `fileName` is taken but not read: the stream is opened by the caller.
    EnumMesh_t(TextStream* out, TimeValue time, Interface* ip, const char* fileName);
    ~EnumMesh_t() override;
    EnumMesh_t(const EnumMesh_t&) = delete;
    EnumMesh_t& operator=(const EnumMesh_t&) = delete;

    // Classifies and handles one node; always 0 so that the host walks the whole scene.
    int callback(INode* node) override;

    // The main object's block.
    void OutputMesh(INode* node, Object* object);

    // Geometry.
    void OutputMeshNewObject(Object* object, INode* node);
    void OutputMeshVertices(INode* node, Mesh* mesh);
    Point3 GetVertexScale(INode* node);
    void OutputMeshNormals(INode* node, Mesh* mesh);
    void OutputMeshFaces(INode* node, Mesh* mesh);
    void OutputMeshUV(INode* node, Mesh* mesh);
    // -1 when the object's transform after world-space modifiers mirrors, else +1.
    float GetMirrorSign(INode* node);

    // Materials and texture maps.
    void BuildMaterialList(INode* node, Mesh* mesh);
    // The first list position holding exactly `material` (null included), or -1.
    int GetMaterialIndex(Mtl* material);
    void CheckMaterialPtr(INode* node, Mesh* mesh, int face);
    void OutputMeshMaterials(INode* node, Mesh* mesh);
    void OutputMeshTMap(MtlBase* owner, int slot, int materialIndex, const char* slotName,
                        float amount, bool masked);
    void OutputMeshBitmapTex(BitmapTex* map, int slot, int materialIndex, const char* slotName,
                             float amount, bool masked);

    // Modifier data, collision volumes and bone influences.
    void OutputModifiers(INode* node, Mesh* mesh);
    void OutputMorpherVertices(INode* node, Modifier* morpher);
    void OutputReferences(INode* node);
    void OutputCollBox(INode* box);
    void OutputCollZone(INode* zone, INode* box);
    void OutputBonesInfluence();

    // Markers: glow points, magic vertices and attached objects.
    void OutputGlow(INode* node, Object* object);
    void OutputMagicVertex(INode* node, Object* object);
    void OutputBoneMagicVertex();
    void OutputAttachList();
    void OutputAttachObject(INode* node);

    TextStream* out;
    TimeValue time;
    Interface* ip;
    // The scene's bones; null when the host gives no root node.
    std::unique_ptr<BoneTree> boneTree;
    int numAttach = 0;
    std::vector<INode*> attachNodes;
    std::vector<int> attachIds;
    // The material list of the exported object; a face's material index is its position here.
    std::vector<Mtl*> materials;
    int numMaterials = 0;
    int numObjects = 0;
    // The normal builder of the object being written; null outside OutputMesh.
    std::unique_ptr<RenderNormal_t> normals;
    CStr attachErrors;

  private:
    // Owner window of the exporter's message boxes.
    HWND MessageOwner();
    void Warn(const char* text, const char* caption);

    // The list position of each listed material, so that lookups need no search.
    std::unordered_map<Mtl*, int> materialPositions_;
};
