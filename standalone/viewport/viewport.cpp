#include "standalone/viewport/viewport.h"

#include <algorithm>
#include <cmath>

namespace pellucid::standalone::viewport {

namespace {

// The perspective camera looks at the centre from the front, right and above.
const Point3 kPerspectiveForward = Normalize(Point3(-1.0f, 1.0f, -0.75f));
constexpr float kFieldOfView = 0.7853982f;  // 45 degrees across the width

}  // namespace

bool ParseViewKind(const std::string& name, ViewKind& kind) {
    if (name == "top") {
        kind = ViewKind::Top;
    } else if (name == "front") {
        kind = ViewKind::Front;
    } else if (name == "left") {
        kind = ViewKind::Left;
    } else if (name == "perspective") {
        kind = ViewKind::Perspective;
    } else {
        return false;
    }
    return true;
}

Viewport::Viewport(ViewKind kind, int width, int height)
    : kind_(kind), width_(std::max(width, 1)), height_(std::max(height, 1)) {}

void Viewport::Basis(Point3& right, Point3& up, Point3& forward) const {
    switch (kind_) {
        case ViewKind::Top:
            right = Point3(1, 0, 0);
            up = Point3(0, 1, 0);
            forward = Point3(0, 0, -1);
            return;
        case ViewKind::Front:
            right = Point3(1, 0, 0);
            up = Point3(0, 0, 1);
            forward = Point3(0, 1, 0);
            return;
        case ViewKind::Left:
            right = Point3(0, -1, 0);
            up = Point3(0, 0, 1);
            forward = Point3(1, 0, 0);
            return;
        case ViewKind::Perspective:
            forward = kPerspectiveForward;
            right = Normalize(forward ^ Point3(0, 0, 1));
            up = right ^ forward;
            return;
    }
}

Matrix3 Viewport::ConstructionPlane() const {
    switch (kind_) {
        case ViewKind::Front:
            return Matrix3(Point3(1, 0, 0), Point3(0, 0, 1), Point3(0, -1, 0), Point3());
        case ViewKind::Left:
            return Matrix3(Point3(0, -1, 0), Point3(0, 0, 1), Point3(-1, 0, 0), Point3());
        case ViewKind::Top:
        case ViewKind::Perspective:
            break;
    }
    return Matrix3();
}

void Viewport::SetGridSnap(bool on, float spacing) {
    snap_ = on;
    spacing_ = spacing > 0.0f ? spacing : 10.0f;
}

void Viewport::SetView(const Point3& centre, float unitsPerPixel) {
    centre_ = centre;
    unitsPerPixel_ = unitsPerPixel > 0.0f ? unitsPerPixel : 0.1f;
    distance_ =
        unitsPerPixel_ * static_cast<float>(width_) / (2.0f * std::tan(kFieldOfView / 2)) * 1.2f;
}

void Viewport::Fit(const Point3& lo, const Point3& hi) {
    const Point3 centre = (lo + hi) * 0.5f;
    const float radius = std::max(Length(hi - lo) * 0.5f, 1e-3f);
    // The box's sphere fills the smaller side of the view, with a tenth to spare.
    const float side = static_cast<float>(std::min(width_, height_));
    SetView(centre, 2.2f * radius / side);
    if (kind_ == ViewKind::Perspective) {
        distance_ = radius / std::sin(kFieldOfView / 2) * 1.1f;
    }
}

bool Viewport::Project(const Point3& world, Point2& screen, float& depth) const {
    Point3 right, up, forward;
    Basis(right, up, forward);
    const float cx = static_cast<float>(width_) / 2.0f;
    const float cy = static_cast<float>(height_) / 2.0f;
    if (kind_ != ViewKind::Perspective) {
        const Point3 d = world - centre_;
        screen = Point2(cx + (d % right) / unitsPerPixel_, cy - (d % up) / unitsPerPixel_);
        depth = d % forward;
        return true;
    }
    const Point3 eye = centre_ - forward * distance_;
    const Point3 d = world - eye;
    depth = d % forward;
    if (depth <= distance_ * 1e-3f) {
        return false;
    }
    const float focal = static_cast<float>(width_) / (2.0f * std::tan(kFieldOfView / 2));
    screen = Point2(cx + focal * (d % right) / depth, cy - focal * (d % up) / depth);
    return true;
}

Point3 Viewport::ScreenToPlane(const IPoint2& screen) const {
    Point3 right, up, forward;
    Basis(right, up, forward);
    const float cx = static_cast<float>(width_) / 2.0f;
    const float cy = static_cast<float>(height_) / 2.0f;
    const Matrix3 plane = ConstructionPlane();
    const Point3 normal = plane.GetRow(2);
    Point3 origin, direction;
    if (kind_ != ViewKind::Perspective) {
        origin = centre_ + right * ((static_cast<float>(screen.x) - cx) * unitsPerPixel_) +
                 up * ((cy - static_cast<float>(screen.y)) * unitsPerPixel_) -
                 forward * (distance_ * 10.0f);
        direction = forward;
    } else {
        const float focal = static_cast<float>(width_) / (2.0f * std::tan(kFieldOfView / 2));
        origin = centre_ - forward * distance_;
        direction = Normalize(forward * focal + right * (static_cast<float>(screen.x) - cx) +
                              up * (cy - static_cast<float>(screen.y)));
    }
    // Where the ray meets the plane; a ray along the plane meets it at its origin.
    const float along = direction % normal;
    Point3 hit = origin;
    if (std::fabs(along) > 1e-6f) {
        hit = origin + direction * (((plane.GetTrans() - origin) % normal) / along);
    }
    return hit * Inverse(plane);
}

Point3 Viewport::SnapPoint(const IPoint2& in, IPoint2& out, Matrix3*, DWORD) {
    out = in;
    Point3 p = ScreenToPlane(in);
    if (snap_) {
        p.x = std::round(p.x / spacing_) * spacing_;
        p.y = std::round(p.y / spacing_) * spacing_;
    }
    p.z = 0.0f;
    return p;
}

float Viewport::SnapLength(float len) {
    return snap_ ? std::round(len / spacing_) * spacing_ : len;
}

float Viewport::GetCPDisp(const Point3& base, const Point3& dir, const IPoint2& sp1,
                          const IPoint2& sp2, BOOL) {
    // The displacement along dir whose projection best follows the mouse; a direction that the
    // view looks along follows the mouse's upward motion at the view's scale.
    const Matrix3 plane = ConstructionPlane();
    const Point3 worldBase = base * plane;
    const Point3 worldDir = Normalize(VectorTransform(dir, plane));
    Point2 a, b;
    float depth = 0.0f;
    const Point2 mouse(static_cast<float>(sp2.x - sp1.x), static_cast<float>(sp2.y - sp1.y));
    if (Project(worldBase, a, depth) && Project(worldBase + worldDir, b, depth)) {
        const Point2 axis = b - a;
        const float lengthSquared = axis.x * axis.x + axis.y * axis.y;
        if (lengthSquared > 0.25f) {
            return (mouse.x * axis.x + mouse.y * axis.y) / lengthSquared;
        }
    }
    return -mouse.y * unitsPerPixel_;
}

std::string Viewport::Svg() const {
    return gw_.ToSvg(
        width_, height_,
        [this](const Point3& world, Point2& screen, float& depth) {
            return Project(world, screen, depth);
        },
        shaded_);
}

}  // namespace pellucid::standalone::viewport
