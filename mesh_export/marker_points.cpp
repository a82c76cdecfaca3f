#include "host/parameters.h"
#include "host/transform_helpers.h"
#include "mesh_export/enum_mesh.h"
#include "mesh_export/node_class.h"
#include "mesh_export/script_writers.h"
#include "plugin/debug_log.h"

void EnumMesh_t::OutputGlow(INode* node, Object* object) {
    const Point3 position = GetRelativePosition(node, node->GetParentNode(), 0);
    float radius = 0.0f;
    if (IParamArray* parameters = object->GetParamBlock()) {
        Interval valid = FOREVER;
        float value = 0.0f;
        if (parameters->GetValue(object->GetParamBlockIndex(0), 0, value, valid)) {
            radius = value;
        }
    }
    Color colour(1.0f, 1.0f, 1.0f);
    Mtl* material = node->GetMtl();
    if (material != nullptr && material->ClassID() == stdMtlClassID) {
        if (auto* standard = dynamic_cast<StdMat*>(material)) {
            colour = standard->GetDiffuse(static_cast<TimeValue>(0));
        }
    }
    *out << "Glow(";
    WritePoint(*out, position);
    *out << "," << radius << ",";
    WriteColor(*out, colour);
    *out << ");" << endl;
}

void EnumMesh_t::OutputMagicVertex(INode* node, Object*) {
    Trace("OutputMagicVertex");
    INode* parent = node->GetParentNode();
    const Point3 position = GetRelativePosition(node, parent, 0);
    const char* name = node->GetName();
    const int group = NameNumber(name, 5, 2);
    const int number = NameNumber(name, 7, 1);
    const int bone = boneTree != nullptr ? boneTree->IndexOfNode(parent) : -1;
    *out << "MagicVertex(" << group << "," << number << ",";
    WritePoint(*out, position);
    *out << "," << bone << ");" << endl;
}

// The bone tree keeps a list of magic-vertex nodes per bone, but nothing fills it: only the trace
// line is written.
void EnumMesh_t::OutputBoneMagicVertex() {
    Trace("OutputBoneMagicVertex");
}
