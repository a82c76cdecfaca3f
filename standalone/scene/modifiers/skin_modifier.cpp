#include "standalone/scene/modifiers/skin_modifier.h"

#include <algorithm>

#include "host/inode.h"

namespace pellucid::standalone {

SkinModifier::SkinModifier(std::vector<std::optional<SkinBinding>> vertices, bool exportInterface,
                           bool context)
    : vertices_(std::move(vertices)), exportInterface_(exportInterface), context_(context) {}

SkinModifier::~SkinModifier() = default;

void* SkinModifier::GetInterface(ULONG id) {
    if (id == I_PHYINTERFACE && exportInterface_) {
        return static_cast<IPhysiqueExport*>(this);
    }
    return nullptr;
}

IPhyContextExport* SkinModifier::GetContextInterface(INode* skin) {
    if (!context_ || skinInitial_.count(skin) == 0) {
        return nullptr;
    }
    auto context = std::make_unique<SkinContext>(vertices_);
    IPhyContextExport* handle = context.get();
    contexts_.emplace(handle, std::move(context));
    return handle;
}

void SkinModifier::ReleaseContextInterface(IPhyContextExport* context) {
    contexts_.erase(context);
}

int SkinModifier::GetInitNodeTM(INode* node, Matrix3& tm) {
    if (const auto skin = skinInitial_.find(node); skin != skinInitial_.end()) {
        tm = skin->second;
        return MATRIX_RETURNED;
    }
    if (const auto bone = boneInitial_.find(node); bone != boneInitial_.end()) {
        tm = bone->second;
        return MATRIX_RETURNED;
    }
    return NODE_NOT_FOUND;
}

void SkinModifier::AddSkinNode(INode* node, const Matrix3& initial) {
    skinInitial_[node] = initial;
}

void SkinModifier::SetBoneInitial(INode* bone, const Matrix3& initial) {
    boneInitial_[bone] = initial;
}

void SkinModifier::ModifyObject(TimeValue t, ModContext&, ObjectState* os, INode* node) {
    if (os == nullptr || os->obj == nullptr || node == nullptr) {
        return;
    }
    const auto skin = skinInitial_.find(node);
    if (skin == skinInitial_.end()) {
        return;
    }
    Object* object = os->obj;
    const Matrix3& bind = skin->second;
    const Matrix3 objectTM = node->GetObjectTM(t);
    const bool skinStill = objectTM == bind;
    const Matrix3 toObject = Inverse(objectTM);

    // Each bone's motion from where it was bound to where it is at t.
    struct Motion {
        Matrix3 matrix;
        bool still = true;
    };
    std::unordered_map<INode*, Motion> motions;
    auto motionOf = [&](INode* bone) -> const Motion& {
        auto found = motions.find(bone);
        if (found == motions.end()) {
            Motion motion;
            const Matrix3 now = bone->GetNodeTM(t);
            const auto initial = boneInitial_.find(bone);
            const Matrix3 start = initial != boneInitial_.end() ? initial->second : now;
            motion.still = now == start;
            motion.matrix = Inverse(start) * now;
            found = motions.emplace(bone, motion).first;
        }
        return found->second;
    };

    const int count = std::min(object->NumPoints(), static_cast<int>(vertices_.size()));
    for (int v = 0; v < count; ++v) {
        const auto& binding = vertices_[static_cast<size_t>(v)];
        if (!binding || binding->bones.empty()) {
            continue;
        }
        // A rigid vertex follows its first bone alone.
        const size_t used = binding->type == RIGID_TYPE ? 1 : binding->bones.size();
        float total = 0.0f;
        bool still = skinStill;
        for (size_t k = 0; k < used; ++k) {
            const float w =
                used == 1 ? 1.0f : (k < binding->weights.size() ? binding->weights[k] : 0.0f);
            total += w;
            if (binding->bones[k] != nullptr && !motionOf(binding->bones[k]).still) {
                still = false;
            }
        }
        if (still || total == 0.0f) {
            continue;
        }
        const Point3 world = object->GetPoint(v) * bind;
        Point3 blended;
        for (size_t k = 0; k < used; ++k) {
            const float w =
                used == 1 ? 1.0f : (k < binding->weights.size() ? binding->weights[k] : 0.0f);
            const Point3 moved =
                binding->bones[k] != nullptr ? world * motionOf(binding->bones[k]).matrix : world;
            blended += moved * (w / total);
        }
        object->SetPoint(v, blended * toObject);
    }
    object->PointsWereChanged();
}

}  // namespace pellucid::standalone
