#include "standalone/viewport/svg_graphics_window.h"

#include <fmt/format.h>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace pellucid::standalone::viewport {

namespace {

std::string Hex(const Color& c) {
    const auto channel = [](float v) {
        return static_cast<int>(
            std::lround(std::clamp(std::isnan(v) ? 0.0f : v, 0.0f, 1.0f) * 255));
    };
    return fmt::format("#{:02x}{:02x}{:02x}", channel(c.r), channel(c.g), channel(c.b));
}

std::string Coordinate(const Point2& p) {
    return fmt::format("{:.2f} {:.2f}", p.x, p.y);
}

bool Finite(const Point3& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// A fixed light from above and in front, so that shading does not depend on the view.
const Point3 kLight = Normalize(Point3(0.4f, -0.6f, 0.7f));

constexpr const char* kHighlightFill = "#e8402a";
constexpr const char* kHighlightStroke = "#ffb0a0";

}  // namespace

void SvgGraphicsWindow::setColor(ColorType t, float r, float g, float b) {
    (t == FILL_COLOR ? fill_ : line_) = Color(r, g, b);
}

void SvgGraphicsWindow::Record(Primitive::Kind kind, const Color& colour, const Point3* xyz,
                               int count, bool closed) {
    Primitive p;
    p.kind = kind;
    p.colour = colour;
    p.closed = closed;
    p.highlight = highlight_;
    for (int i = 0; i < count; ++i) {
        p.points.push_back(xyz[i] * transform_);
    }
    primitives_.push_back(std::move(p));
}

void SvgGraphicsWindow::polyline(int ct, Point3* xyz, Point3*, int closed, int*) {
    if (ct >= 2 && xyz != nullptr) {
        Record(Primitive::Kind::Line, line_, xyz, ct, closed != 0);
    }
}

void SvgGraphicsWindow::triangle(Point3* xyz, Point3*) {
    if (xyz != nullptr) {
        Record(Primitive::Kind::Triangle, fill_, xyz, 3, false);
    }
}

void SvgGraphicsWindow::marker(Point3* xyz, int) {
    if (xyz != nullptr) {
        Record(Primitive::Kind::Marker, line_, xyz, 1, false);
    }
}

bool SvgGraphicsWindow::Bounds(Point3& lo, Point3& hi) const {
    bool any = false;
    for (const Primitive& p : primitives_) {
        for (const Point3& q : p.points) {
            if (!Finite(q)) {
                continue;
            }
            if (!any) {
                lo = hi = q;
                any = true;
            }
            for (int i = 0; i < 3; ++i) {
                lo[i] = std::min(lo[i], q[i]);
                hi[i] = std::max(hi[i], q[i]);
            }
        }
    }
    return any;
}

std::string SvgGraphicsWindow::ToSvg(int width, int height, const Projection& project,
                                     bool shaded) const {
    std::string svg = fmt::format(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"{0}\" height=\"{1}\" "
        "viewBox=\"0 0 {0} {1}\">\n<rect width=\"{0}\" height=\"{1}\" fill=\"#3f3f3f\"/>\n",
        width, height);
    struct Projected {
        const Primitive* source;
        std::vector<Point2> points;
        float depth;
    };
    std::vector<Projected> base, highlights;
    for (const Primitive& p : primitives_) {
        Projected out{&p, {}, 0.0f};
        bool visible = true;
        for (const Point3& q : p.points) {
            Point2 s;
            float d = 0.0f;
            if (!Finite(q) || !project(q, s, d)) {
                visible = false;
                break;
            }
            out.points.push_back(s);
            out.depth += d / static_cast<float>(p.points.size());
        }
        if (visible) {
            (p.highlight ? highlights : base).push_back(std::move(out));
        }
    }
    // Far triangles first, so that near ones cover them; the order of equals stays as drawn.
    const auto farFirst = [](const Projected& a, const Projected& b) { return a.depth > b.depth; };
    std::stable_sort(base.begin(), base.end(), farFirst);
    std::stable_sort(highlights.begin(), highlights.end(), farFirst);

    const auto write = [&](const Projected& p, bool highlight) {
        const Primitive& source = *p.source;
        switch (source.kind) {
            case Primitive::Kind::Line: {
                std::string d = "M";
                d += Coordinate(p.points[0]);
                for (size_t i = 1; i < p.points.size(); ++i) {
                    d += " L";
                    d += Coordinate(p.points[i]);
                }
                if (source.closed) {
                    d += " Z";
                }
                svg += fmt::format(
                    "<path d=\"{}\" fill=\"none\" stroke=\"{}\" "
                    "stroke-width=\"{}\"/>\n",
                    d, highlight ? kHighlightStroke : Hex(source.colour), highlight ? "1.5" : "1");
                break;
            }
            case Primitive::Kind::Triangle: {
                const std::string points =
                    fmt::format("{} {} {}", Coordinate(p.points[0]), Coordinate(p.points[1]),
                                Coordinate(p.points[2]));
                if (highlight) {
                    svg += fmt::format(
                        "<polygon points=\"{}\" fill=\"{}\" fill-opacity=\"0.6\" "
                        "stroke=\"{}\" stroke-width=\"0.75\"/>\n",
                        points, kHighlightFill, kHighlightStroke);
                    break;
                }
                const Point3 n = Normalize((source.points[1] - source.points[0]) ^
                                           (source.points[2] - source.points[0]));
                const float light = 0.3f + 0.7f * std::fabs(n % kLight);
                const Color c(source.colour.r * light, source.colour.g * light,
                              source.colour.b * light);
                svg += fmt::format(
                    "<polygon points=\"{0}\" fill=\"{1}\" stroke=\"{1}\" "
                    "stroke-width=\"0.5\"/>\n",
                    points, Hex(c));
                break;
            }
            case Primitive::Kind::Marker: {
                const Point2& m = p.points[0];
                svg += fmt::format(
                    "<path d=\"M{} L{} M{} L{}\" stroke=\"{}\" "
                    "stroke-width=\"1\"/>\n",
                    Coordinate(Point2(m.x - 4, m.y)), Coordinate(Point2(m.x + 4, m.y)),
                    Coordinate(Point2(m.x, m.y - 4)), Coordinate(Point2(m.x, m.y + 4)),
                    Hex(source.colour));
                break;
            }
        }
    };
    for (const Projected& p : base) {
        write(p, false);
    }
    for (const Projected& p : highlights) {
        write(p, true);
    }
    (void)shaded;
    svg += "</svg>\n";
    return svg;
}

}  // namespace pellucid::standalone::viewport
