// The skin's vertex weights per bone, read from the skin modifier's export interface.
#include <cfloat>
#include <memory>

#include "bone_export/bone_tree.h"
#include "host/physique.h"

namespace {

// The view the render mesh is asked with: a 640 by 480 screen, world and view alike, (x, y, z)
// seen at (x, y).
class FlatView : public View {
  public:
    Point2 ViewToScreen(Point3 p) override { return Point2(p.x, p.y); }
};

// The render mesh of the geometric object behind the skin's modifier stack, at time 0.
class SkinMesh {
  public:
    SkinMesh(INode* skin) {
        Object* object = skin->GetObjectRef();
        while (object != nullptr && object->SuperClassID() == GEN_DERIVOB_CLASS_ID) {
            auto* derived = dynamic_cast<IDerivedObject*>(object);
            object = derived != nullptr ? derived->GetObjRef() : nullptr;
        }
        auto* geometry = object != nullptr && object->SuperClassID() == GEOMOBJECT_CLASS_ID
                             ? dynamic_cast<GeomObject*>(object)
                             : nullptr;
        if (geometry != nullptr) {
            FlatView view;
            BOOL needDelete = FALSE;
            mesh_ = geometry->GetRenderMesh(0, skin, view, needDelete);
            owned_ = needDelete != FALSE;
        }
    }
    ~SkinMesh() {
        if (owned_) {
            delete mesh_;
        }
    }
    SkinMesh(const SkinMesh&) = delete;
    SkinMesh& operator=(const SkinMesh&) = delete;

    // The vertex, or null when the mesh does not have it (or there is no mesh).
    const Point3* Vertex(int v) const {
        return mesh_ != nullptr && v >= 0 && v < mesh_->getNumVerts() ? &mesh_->getVert(v)
                                                                      : nullptr;
    }

  private:
    Mesh* mesh_ = nullptr;
    bool owned_ = false;
};

// Line numbers under which the skin pass reports its inconsistencies.
constexpr int kSkinTransformMissing = 488;
constexpr int kRigidBoneTransformMissing = 517;
constexpr int kBlendedBoneTransformMissing = 556;
constexpr int kUnexpectedVertexType = 578;

struct Binding {
    INode* bone;
    float weight;
};

}  // namespace

INode* BoneTree::FindSkinNode() {
    INode* root = RootBoneNode();
    if (root == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < root->NumberOfChildren(); ++i) {
        INode* child = root->GetChildNode(i);
        Object* object = child != nullptr ? child->GetObjectRef() : nullptr;
        if (object != nullptr && object->SuperClassID() == GEN_DERIVOB_CLASS_ID) {
            return child;
        }
    }
    return nullptr;
}

void BoneTree::AddPhysiqueWeights() {
    dominantIndexed_ = false;
    INode* skin = boneCount > 0 ? FindSkinNode() : nullptr;
    Object* reference = skin != nullptr ? skin->GetObjectRef() : nullptr;
    auto* derived = reference != nullptr && reference->ClassID() == derivObjClassID
                        ? dynamic_cast<IDerivedObject*>(reference)
                        : nullptr;
    if (derived == nullptr) {
        return;
    }
    std::unique_ptr<SkinMesh> mesh;
    for (int m = 0; m < derived->NumModifiers(); ++m) {
        Modifier* modifier = derived->GetModifier(m);
        if (modifier == nullptr || modifier->ClassID() != physiqueClassID) {
            continue;
        }
        auto* physique = static_cast<IPhysiqueExport*>(modifier->GetInterface(I_PHYINTERFACE));
        if (physique == nullptr) {
            break;
        }
        if (mesh == nullptr) {
            mesh = std::make_unique<SkinMesh>(skin);
        }
        IPhyContextExport* context = physique->GetContextInterface(skin);
        if (context != nullptr) {
            Matrix3 skinInitial;
            if (physique->GetInitNodeTM(skin, skinInitial) != MATRIX_RETURNED) {
                assert1(kSkinTransformMissing, "bonetree");
            }
            context->ConvertToRigid(TRUE);

            std::vector<Binding> bindings;
            const int vertexCount = context->GetNumberVertices();
            for (int v = 0; v < vertexCount; ++v) {
                IPhyVertexExport* vertex = context->GetVertexInterface(v);
                if (vertex == nullptr) {
                    continue;
                }
                bindings.clear();
                int missingLine = kRigidBoneTransformMissing;
                const int type = vertex->GetVertexType();
                auto* rigid = type == RIGID_TYPE ? dynamic_cast<IPhyRigidVertex*>(vertex) : nullptr;
                auto* blended = type == RIGID_BLENDED_TYPE
                                    ? dynamic_cast<IPhyBlendedRigidVertex*>(vertex)
                                    : nullptr;
                if (rigid != nullptr) {
                    bindings.push_back({rigid->GetNode(), 1.0f});
                } else if (blended != nullptr) {
                    missingLine = kBlendedBoneTransformMissing;
                    for (int k = 0; k < blended->GetNumberNodes(); ++k) {
                        bindings.push_back({blended->GetNode(k), blended->GetWeight(k)});
                    }
                } else {
                    assert1(kUnexpectedVertexType, "bonetree");
                }
                for (const Binding& binding : bindings) {
                    Matrix3 boneInitial;
                    if (physique->GetInitNodeTM(binding.bone, boneInitial) != MATRIX_RETURNED) {
                        assert1(missingLine, "bonetree");
                    }
                    // Bindings to nodes outside the tree and vertices beyond the base mesh have
                    // no place in the weight lists.
                    const int b = IndexOfNode(binding.bone);
                    const Point3* position = mesh->Vertex(v);
                    if (b < 0 || position == nullptr) {
                        continue;
                    }
                    Bone_t& bone = bones[static_cast<size_t>(b)];
                    Point3 offset = ((*position) * skinInitial) * Inverse(boneInitial);
                    offset *= static_cast<float>(bone.sign);
                    bone.weights.push_back({v, offset, binding.weight});
                    bone.vertices.push_back(v);
                }
                context->ReleaseVertexInterface(vertex);
            }
            physique->ReleaseContextInterface(context);
        }
        modifier->ReleaseInterface(I_PHYINTERFACE, physique);
    }
    BuildDominantIndex();
}

void BoneTree::BuildDominantIndex() const {
    dominantBone_.clear();
    std::vector<float> best;
    for (int b = 0; b < boneCount; ++b) {
        for (const VertexWeight_t& record : bones[static_cast<size_t>(b)].weights) {
            if (record.vertex < 0) {
                continue;
            }
            const auto v = static_cast<size_t>(record.vertex);
            if (v >= dominantBone_.size()) {
                dominantBone_.resize(v + 1, -1);
                best.resize(v + 1, -FLT_MAX);
            }
            // Strictly greater: of equal weights the earlier bone stays.
            if (record.weight > best[v]) {
                best[v] = record.weight;
                dominantBone_[v] = b;
            }
        }
    }
    dominantIndexed_ = true;
}

int BoneTree::DominantBone(int vertex) const {
    if (!dominantIndexed_) {
        BuildDominantIndex();
    }
    return vertex >= 0 && static_cast<size_t>(vertex) < dominantBone_.size()
               ? dominantBone_[static_cast<size_t>(vertex)]
               : -1;
}
