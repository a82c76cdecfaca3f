#include "objects/game_influence.h"

#include <vector>

#include "host/inode.h"
#include "host/physique.h"
#include "host/render_mesh.h"
#include "resources/string_ids.h"

namespace {

// Collects the scene nodes among a target's dependents, in the order the host reports them.
class DependentNodes : public DependentEnumProc {
  public:
    int proc(ReferenceMaker* maker) override {
        if (maker != nullptr && maker->SuperClassID() == 0x1) {
            nodes.push_back(static_cast<INode*>(maker));
        }
        return DEP_ENUM_CONTINUE;
    }
    std::vector<INode*> nodes;
};

// The first skin modifier in the node's own modifier stack (its top derived object only).
Modifier* FindPhysiqueModifier(INode* node) {
    Object* object = node->GetObjectRef();
    if (object == nullptr || object->SuperClassID() != GEN_DERIVOB_CLASS_ID) {
        return nullptr;
    }
    auto* derived = static_cast<IDerivedObject*>(object);
    for (int i = 0; i < derived->NumModifiers(); ++i) {
        Modifier* modifier = derived->GetModifier(i);
        if (modifier != nullptr && modifier->ClassID() == physiqueClassID) {
            return modifier;
        }
    }
    return nullptr;
}

// The geometric object below every derived object of the node, or null.
Object* BaseGeometry(INode* node) {
    Object* object = node->GetObjectRef();
    while (object != nullptr && object->ClassID() == derivObjClassID) {
        object = static_cast<IDerivedObject*>(object)->GetObjRef();
    }
    return object != nullptr && object->SuperClassID() == GEOMOBJECT_CLASS_ID ? object : nullptr;
}

Matrix3 InitialTransform(IPhysiqueExport* skin, INode* node) {
    Matrix3 tm;
    skin->GetInitNodeTM(node, tm);
    return tm;
}

// The vertex, placed by the skin's binding pose, carried into the bone's frame at binding time
// and out again with the bone where it stands at t.
Point3 FollowBone(const Point3& boundWorld, IPhysiqueExport* skin, INode* bone, TimeValue t) {
    return (boundWorld * Inverse(InitialTransform(skin, bone))) * bone->GetNodeTM(t);
}

void DeformVertices(TimeValue t, Object* object, INode* node, IPhysiqueExport* skin,
                    IPhyContextExport* context, const Mesh& base) {
    const Matrix3 toObject = Inverse(node->GetObjectTM(t));
    const Matrix3 bound = InitialTransform(skin, node);
    context->ConvertToRigid(TRUE);
    context->AllowBlending(TRUE);
    for (int i = 0; i < context->GetNumberVertices(); ++i) {
        IPhyVertexExport* vertex = context->GetVertexInterface(i);
        if (vertex == nullptr) {
            continue;
        }
        // A vertex beyond the base mesh has no position to start from and stays as it is.
        if (i < base.getNumVerts()) {
            const Point3 boundWorld = base.getVert(i) * bound;
            Point3 world;
            bool placed = true;
            if (vertex->GetVertexType() == RIGID_BLENDED_TYPE) {
                auto* blended = static_cast<IPhyBlendedRigidVertex*>(vertex);
                for (int j = 0; j < blended->GetNumberNodes(); ++j) {
                    INode* bone = blended->GetNode(j);
                    if (bone != nullptr) {
                        world += FollowBone(boundWorld, skin, bone, t) * blended->GetWeight(j);
                    }
                }
            } else {
                INode* bone = static_cast<IPhyRigidVertex*>(vertex)->GetNode();
                placed = bone != nullptr;
                if (placed) {
                    world = FollowBone(boundWorld, skin, bone, t);
                }
            }
            if (placed) {
                object->SetPoint(i, world * toObject);
            }
        }
        context->ReleaseVertexInterface(vertex);
    }
}

}  // namespace

GameInfluence::GameInfluence() : GeometryModifier(GAMEINFLUENCE_CLASS_ID, IDS_GAMEINFLUENCE) {}

void GameInfluence::ModifyObject(TimeValue t, ModContext&, ObjectState* os, INode*) {
    DependentNodes dependents;
    EnumDependents(&dependents);
    // Of the nodes that use this modifier, the one the host reports last decides.
    if (dependents.nodes.empty()) {
        return;
    }
    INode* skinNode = dependents.nodes.back();
    Modifier* physique = FindPhysiqueModifier(skinNode);
    if (physique == nullptr || os == nullptr || os->obj == nullptr) {
        return;
    }
    // The render mesh at time 0 of the base object; none when there is no base object.
    const RenderMesh base(BaseGeometry(skinNode), skinNode, 0);
    auto* skin = static_cast<IPhysiqueExport*>(physique->GetInterface(I_PHYINTERFACE));
    if (skin != nullptr) {
        if (IPhyContextExport* context = skin->GetContextInterface(skinNode)) {
            DeformVertices(t, os->obj, skinNode, skin, context, base.mesh());
            skin->ReleaseContextInterface(context);
        }
        physique->ReleaseInterface(I_PHYINTERFACE, skin);
    }
    PointsChanged(os->obj);
}
