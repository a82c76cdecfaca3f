// The bone exporter's per-export worker: collects the attached objects during the scene walk and
// writes the bone script's sections from its bone tree.
#pragma once

#include <memory>
#include <vector>

#include "bone_export/bone_tree.h"
#include "host/interface.h"
#include "host/text_stream.h"

constexpr int MAX_BONE_ATTACH = 16;

class EnumBone_t : public ITreeEnumProc {
public:
    // `out` receives the script; `out2` is the second stream of the original (the mesh exporter
    // passes `out` twice); `fileName` names the output file and is not opened here.
    EnumBone_t(TextStream* out, TextStream* out2, const char* fileName, Interface* ip);
    ~EnumBone_t() override;

    int callback(INode* node) override;
    // Builds the bone tree from the host's root node (no tree without one).
    void BuildTree();
    // Writes every section of the bone script.
    void Run();

    void OutputAnimInit();
    void OutputHierarchy();
    void OutputBones();
    bool IsCyclic();

    TextStream* out;
    TextStream* out2;
    Interface* host;
    std::unique_ptr<BoneTree> tree;
    int attachCount = 0;
    std::vector<INode*> attachNodes;
    std::vector<int> attachIds;
    int rangeLength = 0;
    int rangeStart = -2147483647 - 1;
    int rangeEnd = -2147483647 - 1;
};
