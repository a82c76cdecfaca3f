#include "bone_export/enum_bone.h"

#include <utility>

#include "host/cstr.h"
#include "mesh_export/node_class.h"

EnumBone_t::EnumBone_t(TextStream* stream, TextStream* stream2, const char* fileName, Interface* ip)
    : out(stream), out2(stream2), host(ip) {
    attachNodes.reserve(MAX_BONE_ATTACH);
    attachIds.reserve(MAX_BONE_ATTACH);
}

EnumBone_t::~EnumBone_t() = default;

int EnumBone_t::callback(INode* node) {
    const char* name = node->GetName() ? node->GetName() : "";
    CStr prefix = CStr(name).Substr(0, 6);
    prefix.toUpper();
    if (prefix == "ATTACH" && attachCount < MAX_BONE_ATTACH) {
        attachNodes.push_back(node);
        attachIds.push_back(NameNumber(name, 6, 3));
        ++attachCount;
    }
    return TREE_CONTINUE;
}

void EnumBone_t::BuildTree() {
    INode* root = host != nullptr ? host->GetRootNode() : nullptr;
    if (root != nullptr) {
        tree = std::make_unique<BoneTree>(root, host);
    } else {
        tree.reset();
    }
}

void EnumBone_t::SortAttachedObjects() {
    // An exchange sort that steps back after each swap: stable, and short lists only (16 at most).
    int i = 0;
    while (i < attachCount - 1) {
        const auto here = static_cast<size_t>(i);
        if (attachIds[here] > attachIds[here + 1]) {
            std::swap(attachIds[here], attachIds[here + 1]);
            std::swap(attachNodes[here], attachNodes[here + 1]);
            if (i > 0) {
                --i;
            }
        } else {
            ++i;
        }
    }
}

void EnumBone_t::Run() {
    if (tree == nullptr || tree->boneCount == 0) {
        return;
    }
    SortAttachedObjects();
    OutputAnimInit();
    OutputHierarchy();
    OutputAttachObjects();
    OutputAttachKeys();
    OutputRotationKeys();
    OutputTranslationKeys();
    OutputTriggers();
}
