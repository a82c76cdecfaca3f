// A viewport of the stand-alone host: one of the four standard views (top, front, left,
// perspective), wireframe or shaded, with a construction plane and grid snapping, drawing into
// an SVG picture through its graphics window.
#pragma once

#include <string>

#include "host/viewport.h"
#include "standalone/viewport/svg_graphics_window.h"

namespace pellucid::standalone::viewport {

enum class ViewKind { Top, Front, Left, Perspective };

// The view named "top", "front", "left" or "perspective"; false for any other name.
bool ParseViewKind(const std::string& name, ViewKind& kind);

class Viewport : public ViewExp {
  public:
    Viewport(ViewKind kind, int width, int height);

    // ViewExp.
    GraphicsWindow* getGW() override { return &gw_; }
    int IsWire() override { return shaded_ ? 0 : 1; }
    Point3 SnapPoint(const IPoint2& in, IPoint2& out, Matrix3* plane2d = nullptr,
                     DWORD flags = 0) override;
    float SnapLength(float len) override;
    float GetCPDisp(const Point3& base, const Point3& dir, const IPoint2& sp1, const IPoint2& sp2,
                    BOOL snap = FALSE) override;

    ViewKind Kind() const { return kind_; }
    void SetShaded(bool shaded) { shaded_ = shaded; }
    // Grid snapping to `spacing` world units (on by default, spacing 10).
    void SetGridSnap(bool on, float spacing = 10.0f);
    // The construction plane (the view's home grid) as a transform from plane to world space:
    // the XY plane for top and perspective, XZ for front, YZ for left.
    Matrix3 ConstructionPlane() const;
    // Frames the box so that it fills the view with a margin.
    void Fit(const Point3& lo, const Point3& hi);
    // Sets the view's centre in world space and its scale in world units per pixel.
    void SetView(const Point3& centre, float unitsPerPixel);
    // Where a world point lands on the screen; false when it lies behind a perspective camera.
    bool Project(const Point3& world, Point2& screen, float& depth) const;
    // The point of the construction plane under a screen point, in plane coordinates.
    Point3 ScreenToPlane(const IPoint2& screen) const;

    // The picture of what was drawn so far.
    std::string Svg() const;
    SvgGraphicsWindow& Window() { return gw_; }

  private:
    void Basis(Point3& right, Point3& up, Point3& forward) const;

    ViewKind kind_;
    int width_;
    int height_;
    bool shaded_ = false;
    bool snap_ = true;
    float spacing_ = 10.0f;
    Point3 centre_;
    float unitsPerPixel_ = 0.1f;
    // Perspective: the camera's distance from the centre.
    float distance_ = 100.0f;
    SvgGraphicsWindow gw_;
};

}  // namespace pellucid::standalone::viewport
