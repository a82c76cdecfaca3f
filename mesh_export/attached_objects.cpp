#include <algorithm>
#include <numeric>

#include "host/transform_helpers.h"
#include "mesh_export/enum_mesh.h"
#include "mesh_export/node_class.h"
#include "mesh_export/script_writers.h"

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
    // Both "ATTACH12_" and "ATTACH123 " put the object's own name after the separator.
    CStr objectName = fullName[8] == '_' ? fullName.Substr(9, fullName.Length())
                                         : fullName.Substr(10, fullName.Length());
    TrimTrailingSpace(objectName);

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
