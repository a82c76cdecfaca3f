#include "mesh_export/enum_mesh.h"

#include "plugin/debug_log.h"

EnumMesh_t::EnumMesh_t(TextStream* stream, TimeValue t, Interface* host, const char*)
    : out(stream), time(t), ip(host) {
    Trace("EnumMesh_t");
    INode* root = ip != nullptr ? ip->GetRootNode() : nullptr;
    if (root != nullptr) {
        boneTree = std::make_unique<BoneTree>(root, ip);
        if (boneTree->boneCount > 0) {
            boneTree->AddPhysiqueWeights();
        }
    }
}

EnumMesh_t::~EnumMesh_t() {
    Trace("~EnumMesh_t");
}

HWND EnumMesh_t::MessageOwner() {
    return ip != nullptr ? ip->GetMAXHWnd() : nullptr;
}

void EnumMesh_t::Warn(const char* text, const char* caption) {
    MessageBox(MessageOwner(), text, caption, MB_OK);
}
