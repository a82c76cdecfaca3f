// Viewports as objects meet them: the view an object draws itself into (ViewExp), its graphics
// window, and the mouse procedure that creates an object by clicks in a view.
#pragma once

#include "host/matrix3.h"
#include "host/max_types.h"
#include "host/point3.h"

class INode;

// A point on the screen, in pixels from the top left.
class IPoint2 {
  public:
    int x = 0, y = 0;
    constexpr IPoint2() = default;
    constexpr IPoint2(int px, int py) : x(px), y(py) {}
    constexpr IPoint2 operator-(const IPoint2& p) const { return {x - p.x, y - p.y}; }
    constexpr bool operator==(const IPoint2&) const = default;
};

// Rendering limits of a graphics window.
constexpr DWORD GW_WIREFRAME = 1u << 1;
constexpr DWORD GW_ILLUM = 1u << 2;
constexpr DWORD GW_FLAT = 1u << 3;
constexpr DWORD GW_Z_BUFFER = 1u << 6;
constexpr DWORD GW_BACKCULL = 1u << 8;

// What a colour is set for.
enum ColorType { LINE_COLOR, FILL_COLOR, SELECT_COLOR };

// Draws in world space through the transform that setTransform gives (object to world).
class GraphicsWindow {
  public:
    virtual ~GraphicsWindow() = default;
    virtual void setTransform(const Matrix3& m) = 0;
    virtual Matrix3 getTransform() = 0;
    virtual void setRndLimits(DWORD limits) = 0;
    virtual DWORD getRndLimits() = 0;
    virtual void setColor(ColorType t, float r, float g, float b) = 0;
    // A line through ct points; closed joins the last point to the first.
    virtual void polyline(int ct, Point3* xyz, Point3* rgb, int closed, int* es) = 0;
    // A filled triangle in the fill colour.
    virtual void triangle(Point3* xyz, Point3* rgb) = 0;
    // A mark of fixed size on the screen at one point.
    virtual void marker(Point3* xyz, int type) {}
};

// Snap flags.
constexpr DWORD SNAP_IN_3D = 0;
constexpr DWORD SNAP_IN_PLANE = 1u << 0;

// A viewport: its graphics window, whether it shows wireframes, and the construction plane on
// which creation points land.
class ViewExp {
  public:
    virtual ~ViewExp() = default;
    virtual GraphicsWindow* getGW() = 0;
    // Non-zero when the view shows wireframes, zero when it is shaded.
    virtual int IsWire() = 0;
    // The point of the construction plane under the screen point, snapped to the grid when snap
    // is on; in construction-plane coordinates.
    virtual Point3 SnapPoint(const IPoint2& in, IPoint2& out, Matrix3* plane2d = nullptr,
                             DWORD flags = 0) = 0;
    // A length rounded to the grid when snap is on.
    virtual float SnapLength(float len) = 0;
    // How far the mouse moving from sp1 to sp2 carries a point from `base` along `dir`
    // (construction-plane coordinates), in world units.
    virtual float GetCPDisp(const Point3& base, const Point3& dir, const IPoint2& sp1,
                            const IPoint2& sp2, BOOL snap = FALSE) = 0;
};

// Mouse messages of a creation procedure.
constexpr int MOUSE_ABORT = 0;
constexpr int MOUSE_POINT = 1;
constexpr int MOUSE_MOVE = 2;
constexpr int MOUSE_FREEMOVE = 8;

// Key flags of a mouse message.
constexpr int MOUSE_SHIFT = 1 << 0;
constexpr int MOUSE_CTRL = 1 << 1;
constexpr int MOUSE_ALT = 1 << 2;

// Answers of a creation procedure.
constexpr int CREATE_STOP = 0;
constexpr int CREATE_ABORT = -1;
constexpr int CREATE_CONTINUE = 1;

// Drives the creation of an object: called for every mouse message until it answers stop or
// abort. `point` counts the clicks so far; `mat` is the new node's transform relative to the
// construction plane, which the procedure places.
class CreateMouseCallBack {
  public:
    virtual ~CreateMouseCallBack() = default;
    virtual int proc(ViewExp* vpt, int msg, int point, int flags, IPoint2 m, Matrix3& mat) = 0;
};

class Mesh;

// Draws a mesh as the graphics window's limits ask: its visible edges in wireframe, its faces
// filled otherwise. Faces whose corners name missing vertices are left out.
void DisplayMesh(GraphicsWindow* gw, const Mesh& mesh);
