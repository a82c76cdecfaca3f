// The skeleton shared by both exporters: bones numbered in pre-order with their mirror signs, the
// scene's trigger spheres, and the skin's vertex weights per bone.
#pragma once

#include <unordered_map>
#include <vector>

#include "host/interface.h"

constexpr int MAX_BONES = 256;
constexpr int MAX_TRIGGERS = 256;

struct VertexWeight_t {
    int vertex = 0;
    // Vertex position in the bone's initial frame, multiplied by the bone's sign.
    Point3 offset;
    float weight = 1.0f;
};

struct Bone_t {
    int parent = -1;
    INode* node = nullptr;
    // Product of the mirror signs of this bone's local frame and of its bone ancestors' frames.
    int sign = 1;
    // Mirror sign of this bone's own local frame.
    int ownSign = 1;
    std::vector<VertexWeight_t> weights;
    std::vector<int> vertices;
    // Nodes meant for magic vertices attached to this bone; created empty, nothing adds to it.
    std::vector<INode*> magicVertices;
};

struct Trigger_t {
    int id = 0;
    int time = 0;
    int parent = -1;
    Point3 position;
};

// Bones past MAX_BONES and triggers past MAX_TRIGGERS (in discovery order) are left out of the
// tree, with one warning each per tree; a bone left out passes its children on like a helper.
class BoneTree {
  public:
    BoneTree(INode* root, Interface* host);

    // Walks the node and everything below it in pre-order (with a work list, so that the depth of
    // the scene does not reach the call stack).
    void AddNode(INode* node, int parentIndex, int inheritedSign);
    void AddTrigger(INode* node, Object* object, int parentIndex);
    // The first bone index whose node is `node`, else -1.
    int IndexOfNode(INode* node) const;
    void GetBonePosition(Point3& position, int boneIndex, TimeValue time);
    INode* RootBoneNode() const { return boneCount > 0 ? bones[0].node : nullptr; }
    // The first child of the root bone whose object has a modifier stack, or null.
    INode* FindSkinNode();
    // Adds the skin's bindings (skin_bindings.h) to the weight lists of the bones they name,
    // offsets multiplied by the bone's sign; bindings to nodes that are not bones are dropped.
    void AddPhysiqueWeights();
    // The bone holding the largest weight of `vertex` (the earlier of equals), -1 when none. It
    // answers from an index of the weight lists built when AddPhysiqueWeights ends (or at the
    // first call when that never ran).
    int DominantBone(int vertex) const;

    std::vector<Bone_t> bones;
    int boneCount = 0;
    std::vector<Trigger_t> triggers;
    int triggerCount = 0;
    Interface* host = nullptr;

  private:
    // Classifies one node; answers the parent index and sign that its children inherit.
    void ClassifyNode(INode* node, int& parentIndex, int& inheritedSign);
    void AddBone(INode* node, int& parentIndex, int& inheritedSign);
    void ReportDroppedNodes();
    void BuildDominantIndex() const;
    HWND OwnerWindow() const;

    std::unordered_map<INode*, int> boneOfNode_;
    int droppedBones_ = 0;
    int droppedTriggers_ = 0;
    mutable std::vector<int> dominantBone_;
    mutable bool dominantIndexed_ = false;
};
