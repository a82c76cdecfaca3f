// The host's plug-in base classes: class descriptors, exporters, importers, utilities and the
// simple parametric object.
#pragma once

#include "host/interface.h"
#include "host/object.h"
#include "host/parameters.h"

class ClassDesc {
  public:
    virtual ~ClassDesc() = default;
    virtual int IsPublic() = 0;
    // A new instance; ownership passes to the caller.
    virtual void* Create(BOOL loading = FALSE) = 0;
    virtual int BeginCreate(Interface* i) { return 0; }
    virtual int EndCreate(Interface* i) { return 0; }
    virtual const char* ClassName() = 0;
    virtual SClass_ID SuperClassID() = 0;
    virtual Class_ID ClassID() = 0;
    virtual const char* Category() = 0;
    virtual void ResetClassParams(BOOL fileReset = FALSE) {}
};

class SceneExport {
  public:
    virtual ~SceneExport() = default;
    virtual int ExtCount() = 0;
    virtual const char* Ext(int n) = 0;
    virtual const char* LongDesc() = 0;
    virtual const char* ShortDesc() = 0;
    virtual const char* AuthorName() = 0;
    virtual const char* CopyrightMessage() = 0;
    virtual const char* OtherMessage1() = 0;
    virtual const char* OtherMessage2() = 0;
    virtual unsigned int Version() = 0;
    virtual void ShowAbout(HWND hWnd) = 0;
    virtual int DoExport(const char* name, ExpInterface* ei, Interface* i,
                         BOOL suppressPrompts = FALSE, DWORD options = 0) = 0;
    virtual BOOL SupportsOptions(int ext, DWORD options) { return FALSE; }
};

class SceneImport {
  public:
    virtual ~SceneImport() = default;
    virtual int ExtCount() = 0;
    virtual const char* Ext(int n) = 0;
    virtual const char* LongDesc() = 0;
    virtual const char* ShortDesc() = 0;
    virtual const char* AuthorName() = 0;
    virtual const char* CopyrightMessage() = 0;
    virtual const char* OtherMessage1() = 0;
    virtual const char* OtherMessage2() = 0;
    virtual unsigned int Version() = 0;
    virtual void ShowAbout(HWND hWnd) = 0;
    virtual int DoImport(const char* name, ImpInterface* ii, Interface* i,
                         BOOL suppressPrompts = FALSE) = 0;
    virtual int ZoomExtents() { return -1; }
};

// The utility command panel that hosts a utility.
class IUtil {
  public:
    virtual ~IUtil() = default;
    virtual void CloseUtility() = 0;
};

class UtilityObj {
  public:
    virtual ~UtilityObj() = default;
    virtual void BeginEditParams(Interface* ip, IUtil* iu) = 0;
    virtual void EndEditParams(Interface* ip, IUtil* iu) = 0;
    virtual void SelectionSetChanged(Interface* ip, IUtil* iu) {}
    virtual void DeleteThis() = 0;
    virtual void SetStartupParam(CStr param) {}
};

// A procedural object that builds its mesh from a parameter block and converts to a triangle mesh.
class SimpleObject : public GeomObject {
  public:
    ~SimpleObject() override;

    virtual void BuildMesh(TimeValue t) = 0;
    virtual BOOL OKtoDisplay(TimeValue t) { return TRUE; }
    virtual void InvalidateUI() {}

    // Rebuilds the cached mesh when t lies outside its validity or a parameter changed since.
    void UpdateMesh(TimeValue t);
    int CanConvertToType(Class_ID obtype) override;
    Object* ConvertToType(TimeValue t, Class_ID obtype) override;
    Mesh* GetRenderMesh(TimeValue t, INode* inode, View& view, BOOL& needDelete) override;
    int NumPoints() override { return mesh.getNumVerts(); }
    Point3 GetPoint(int i) override { return mesh.getVert(i); }
    int IsDeformable() override { return 1; }
    int Display(TimeValue t, INode* inode, ViewExp* vpt, int flags) override;

    IParamBlock* pblock = nullptr;
    Mesh mesh;
    Interval ivalid;

  private:
    unsigned long builtChanges_ = 0;
};
