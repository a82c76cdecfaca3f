// A small hand-made scene for the skin pass: a root bone with one child whose modifier stack holds
// a skin modifier, with answers that the stand-alone host never gives (missing initial transforms,
// vertex types the conversion leaves, bindings beyond the mesh). It records what is released.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/inode.h"
#include "host/physique.h"
#include "support/fake_node.h"

namespace bone_test {

class FakeBoneObject : public HelperObject {
  public:
    Class_ID ClassID() override { return boneObjClassID; }
};

class FakeMeshObject : public GeomObject {
  public:
    Class_ID ClassID() override { return triObjectClassID; }
    Mesh* GetRenderMesh(TimeValue, INode*, View&, BOOL& needDelete) override {
        needDelete = FALSE;
        return &mesh;
    }
    Mesh mesh;
};

class FakeDerivedObject : public IDerivedObject {
  public:
    int NumModifiers() override { return static_cast<int>(modifiers.size()); }
    Modifier* GetModifier(int i) override { return modifiers[static_cast<size_t>(i)]; }
    Object* GetObjRef() override { return base; }
    std::vector<Modifier*> modifiers;
    Object* base = nullptr;
};

// One vertex as the skin context hands it out: type, bones and weights.
struct FakeSkinVertex {
    int type = RIGID_TYPE;
    std::vector<INode*> bones;
    std::vector<float> weights;
};

class FakeRigid : public IPhyRigidVertex {
  public:
    explicit FakeRigid(const FakeSkinVertex& v) : v_(v) {}
    int GetVertexType() override { return v_.type; }
    INode* GetNode() override { return v_.bones.at(0); }

  private:
    const FakeSkinVertex& v_;
};

class FakeBlended : public IPhyBlendedRigidVertex {
  public:
    explicit FakeBlended(const FakeSkinVertex& v) : v_(v) {}
    int GetVertexType() override { return v_.type; }
    int GetNumberNodes() override { return static_cast<int>(v_.bones.size()); }
    INode* GetNode(int i) override { return v_.bones.at(static_cast<size_t>(i)); }
    float GetWeight(int i) override { return v_.weights.at(static_cast<size_t>(i)); }

  private:
    const FakeSkinVertex& v_;
};

class FakeOther : public IPhyVertexExport {
  public:
    explicit FakeOther(int type) : type_(type) {}
    int GetVertexType() override { return type_; }

  private:
    int type_;
};

// Vertices given as null have no interface.
class FakeSkinContext : public IPhyContextExport {
  public:
    int GetNumberVertices() override { return static_cast<int>(vertices.size()); }
    void ConvertToRigid(BOOL deformable) override { convertedWith = deformable; }
    void AllowBlending(BOOL) override {}
    IPhyVertexExport* GetVertexInterface(int i) override {
        const auto& v = vertices.at(static_cast<size_t>(i));
        if (!v) {
            return nullptr;
        }
        ++handedOut;
        if (v->type == RIGID_TYPE) {
            return new FakeRigid(*v);
        }
        if (v->type == RIGID_BLENDED_TYPE) {
            return new FakeBlended(*v);
        }
        return new FakeOther(v->type);
    }
    void ReleaseVertexInterface(IPhyVertexExport* vertex) override {
        ++released;
        delete vertex;
    }

    std::vector<const FakeSkinVertex*> vertices;
    BOOL convertedWith = FALSE;
    int handedOut = 0;
    int released = 0;
};

class FakePhysique : public Modifier, public IPhysiqueExport {
  public:
    Class_ID ClassID() override { return physiqueClassID; }
    void ModifyObject(TimeValue, ModContext&, ObjectState*, INode*) override {}
    void* GetInterface(ULONG id) override {
        return id == I_PHYINTERFACE && offersInterface ? static_cast<IPhysiqueExport*>(this)
                                                       : nullptr;
    }
    using Modifier::GetInterface;
    void ReleaseInterface(ULONG id, void* i) override {
        if (id == I_PHYINTERFACE && i == static_cast<IPhysiqueExport*>(this)) {
            ++interfaceReleased;
        }
    }

    IPhyContextExport* GetContextInterface(INode*) override {
        return hasContext ? &context : nullptr;
    }
    void ReleaseContextInterface(IPhyContextExport* c) override {
        if (c == &context) {
            ++contextReleased;
        }
    }
    int GetInitNodeTM(INode* node, Matrix3& tm) override {
        const auto found = initial.find(node);
        if (found == initial.end()) {
            return NODE_NOT_FOUND;
        }
        tm = found->second;
        return MATRIX_RETURNED;
    }

    std::map<INode*, Matrix3> initial;
    FakeSkinContext context;
    bool offersInterface = true;
    bool hasContext = true;
    int interfaceReleased = 0;
    int contextReleased = 0;
};

}  // namespace bone_test
