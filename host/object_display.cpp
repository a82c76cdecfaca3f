#include <memory>
#include <set>
#include <utility>

#include "host/inode.h"
#include "host/mesh.h"
#include "host/object.h"
#include "host/plugin_classes.h"
#include "host/viewport.h"

namespace {

bool FaceIsValid(const Mesh& mesh, const Face& face) {
    const auto count = static_cast<DWORD>(mesh.getNumVerts());
    return face.v[0] < count && face.v[1] < count && face.v[2] < count;
}

void DrawWithObjectTM(TimeValue t, INode* inode, ViewExp* vpt, const Mesh& mesh) {
    if (vpt == nullptr || inode == nullptr || vpt->getGW() == nullptr) {
        return;
    }
    GraphicsWindow* gw = vpt->getGW();
    gw->setTransform(inode->GetObjectTM(t));
    DisplayMesh(gw, mesh);
}

}  // namespace

void DisplayMesh(GraphicsWindow* gw, const Mesh& mesh) {
    if (gw->getRndLimits() & GW_WIREFRAME) {
        // An edge shared by two faces is drawn once.
        std::set<std::pair<DWORD, DWORD>> drawn;
        for (const Face& face : mesh.faces) {
            if (!FaceIsValid(mesh, face)) {
                continue;
            }
            for (int e = 0; e < 3; ++e) {
                if (!face.getEdgeVis(e)) {
                    continue;
                }
                DWORD a = face.v[e];
                DWORD b = face.v[(e + 1) % 3];
                if (!drawn.insert({std::min(a, b), std::max(a, b)}).second) {
                    continue;
                }
                Point3 line[2] = {mesh.getVert(static_cast<int>(a)),
                                  mesh.getVert(static_cast<int>(b))};
                gw->polyline(2, line, nullptr, FALSE, nullptr);
            }
        }
        return;
    }
    for (const Face& face : mesh.faces) {
        if (!FaceIsValid(mesh, face)) {
            continue;
        }
        Point3 corners[3] = {mesh.getVert(static_cast<int>(face.v[0])),
                             mesh.getVert(static_cast<int>(face.v[1])),
                             mesh.getVert(static_cast<int>(face.v[2]))};
        gw->triangle(corners, nullptr);
    }
}

int GeomObject::Display(TimeValue t, INode* inode, ViewExp* vpt, int) {
    if (!CanConvertToType(triObjectClassID)) {
        return 0;
    }
    Object* converted = ConvertToType(t, triObjectClassID);
    auto* tri = dynamic_cast<TriObject*>(converted);
    if (tri != nullptr) {
        DrawWithObjectTM(t, inode, vpt, tri->mesh);
    }
    if (converted != nullptr && converted != this) {
        converted->DeleteThis();
    }
    return 0;
}

int TriObject::Display(TimeValue t, INode* inode, ViewExp* vpt, int) {
    DrawWithObjectTM(t, inode, vpt, mesh);
    return 0;
}

int SimpleObject::Display(TimeValue t, INode* inode, ViewExp* vpt, int) {
    UpdateMesh(t);
    DrawWithObjectTM(t, inode, vpt, mesh);
    return 0;
}
