// The collision-box helper: a parametric box that artists place to mark collision volumes and
// zones; the mesh exporter finds it by its class id.
#pragma once

#include "host/param_map.h"
#include "host/plugin_classes.h"
#include "host/viewport.h"

constexpr Class_ID COLLBOX_CLASS_ID(0x576809a3, 0x3f972dbe);

// Parameter block indices.
constexpr int PB_LENGTH = 0;
constexpr int PB_WIDTH = 1;
constexpr int PB_HEIGHT = 2;
constexpr int PB_WSEGS = 3;
constexpr int PB_LSEGS = 4;
constexpr int PB_HSEGS = 5;
constexpr int PB_GENUV = 6;

class CollBox : public SimpleObject, public IParamArray {
  public:
    // A new box: segment counts from the class-wide defaults, sizes from the creation sizes.
    CollBox();

    Class_ID ClassID() override { return COLLBOX_CLASS_ID; }
    const char* GetObjectName() override;
    void GetClassName(CStr& s) override;

    // Opens the three spinners of the shared parameter page on this box (creating the page for
    // the first box edited); leaving carries the box's segment counts over to the next new box
    // and, when the host asks, closes the page.
    void BeginEditParams(Interface* ip, ULONG flags, Animatable* prev) override;
    void EndEditParams(Interface* ip, ULONG flags, Animatable* next) override;

    void BuildMesh(TimeValue t) override;
    BOOL OKtoDisplay(TimeValue t) override { return TRUE; }
    // Refreshes the open parameter page, if any.
    void InvalidateUI() override;
    // Draws in wireframe viewports only.
    int Display(TimeValue t, INode* inode, ViewExp* vpt, int flags) override;
    // The one creation procedure, set to create this box.
    CreateMouseCallBack* GetCreateMouseCallBack() override;
    // A patch box for the host's patch-object class; a triangle mesh as any simple object.
    int CanConvertToType(Class_ID obtype) override;
    Object* ConvertToType(TimeValue t, Class_ID obtype) override;
    // Upgrades a parameter block saved by the first version of the box once the scene is read.
    void Load(ILoad* iload) override;

    // Parameter names and dimensions as the host's track view shows them.
    const char* GetParameterName(int i);
    enum class ParamDimension { Default, World, Segments };
    ParamDimension GetParameterDim(int i);

    // Sets, at time 0, the three sizes, the three segment counts and the mapping flag.
    void SetParams(float width, float height, float length, int wsegs, int lsegs, int hsegs,
                   BOOL genUV);

    // A new box with a copy of this box's parameter block; its mesh is rebuilt on first use.
    CollBox* Clone();
    ReferenceTarget* Clone(RemapDir& remap) override { return Clone(); }

    // The parameter block is reference 0 and sub-animatable 0.
    int NumRefs() override { return 1; }
    ReferenceTarget* GetReference(int i) override;
    void SetReference(int i, ReferenceTarget* target) override;
    int NumSubs() { return 1; }
    Animatable* SubAnim(int i);

    // The class-wide creation values: 0 creation method (int), 1 keyboard-entry position
    // (Point3), 2 length, 3 width, 4 height (floats). Every call answers TRUE; an index that does
    // not fit the type is ignored.
    BOOL SetValue(int i, TimeValue t, int v) override;
    BOOL SetValue(int i, TimeValue t, float v) override;
    BOOL SetValue(int i, TimeValue t, Point3& v) override;
    BOOL GetValue(int i, TimeValue t, int& v, Interval& valid) override;
    BOOL GetValue(int i, TimeValue t, float& v, Interval& valid) override;
    BOOL GetValue(int i, TimeValue t, Point3& v, Interval& valid) override;
    IParamBlock* GetParamBlock() override { return nullptr; }
    BOOL KeyFrameAtTime(int i, TimeValue t) override { return FALSE; }

    // Resets the class-wide state: segment defaults 1, creation sizes 0, creation method 0,
    // keyboard-entry position at the origin.
    static void ResetClassParams();
    // The class-wide creation method (0: the base from corner to corner; otherwise a cube from
    // its centre).
    static int CreationMethod();
    // The parameter page while a box is being edited, else null.
    static IParamMap* ParamMap();

    // 1 while a creation drag is under way.
    int suspendSnap = 0;
};
