// Invariants that hold for every scene the stand-alone host loads, checked through the host
// interface alone: the tree is a tree and the enumeration walks it in pre-order, transforms
// compose as the host's conventions say, evaluated meshes index only what they hold, modifier
// stacks are derived objects, and the selection is the selected nodes in tree order.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "host/interface.h"
#include "host/transform_helpers.h"

namespace pellucid::standalone::testing {

namespace invariants {

class Collect : public ITreeEnumProc {
  public:
    int callback(INode* node) override {
        nodes.push_back(node);
        return TREE_CONTINUE;
    }
    std::vector<INode*> nodes;
};

inline void CheckMesh(const std::string& where, const Mesh& mesh) {
    const DWORD verts = static_cast<DWORD>(mesh.getNumVerts());
    const DWORD tverts = static_cast<DWORD>(mesh.getNumTVerts());
    for (int f = 0; f < mesh.getNumFaces(); ++f) {
        for (DWORD v : mesh.faces[static_cast<size_t>(f)].v) {
            if (v >= verts) {
                ADD_FAILURE() << where << ": face " << f << " names vertex " << v << " of "
                              << verts;
            }
        }
    }
    if (!mesh.tvFace.empty()) {
        EXPECT_EQ(mesh.tvFace.size(), mesh.faces.size()) << where << ": texture faces";
        for (size_t f = 0; f < mesh.tvFace.size(); ++f) {
            for (DWORD t : mesh.tvFace[f].t) {
                if (t >= tverts) {
                    ADD_FAILURE() << where << ": texture face " << f << " names " << t << " of "
                                  << tverts;
                }
            }
        }
    }
    EXPECT_EQ(mesh.faceSel.GetSize(), mesh.getNumFaces()) << where << ": face selection size";
}

inline void CheckNode(INode* node, INode* parent) {
    const std::string where = std::string("node \"") + node->GetName() + "\"";
    EXPECT_EQ(node->GetParentNode(), parent) << where;
    EXPECT_FALSE(node->IsRootNode()) << where;
    for (TimeValue t : {0, 160}) {
        const Matrix3 world = node->GetNodeTM(t);
        EXPECT_TRUE(node->GetParentTM(t) == parent->GetNodeTM(t)) << where;
        EXPECT_TRUE(node->GetObjectTM(t) == GetObjectOffsetTM(node, true) * world) << where;
        EXPECT_TRUE(node->GetObjTMAfterWSM(t) == node->GetObjectTM(t)) << where;
    }
    Object* ref = node->GetObjectRef();
    if (ref != nullptr && ref->SuperClassID() == GEN_DERIVOB_CLASS_ID) {
        auto* derived = static_cast<IDerivedObject*>(ref);
        EXPECT_TRUE(derived->ClassID() == derivObjClassID) << where;
        EXPECT_GT(derived->NumModifiers(), 0) << where;
        for (int i = 0; i < derived->NumModifiers(); ++i) {
            EXPECT_NE(derived->GetModifier(i), nullptr) << where << ": modifier " << i;
        }
        EXPECT_NE(derived->GetObjRef(), nullptr) << where;
    }
    Object* object = node->EvalWorldState(0, TRUE).obj;
    EXPECT_EQ(object == nullptr, ref == nullptr) << where;
    if (object != nullptr && object->CanConvertToType(triObjectClassID)) {
        Object* converted = object->ConvertToType(0, triObjectClassID);
        auto* tri = dynamic_cast<TriObject*>(converted);
        if (tri == nullptr) {
            ADD_FAILURE() << where << ": converts to no triangle mesh";
        } else {
            CheckMesh(where, tri->mesh);
        }
        if (converted != object && converted != nullptr) {
            converted->DeleteMe();
        }
    }
    Control* tm = node->GetTMController();
    if (tm == nullptr) {
        ADD_FAILURE() << where << ": no transform controller";
    } else {
        EXPECT_NE(tm->GetPositionController(), nullptr) << where;
        EXPECT_NE(tm->GetRotationController(), nullptr) << where;
        EXPECT_NE(tm->GetScaleController(), nullptr) << where;
    }
    if (Mtl* material = node->GetMtl()) {
        for (int i = 0; i < material->NumSubMtls(); ++i) {
            material->GetSubMtl(i);  // may be null, never out of bounds
        }
    }
}

}  // namespace invariants

// Checks every invariant on the host's scene; failures name the node.
inline void ExpectSceneInvariants(Interface* core, IScene* scene) {
    INode* root = core->GetRootNode();
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->IsRootNode());
    EXPECT_EQ(root->GetParentNode(), nullptr);
    EXPECT_STREQ(root->GetName(), "Scene Root");
    EXPECT_EQ(root->GetObjectRef(), nullptr);
    EXPECT_TRUE(root->GetNodeTM(0) == Matrix3());

    // Pre-order by hand, with a work list.
    std::vector<INode*> expected;
    std::vector<INode*> selected;
    std::set<INode*> seen;
    std::vector<std::pair<INode*, INode*>> pending;  // node, parent
    for (int i = root->NumberOfChildren() - 1; i >= 0; --i) {
        pending.push_back({root->GetChildNode(i), root});
    }
    while (!pending.empty()) {
        auto [node, parent] = pending.back();
        pending.pop_back();
        ASSERT_NE(node, nullptr);
        ASSERT_TRUE(seen.insert(node).second) << node->GetName() << " is met twice";
        expected.push_back(node);
        if (node->Selected()) {
            selected.push_back(node);
        }
        invariants::CheckNode(node, parent);
        for (int i = node->NumberOfChildren() - 1; i >= 0; --i) {
            pending.push_back({node->GetChildNode(i), node});
        }
    }

    invariants::Collect collect;
    scene->EnumTree(&collect);
    EXPECT_EQ(collect.nodes, expected) << "the enumeration is the tree's pre-order";

    ASSERT_EQ(core->GetSelNodeCount(), static_cast<int>(selected.size()));
    for (int i = 0; i < core->GetSelNodeCount(); ++i) {
        EXPECT_EQ(core->GetSelNode(i), selected[static_cast<size_t>(i)]) << "selection " << i;
    }
}

}  // namespace pellucid::standalone::testing
