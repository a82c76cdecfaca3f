// Scene objects, modifiers and their evaluation.
#pragma once

#include "host/animatable.h"
#include "host/interval.h"
#include "host/matrix3.h"
#include "host/mesh.h"

class INode;
class Object;
class Modifier;
class IParamArray;
class IParamBlock;
class Interface;
class ViewExp;
class CreateMouseCallBack;
class ILoad;

// The view that GetRenderMesh receives; the library passes a fixed one.
class View {
  public:
    virtual ~View() = default;
    virtual Point2 ViewToScreen(Point3 p) = 0;
    float screenW = 640.0f, screenH = 480.0f;
    Matrix3 worldToView;
};

// The result of evaluating a node: its object at the end of the pipeline.
class ObjectState {
  public:
    ObjectState() = default;
    explicit ObjectState(Object* o) : obj(o) {}
    Object* obj = nullptr;
};

// Channels of an object's pipeline.
constexpr DWORD TOPO_CHANNEL = 1u << 0;
constexpr DWORD GEOM_CHANNEL = 1u << 1;
constexpr DWORD TEXMAP_CHANNEL = 1u << 2;
constexpr int GEOM_CHAN_NUM = 1;

// EndEditParams flag: the panel of the object is to be removed, not handed to the next object.
constexpr ULONG END_EDIT_REMOVEUI = 1u << 0;

class BaseObject : public ReferenceTarget {
  public:
    virtual const char* GetObjectName() { return ""; }
    // The object's parameters open in, and leave, the command panel. `prev` and `next` are the
    // objects edited before and after this one, or null.
    virtual void BeginEditParams(Interface* ip, ULONG flags, Animatable* prev) {}
    virtual void EndEditParams(Interface* ip, ULONG flags, Animatable* next) {}
    virtual IParamArray* GetParamBlock() { return nullptr; }
    // The index in the parameter array of a sub-object parameter, or -1.
    virtual int GetParamBlockIndex(int id) { return -1; }
    // Draws the object of `inode` at t into the viewport; answers 0.
    virtual int Display(TimeValue t, INode* inode, ViewExp* vpt, int flags) { return 0; }
    // The procedure that creates the object by mouse clicks, or null.
    virtual CreateMouseCallBack* GetCreateMouseCallBack() { return nullptr; }
    // Called while a saved scene is read, after the object's references were set.
    virtual void Load(ILoad* iload) {}
};

class Object : public BaseObject {
  public:
    virtual int CanConvertToType(Class_ID obtype) { return 0; }
    // A converted copy, or the object itself when it already is of that class. The caller deletes
    // a copy (one that is not `this`) when done.
    virtual Object* ConvertToType(TimeValue t, Class_ID obtype) { return nullptr; }
    // The object as it stands at time t (for an object inside a pipeline: its own state).
    virtual ObjectState Eval(TimeValue t) { return ObjectState(this); }
    virtual int NumPoints() { return 0; }
    virtual Point3 GetPoint(int i) { return Point3(); }
    virtual void SetPoint(int i, const Point3& p) {}
    virtual void PointsWereChanged() {}
    virtual void UpdateValidity(int channel, Interval valid) {}
    virtual int IsDeformable() { return 0; }
    virtual int IsParamSurface() { return 0; }
};

class GeomObject : public Object {
  public:
    SClass_ID SuperClassID() override { return GEOMOBJECT_CLASS_ID; }
    // Draws the triangle mesh that the object converts to.
    int Display(TimeValue t, INode* inode, ViewExp* vpt, int flags) override;
    // The mesh to render at t. needDelete tells whether the caller owns the returned mesh.
    virtual Mesh* GetRenderMesh(TimeValue t, INode* inode, View& view, BOOL& needDelete) {
        needDelete = FALSE;
        return nullptr;
    }
};

class TriObject : public GeomObject {
  public:
    Class_ID ClassID() override { return triObjectClassID; }
    // A triangle mesh converts to itself and renders its own mesh.
    int CanConvertToType(Class_ID obtype) override { return obtype == triObjectClassID ? 1 : 0; }
    Object* ConvertToType(TimeValue t, Class_ID obtype) override {
        return obtype == triObjectClassID ? this : nullptr;
    }
    Mesh* GetRenderMesh(TimeValue t, INode* inode, View& view, BOOL& needDelete) override {
        needDelete = FALSE;
        return &mesh;
    }
    // Its points are the mesh's vertices; indices outside the mesh read as the origin and are
    // not written.
    int NumPoints() override { return mesh.getNumVerts(); }
    Point3 GetPoint(int i) override {
        return i >= 0 && i < mesh.getNumVerts() ? mesh.getVert(i) : Point3();
    }
    void SetPoint(int i, const Point3& p) override {
        if (i >= 0 && i < mesh.getNumVerts()) {
            mesh.setVert(i, p);
        }
    }
    int IsDeformable() override { return 1; }
    int Display(TimeValue t, INode* inode, ViewExp* vpt, int flags) override;
    Mesh& GetMesh() { return mesh; }
    Mesh mesh;
};

class HelperObject : public Object {
  public:
    SClass_ID SuperClassID() override { return HELPER_CLASS_ID; }
};

// An object with a modifier stack: modifiers top first, then the object below them.
class IDerivedObject : public Object {
  public:
    SClass_ID SuperClassID() override { return GEN_DERIVOB_CLASS_ID; }
    Class_ID ClassID() override { return derivObjClassID; }
    virtual int NumModifiers() = 0;
    virtual Modifier* GetModifier(int index) = 0;
    virtual Object* GetObjRef() = 0;
};

class ModContext {
  public:
    Matrix3* tm = nullptr;
};

class Modifier : public BaseObject {
  public:
    SClass_ID SuperClassID() override { return OSM_CLASS_ID; }
    virtual const char* GetName() { return ""; }
    virtual DWORD ChannelsUsed() { return GEOM_CHANNEL; }
    virtual DWORD ChannelsChanged() { return GEOM_CHANNEL; }
    virtual Class_ID InputType() { return triObjectClassID; }
    virtual Interval LocalValidity(TimeValue t) { return FOREVER; }
    // Changes os->obj, which is of InputType().
    virtual void ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) = 0;
};
