#include "host/transform_helpers.h"

#include "host/control.h"
#include "host/decomp.h"

Matrix3 GetObjectOffsetTM(INode* node, bool withPosition) {
    Matrix3 tm;
    if (withPosition) {
        tm.PreTranslate(node->GetObjOffsetPos());
    }
    PreRotateMatrix(tm, node->GetObjOffsetRot());
    ApplyScaling(tm, node->GetObjOffsetScale());
    return tm;
}

INode* GetLinkParent(INode* node, TimeValue time) {
    Control* tm = node->GetTMController();
    auto* link =
        tm ? static_cast<ILinkCtrl*>(tm->GetInterface(LINK_CONSTRAINT_INTERFACE)) : nullptr;
    if (link == nullptr) {
        return node->GetParentNode();
    }
    INode* result = nullptr;
    for (int i = 0; i < link->GetNumTargets(); ++i) {
        if (link->GetLinkTime(i) <= time) {
            result = link->GetNode(i);
        }
    }
    return result;
}

Matrix3 GetRelativeAxes(INode* node, INode* parent, TimeValue time) {
    const Matrix3 t = node->GetNodeTM(time);
    if (parent == nullptr) {
        return t;
    }
    const Matrix3 p = parent->GetNodeTM(time);
    Matrix3 l = t * Inverse(p);
    AffineParts parts;
    decomp_affine(p, &parts);
    l.NoScale();
    for (int i = 0; i < 3; ++i) {
        l.SetRow(i, l.GetRow(i) * parts.f);
    }
    return l;
}

Quat GetRelativeRotation(INode* node, INode* parent, TimeValue time) {
    Matrix3 t = node->GetNodeTM(time);
    if (parent != nullptr) {
        t = t * Inverse(parent->GetNodeTM(time));
    }
    AffineParts parts;
    decomp_affine(t, &parts);
    return parts.q;
}

Point3 GetRelativePosition(INode* node, INode* parent, TimeValue time) {
    const Matrix3 t = node->GetNodeTM(time);
    if (parent == nullptr) {
        return t.GetTrans();
    }
    const Matrix3 p = parent->GetNodeTM(time);
    const Point3 d = (t * Inverse(p)).GetTrans();
    AffineParts parts;
    decomp_affine(p, &parts);
    return Point3(d.x * parts.k.x * parts.f, d.y * parts.k.y * parts.f, d.z * parts.k.z * parts.f);
}
