// Skin and morphs: the morph targets of the modifier stack and the bone influences of the skin.
#include <algorithm>

#include "host/morph.h"
#include "host/transform_helpers.h"
#include "mesh_export/enum_mesh.h"
#include "script/script_line.h"
#include "services/debug_log.h"

namespace {

// Offsets whose squared length is at or below this are not written.
constexpr double kSmallestMorphOffset = 0.00001;

}  // namespace

// Every morph modifier on the stack is written, from the top of the stack down, derived object by
// derived object; other modifiers write nothing.
void EnumMesh_t::OutputModifiers(INode* node, Mesh*) {
    Trace("OutputModifiers");
    Object* object = node->GetObjectRef();
    while (object != nullptr && object->ClassID() == derivObjClassID &&
           object->SuperClassID() == GEN_DERIVOB_CLASS_ID) {
        auto* derived = dynamic_cast<IDerivedObject*>(object);
        if (derived == nullptr) {
            break;
        }
        for (int i = 0; i < derived->NumModifiers(); ++i) {
            Modifier* modifier = derived->GetModifier(i);
            if (modifier != nullptr && modifier->ClassID() == morpherClassID) {
                OutputMorpherVertices(node, modifier);
            }
        }
        object = derived->GetObjRef();
    }
}

// A morph point without an offset counts as a zero offset (and so is not written).
void EnumMesh_t::OutputMorpherVertices(INode* node, Modifier* morpher) {
    Trace("OutputMorpherVertices");
    auto* channels = static_cast<IMorphChannels*>(morpher->GetInterface(I_MORPHCHANNELS));
    if (channels == nullptr) {
        return;
    }
    const Matrix3 offsetTM = GetObjectOffsetTM(node, false);
    for (int c = 0; c < MORPH_CHANNEL_COUNT; ++c) {
        const MorphChannel& channel = channels->GetChannel(c);
        if (channel.hasData == 0 || channel.enabled == 0) {
            continue;
        }
        *out << "MorphChannel(" << c << ", \"" << channel.name.data() << "\");\n";
        for (const int vertex : channel.points) {
            Point3 delta;
            if (vertex >= 0 && static_cast<size_t>(vertex) < channel.deltas.size()) {
                delta = channel.deltas[static_cast<size_t>(vertex)];
            }
            const double x = delta.x, y = delta.y, z = delta.z;
            if (x * x + y * y + z * z <= kSmallestMorphOffset) {
                continue;
            }
            const Point3 e = delta * offsetTM;
            *out << "MorphVertex(" << c << ", " << vertex << ", " << e.x * 100.0f << ", "
                 << e.y * 100.0f << ", " << e.z * 100.0f << ");\n";
        }
    }
}

// One line per weight record, bone by bone, so a blended vertex gets one line under each of its
// bones.
void EnumMesh_t::OutputBonesInfluence() {
    Trace("OutputBonesInfluence");
    if (boneTree == nullptr || boneTree->boneCount == 0) {
        return;
    }
    const size_t boneCount =
        std::min(boneTree->bones.size(), static_cast<size_t>(boneTree->boneCount));
    ScriptLine line(*out);
    for (size_t b = 0; b < boneCount; ++b) {
        for (const VertexWeight_t& weight : boneTree->bones[b].weights) {
            line.Start("VertexInfluenceRigid(").Int(static_cast<long long>(b)).Int(weight.vertex);
            line.Point(weight.offset).Float(weight.weight).End();
        }
    }
}
