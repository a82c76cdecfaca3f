// Attached objects: their names, rest frames and bones, and the link events of a link constraint.
#include "bone_export/enum_bone.h"
#include "host/transform_helpers.h"
#include "mesh_export/script_writers.h"

namespace {

ILinkCtrl* LinkConstraintOf(INode* node) {
    Control* transform = node->GetTMController();
    return transform != nullptr
               ? static_cast<ILinkCtrl*>(transform->GetInterface(LINK_CONSTRAINT_INTERFACE))
               : nullptr;
}

// The object's name after its number: ATTACH12_Sword and ATTACH012_Sword both give Sword. A name
// too short to hold one gives "".
CStr AttachedObjectName(const char* nodeName) {
    const CStr name(nodeName);
    const int start = name[8] == '_' ? 9 : 10;
    CStr objectName = name.Substr(start, name.Length());
    TrimTrailingSpace(objectName);
    return objectName;
}

void WriteAxes(TextStream& out, const Matrix3& axes) {
    WritePoint(out, axes.GetRow(0));
    out << ",";
    WritePoint(out, axes.GetRow(1));
    out << ",";
    WritePoint(out, axes.GetRow(2));
}

}  // namespace

void EnumBone_t::OutputAttachObjects() {
    for (int j = 0; j < attachCount; ++j) {
        INode* node = attachNodes[static_cast<size_t>(j)];
        INode* restParent = GetLinkParent(node, 0);
        *out << "AnimAttachObject(\"" << AttachedObjectName(node->GetName()).data() << "\"," << j
             << ",";
        WriteAxes(*out, GetRelativeAxes(node, restParent, 0));
        *out << ",";
        WritePoint(*out, GetRelativePosition(node, restParent, 0));
        *out << ");" << endl;
        *out << "AnimAttachObjectBoneID(" << j << "," << tree->IndexOfNode(restParent) << ");"
             << endl;

        ILinkCtrl* link = LinkConstraintOf(node);
        if (link == nullptr || link->GetNumTargets() <= 1) {
            continue;
        }
        for (int i = 0; i < link->GetNumTargets(); ++i) {
            const TimeValue time = link->GetLinkTime(i);
            INode* target = link->GetNode(i);
            *out << "LinkEvent(" << j << "," << time << "," << tree->IndexOfNode(target) << ",";
            WriteAxes(*out, GetRelativeAxes(node, target, time));
            *out << ",";
            WritePoint(*out, GetRelativePosition(node, target, time));
            *out << ");" << endl;
        }
    }
}
