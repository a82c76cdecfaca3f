// The render mesh of an evaluated object as the exporters ask for it: a 640 by 480 view with an
// identity world-to-view transform, the mesh freed afterwards when the host hands it over.
#pragma once

#include "host/inode.h"
#include "host/object.h"

// Projects (x, y, z) to (x, y).
class ExportView : public View {
  public:
    Point2 ViewToScreen(Point3 p) override { return Point2(p.x, p.y); }
};

class RenderMesh {
  public:
    // An object that is not a geometric object (null included), or gives no mesh, gives an empty
    // mesh.
    RenderMesh(Object* object, INode* node, TimeValue time);
    ~RenderMesh();
    RenderMesh(const RenderMesh&) = delete;
    RenderMesh& operator=(const RenderMesh&) = delete;

    Mesh& mesh() { return mesh_ ? *mesh_ : empty_; }
    const Mesh& mesh() const { return mesh_ ? *mesh_ : empty_; }

  private:
    Mesh* mesh_ = nullptr;
    BOOL needDelete_ = FALSE;
    Mesh empty_;
};
