// Marker nodes: glow points, magic vertices and attached objects.
#include <algorithm>
#include <numeric>

#include "host/name_helpers.h"
#include "host/parameters.h"
#include "host/transform_helpers.h"
#include "mesh_export/enum_mesh.h"
#include "script/script_writers.h"
#include "services/debug_log.h"

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

// Written in ascending attach number; equal numbers keep the order of the scene walk. Objects not
// linked to anything are still written, and named together in one message box at the end.
void EnumMesh_t::OutputAttachList() {
    std::vector<size_t> order(attachNodes.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [this](size_t a, size_t b) { return attachIds[a] < attachIds[b]; });
    std::vector<INode*> sortedNodes;
    std::vector<int> sortedIds;
    for (size_t i : order) {
        sortedNodes.push_back(attachNodes[i]);
        sortedIds.push_back(attachIds[i]);
    }
    attachNodes = std::move(sortedNodes);
    attachIds = std::move(sortedIds);

    attachErrors = "";
    for (INode* node : attachNodes) {
        OutputAttachObject(node);
    }
    if (attachErrors.Length() > 0) {
        Warn(attachErrors.data(), "Attach Object Error");
    }
}

void EnumMesh_t::OutputAttachObject(INode* node) {
    const CStr fullName = node->GetName();
    const int number = NameNumber(fullName.data(), 6, 3);
    const CStr objectName = AttachedObjectName(fullName.data());

    INode* link = GetLinkParent(node, 0);
    if (link == nullptr || link->IsRootNode()) {
        attachErrors += fullName;
        attachErrors += ": Not linked to main object\n";
    }
    const Matrix3 axes = GetRelativeAxes(node, link, 0);
    const Point3 position = GetRelativePosition(node, link, 0);
    *out << "AttachObject(\"" << objectName.data() << "\"," << number << ",";
    for (int row = 0; row < 3; ++row) {
        WritePoint(*out, axes.GetRow(row));
        *out << ",";
    }
    WritePoint(*out, position);
    *out << ");" << endl;
    const int bone = boneTree != nullptr ? boneTree->IndexOfNode(link) : -1;
    *out << "AttachObjectBoneID(" << number << "," << bone << ");" << endl;
}
