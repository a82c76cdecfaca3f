#include "bone_export/skin_bindings.h"

#include <optional>
#include <vector>

#include "host/interface.h"
#include "host/physique.h"
#include "host/render_mesh.h"

namespace {

// Line numbers under which the skin pass reports its inconsistencies.
constexpr int kSkinTransformMissing = 488;
constexpr int kRigidBoneTransformMissing = 517;
constexpr int kBlendedBoneTransformMissing = 556;
constexpr int kUnexpectedVertexType = 578;

// The geometric object behind the skin's modifier stack, or null.
Object* BaseGeometry(INode* skin) {
    Object* object = skin->GetObjectRef();
    while (object != nullptr && object->SuperClassID() == GEN_DERIVOB_CLASS_ID) {
        auto* derived = dynamic_cast<IDerivedObject*>(object);
        object = derived != nullptr ? derived->GetObjRef() : nullptr;
    }
    return object != nullptr && object->SuperClassID() == GEOMOBJECT_CLASS_ID ? object : nullptr;
}

struct Binding {
    INode* bone;
    float weight;
};

// The bone bindings of one vertex, with the line under which a missing initial transform of one
// of its bones is reported.
std::vector<Binding> VertexBindings(IPhyVertexExport* vertex, int& missingLine) {
    std::vector<Binding> bindings;
    missingLine = kRigidBoneTransformMissing;
    const int type = vertex->GetVertexType();
    auto* rigid = type == RIGID_TYPE ? dynamic_cast<IPhyRigidVertex*>(vertex) : nullptr;
    auto* blended =
        type == RIGID_BLENDED_TYPE ? dynamic_cast<IPhyBlendedRigidVertex*>(vertex) : nullptr;
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
    return bindings;
}

void ReadContext(IPhysiqueExport* physique, IPhyContextExport* context, INode* skin,
                 const Mesh& mesh, const std::function<void(const SkinBinding&)>& visit) {
    Matrix3 skinInitial;
    if (physique->GetInitNodeTM(skin, skinInitial) != MATRIX_RETURNED) {
        assert1(kSkinTransformMissing, "bonetree");
    }
    context->ConvertToRigid(TRUE);
    const int vertexCount = context->GetNumberVertices();
    for (int v = 0; v < vertexCount; ++v) {
        IPhyVertexExport* vertex = context->GetVertexInterface(v);
        if (vertex == nullptr) {
            continue;
        }
        int missingLine = 0;
        for (const Binding& binding : VertexBindings(vertex, missingLine)) {
            Matrix3 boneInitial;
            if (physique->GetInitNodeTM(binding.bone, boneInitial) != MATRIX_RETURNED) {
                assert1(missingLine, "bonetree");
            }
            if (v >= mesh.getNumVerts()) {
                continue;
            }
            const Point3 offset = (mesh.getVert(v) * skinInitial) * Inverse(boneInitial);
            visit(SkinBinding{v, binding.bone, offset, binding.weight});
        }
        context->ReleaseVertexInterface(vertex);
    }
}

}  // namespace

void ForEachSkinBinding(INode* skin, const std::function<void(const SkinBinding&)>& visit) {
    Object* reference = skin != nullptr ? skin->GetObjectRef() : nullptr;
    auto* derived = reference != nullptr && reference->ClassID() == derivObjClassID
                        ? dynamic_cast<IDerivedObject*>(reference)
                        : nullptr;
    if (derived == nullptr) {
        return;
    }
    // The base mesh is asked for once, when the first skin modifier offers its interface.
    std::optional<RenderMesh> mesh;
    for (int m = 0; m < derived->NumModifiers(); ++m) {
        Modifier* modifier = derived->GetModifier(m);
        if (modifier == nullptr || modifier->ClassID() != physiqueClassID) {
            continue;
        }
        auto* physique = static_cast<IPhysiqueExport*>(modifier->GetInterface(I_PHYINTERFACE));
        if (physique == nullptr) {
            break;
        }
        if (!mesh) {
            mesh.emplace(BaseGeometry(skin), skin, 0);
        }
        IPhyContextExport* context = physique->GetContextInterface(skin);
        if (context != nullptr) {
            ReadContext(physique, context, skin, mesh->mesh(), visit);
            physique->ReleaseContextInterface(context);
        }
        modifier->ReleaseInterface(I_PHYINTERFACE, physique);
    }
}
