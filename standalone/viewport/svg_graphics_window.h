// A graphics window that keeps what is drawn into it, in world space, and writes it as an SVG
// picture through a projection: lines in wireframe, flat-shaded triangles (far ones first)
// otherwise, and markers.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/viewport.h"

namespace pellucid::standalone::viewport {

class SvgGraphicsWindow : public GraphicsWindow {
  public:
    void setTransform(const Matrix3& m) override { transform_ = m; }
    Matrix3 getTransform() override { return transform_; }
    void setRndLimits(DWORD limits) override { limits_ = limits; }
    DWORD getRndLimits() override { return limits_; }
    void setColor(ColorType t, float r, float g, float b) override;
    void polyline(int ct, Point3* xyz, Point3* rgb, int closed, int* es) override;
    void triangle(Point3* xyz, Point3* rgb) override;
    void marker(Point3* xyz, int type) override;

    // Marks what is drawn from now on as a highlight (drawn above the rest, in its own style).
    void SetHighlight(bool on) { highlight_ = on; }

    struct Primitive {
        enum class Kind { Line, Triangle, Marker } kind = Kind::Line;
        std::vector<Point3> points;  // world space
        Color colour;
        bool closed = false;
        bool highlight = false;
    };
    const std::vector<Primitive>& Primitives() const { return primitives_; }
    // The corners of the box around everything drawn; false when nothing was drawn.
    bool Bounds(Point3& lo, Point3& hi) const;

    using Projection = std::function<bool(const Point3& world, Point2& screen, float& depth)>;
    std::string ToSvg(int width, int height, const Projection& project, bool shaded) const;

  private:
    // Records `count` points of `xyz`, taken into world space, as one primitive.
    void Record(Primitive::Kind kind, const Color& colour, const Point3* xyz, int count,
                bool closed);

    Matrix3 transform_;
    DWORD limits_ = GW_WIREFRAME;
    Color line_{0.9f, 0.9f, 0.9f};
    Color fill_{0.7f, 0.7f, 0.7f};
    bool highlight_ = false;
    std::vector<Primitive> primitives_;
};

}  // namespace pellucid::standalone::viewport
