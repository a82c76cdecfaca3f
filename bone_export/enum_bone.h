// The bone exporter's per-export worker: collects the attached objects during the scene walk and
// writes the bone script's sections from its bone tree.
#pragma once

#include <memory>
#include <vector>

#include "bone_export/bone_tree.h"
#include "host/control.h"
#include "host/interface.h"
#include "host/text_stream.h"

constexpr int MAX_BONE_ATTACH = 16;
// Entries of one bone's rotation section; a bone that needs more ends the section.
constexpr int MAX_ROTATION_ENTRIES = 2048;

class EnumBone_t : public ITreeEnumProc {
  public:
    // `out` receives the script; `out2` is the second stream of the original (the mesh exporter
    // passes `out` twice); `fileName` names the output file and is not opened here.
    EnumBone_t(TextStream* out, TextStream* out2, const char* fileName, Interface* ip);
    ~EnumBone_t() override;

    // Collects the nodes named ATTACH... (the first 16 in walk order) with their numbers.
    int callback(INode* node) override;
    // Builds the bone tree from the host's root node (no tree without one).
    void BuildTree();
    // Writes every section of the bone script; nothing when the tree has no bones.
    void Run();
    // Orders the attached objects by number; equal numbers keep their walk order.
    void SortAttachedObjects();

    void OutputAnimInit();
    void OutputHierarchy();
    void OutputBones();
    bool IsCyclic();

    void OutputAttachObjects();
    void OutputAttachKeys();
    void OutputTriggers();

    void OutputRotationKeys();
    // The bone's rotation relative to its parent bone (its world rotation without one) at each
    // of `times`, decomposed together.
    void GetBoneRotations(std::vector<Quat>& rotations, const std::vector<TimeValue>& times,
                          int boneIndex);
    // The two control quaternions of entry e of m for spline interpolation through the entries.
    void ComputeTCBControls(Quat& a, Quat& b, const std::vector<Quat>& rotations,
                            const std::vector<TimeValue>& times, int e, int m);
    void WriteRotationKey(int bone, int e, bool hasKey, const std::vector<Quat>& rotations,
                          const std::vector<TimeValue>& times, int m);

    void OutputTranslationKeys();
    // `key` is null for the single entry of a root bone without position keys.
    void WriteTranslationKey(int bone, int e, const IBezPoint3Key* key,
                             const std::vector<Point3>& positions,
                             const std::vector<TimeValue>& times, const Point3& velocity,
                             int count);

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
    // The cyclic flag, set by OutputAnimInit for the sections after it.
    bool cyclic = false;
};
