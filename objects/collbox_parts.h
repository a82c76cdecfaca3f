// The collision box's creation procedure and its patch form.
#pragma once

#include "host/patch_mesh.h"
#include "host/viewport.h"

class CollBox;

// Creates a box with three clicks: the first corner of the base, the opposite corner (a square
// base with Ctrl held; a cube about the first point with a non-zero creation method), then the
// height. A base dragged less than 3 pixels, or with a diagonal under 0.1, creates nothing.
class CollBoxCreateCallBack : public CreateMouseCallBack {
  public:
    int proc(ViewExp* vpt, int msg, int point, int flags, IPoint2 m, Matrix3& mat) override;

    CollBox* ob = nullptr;
    Point3 p0, p1;
    IPoint2 sp0, sp1;
    BOOL square = FALSE;
};

// The one creation procedure of the class, set to create `box`.
CollBoxCreateCallBack* CollBoxCreateCallBackFor(CollBox* box);

// A box of 6 quad patches over the 8 corners of the box (the segment counts play no part), each
// edge with control vectors at a third and two thirds of its length; with mapping, each patch
// maps the whole unit square.
void BuildCollBoxPatch(PatchMesh& patch, float length, float width, float height, bool mapping);
