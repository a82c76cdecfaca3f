// The host's sphere and box primitives: parametric geometry that converts to a triangle mesh.
#pragma once

#include <memory>

#include "host/parameters.h"
#include "standalone/scene/objects/mesh_objects.h"

namespace pellucid::standalone {

// A primitive whose mesh is built from its parameters on demand.
class PrimitiveObject : public GeomObject {
  public:
    int CanConvertToType(Class_ID obtype) override;
    Object* ConvertToType(TimeValue t, Class_ID obtype) override;
    Mesh* GetRenderMesh(TimeValue t, INode* inode, View& view, BOOL& needDelete) override;
    int NumPoints() override { return CurrentMesh().getNumVerts(); }
    Point3 GetPoint(int i) override;

  protected:
    // The mesh for the current parameters (rebuilt when they changed).
    virtual const Mesh& CurrentMesh() = 0;
};

// Sphere (class (0x11, 0)). Its parameter array holds the radius (float, index 0, which is the
// index of sphere parameter 0) and the segments (int, index 1).
class SphereObject : public PrimitiveObject {
  public:
    SphereObject(float radius, int segments);

    Class_ID ClassID() override { return sphereClassID; }
    void GetClassName(CStr& s) override { s = "Sphere"; }
    const char* GetObjectName() override { return "Sphere"; }
    int CanConvertToType(Class_ID obtype) override;
    Object* ConvertToType(TimeValue t, Class_ID obtype) override;
    IParamArray* GetParamBlock() override { return pblock_.get(); }
    int GetParamBlockIndex(int id) override { return id == 0 ? 0 : (id == 1 ? 1 : -1); }

    float Radius();
    int Segments();

  protected:
    const Mesh& CurrentMesh() override;

  private:
    std::unique_ptr<IParamBlock> pblock_;
    Mesh mesh_;
    bool built_ = false;
    float builtRadius_ = 0.0f;
    int builtSegments_ = 0;
};

// Box (class boxObjectClassID): the collision box's mesh for the same sizes, one segment each
// way, with mapping.
class BoxObject : public PrimitiveObject {
  public:
    BoxObject(float length, float width, float height);

    Class_ID ClassID() override { return boxObjectClassID; }
    void GetClassName(CStr& s) override { s = "Box"; }
    const char* GetObjectName() override { return "Box"; }

    float length, width, height;

  protected:
    const Mesh& CurrentMesh() override;

  private:
    Mesh mesh_;
    bool built_ = false;
};

}  // namespace pellucid::standalone
