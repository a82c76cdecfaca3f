// A small hand-made scene for the skin pass: a root bone with one child whose modifier stack holds
// a skin modifier, with answers that the stand-alone host never gives (missing initial transforms,
// vertex types the conversion leaves, bindings beyond the mesh). It records what is released.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/inode.h"
#include "host/physique.h"

namespace bone_test {

class SkinFakeNode : public INode {
  public:
    SkinFakeNode(std::string name, Object* object) : name_(std::move(name)), state_(object) {}

    void AddChild(SkinFakeNode* child) {
        children_.push_back(child);
        child->parent_ = this;
    }
    void SetReference(Object* reference) { reference_ = reference; }

    const char* GetName() override { return name_.c_str(); }
    INode* GetParentNode() override { return parent_; }
    int NumberOfChildren() override { return static_cast<int>(children_.size()); }
    INode* GetChildNode(int i) override { return children_[static_cast<size_t>(i)]; }
    int IsRootNode() override { return parent_ == nullptr; }
    int IsHidden(DWORD, BOOL) override { return 0; }
    int Selected() override { return 0; }
    Mtl* GetMtl() override { return nullptr; }
    Control* GetTMController() override { return nullptr; }
    Object* GetObjectRef() override { return reference_ ? reference_ : state_.obj; }
    const ObjectState& EvalWorldState(TimeValue, BOOL) override { return state_; }
    Matrix3 GetNodeTM(TimeValue, Interval*) override { return world; }
    void SetNodeTM(TimeValue, Matrix3& tm) override { world = tm; }
    Matrix3 GetParentTM(TimeValue t) override {
        return parent_ ? parent_->GetNodeTM(t, nullptr) : Matrix3();
    }
    Matrix3 GetObjectTM(TimeValue, Interval*) override { return world; }
    Matrix3 GetObjTMAfterWSM(TimeValue, Interval*) override { return world; }
    Point3 GetObjOffsetPos() override { return Point3(); }
    Quat GetObjOffsetRot() override { return Quat(); }
    ScaleValue GetObjOffsetScale() override { return ScaleValue(); }
    float GetVisibility(TimeValue, Interval*) override { return 1.0f; }
    Control* GetVisController() override { return nullptr; }

    Matrix3 world;

  private:
    std::string name_;
    SkinFakeNode* parent_ = nullptr;
    std::vector<SkinFakeNode*> children_;
    ObjectState state_;
    Object* reference_ = nullptr;
};

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
