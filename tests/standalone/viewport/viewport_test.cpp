#include <gtest/gtest.h>

#include "standalone/document/scene_document_io.h"
#include "standalone/host/standalone_host.h"
#include "standalone/viewport/scene_drawing.h"

namespace pellucid::standalone::viewport {
namespace {

TEST(Viewport, ScreenPointsMapOntoEachViewsConstructionPlaneAndBack) {
    for (ViewKind kind : {ViewKind::Top, ViewKind::Front, ViewKind::Left, ViewKind::Perspective}) {
        Viewport view(kind, 640, 480);
        view.SetView(Point3(3, -2, 1), 0.05f);
        view.SetGridSnap(false);
        const Matrix3 plane = view.ConstructionPlane();
        for (const Point3& onPlane : {Point3(0, 0, 0), Point3(2.5f, -1.0f, 0), Point3(-4, 7, 0)}) {
            Point2 screen;
            float depth = 0.0f;
            ASSERT_TRUE(view.Project(onPlane * plane, screen, depth));
            const IPoint2 pixel(static_cast<int>(std::lround(screen.x)),
                                static_cast<int>(std::lround(screen.y)));
            const Point3 back = view.ScreenToPlane(pixel);
            // Within the half pixel lost to rounding the screen point.
            const float tolerance = kind == ViewKind::Perspective ? 0.2f : 0.05f;
            EXPECT_NEAR(back.x, onPlane.x, tolerance) << static_cast<int>(kind);
            EXPECT_NEAR(back.y, onPlane.y, tolerance) << static_cast<int>(kind);
            EXPECT_NEAR(back.z, 0.0f, 1e-3f);
        }
    }
}

TEST(Viewport, OrthographicViewsLookAlongTheirAxes) {
    struct Case {
        ViewKind kind;
        Point3 right, up;
    };
    for (const Case& c :
         {Case{ViewKind::Top, {1, 0, 0}, {0, 1, 0}}, Case{ViewKind::Front, {1, 0, 0}, {0, 0, 1}},
          Case{ViewKind::Left, {0, -1, 0}, {0, 0, 1}}}) {
        Viewport view(c.kind, 200, 100);
        view.SetView(Point3(), 0.5f);
        Point2 origin, right, up;
        float depth = 0.0f;
        view.Project(Point3(), origin, depth);
        view.Project(c.right, right, depth);
        view.Project(c.up, up, depth);
        EXPECT_EQ(origin.x, 100.0f);
        EXPECT_EQ(origin.y, 50.0f);
        EXPECT_EQ(right.x - origin.x, 2.0f);
        EXPECT_EQ(up.y - origin.y, -2.0f);
    }
}

TEST(Viewport, GridSnappingAndDisplacement) {
    Viewport view(ViewKind::Top, 800, 600);
    view.SetView(Point3(), 0.1f);
    view.SetGridSnap(true, 2.0f);
    IPoint2 out;
    EXPECT_EQ(view.SnapPoint(IPoint2(413, 288), out), Point3(2, 2, 0));
    EXPECT_EQ(out, IPoint2(413, 288));
    EXPECT_EQ(view.SnapLength(2.9f), 2.0f);
    view.SetGridSnap(false);
    EXPECT_NEAR(view.SnapLength(2.9f), 2.9f, 1e-6f);
    // In the top view a height follows the mouse upwards; in the front view along its own axis.
    EXPECT_NEAR(view.GetCPDisp(Point3(), Point3(0, 0, 1), IPoint2(0, 100), IPoint2(0, 80)), 2.0f,
                1e-5f);
    Viewport front(ViewKind::Front, 800, 600);
    front.SetView(Point3(), 0.1f);
    EXPECT_NEAR(front.GetCPDisp(Point3(), Point3(1, 0, 0), IPoint2(0, 0), IPoint2(30, 0)), 3.0f,
                1e-4f);
}

TEST(SceneDrawing, HiddenNodesAndPointsBehindTheCameraAreLeftOut) {
    StandaloneHost host(ParseSceneDocument(R"({"pellucidScene": 1, "nodes": [
        {"name": "Shown", "object": {"type": "box", "length": 1, "width": 1, "height": 1}},
        {"name": "Gone", "hidden": true, "object": {"type": "box", "length": 1, "width": 1,
         "height": 1}},
        {"name": "Bone", "object": {"type": "bone"}}]})",
                                           "", "drawing"));
    Viewport view(ViewKind::Top, 100, 100);
    DrawScene(host.GetRootNode(), view);
    size_t lines = 0, markers = 0;
    for (const auto& p : view.Window().Primitives()) {
        lines += p.kind == SvgGraphicsWindow::Primitive::Kind::Line ? 1 : 0;
        markers += p.kind == SvgGraphicsWindow::Primitive::Kind::Marker ? 1 : 0;
    }
    EXPECT_EQ(lines, 12u);
    EXPECT_EQ(markers, 1u);

    Viewport perspective(ViewKind::Perspective, 100, 100);
    perspective.SetView(Point3(), 0.1f);
    Point2 screen;
    float depth = 0.0f;
    EXPECT_FALSE(perspective.Project(Point3(1000, -1000, 750), screen, depth));
    const std::string svg = SceneSvg(host.GetRootNode(), ViewKind::Perspective, false, {});
    EXPECT_EQ(svg.rfind("<svg ", 0), 0u);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
}

// What the library draws through the graphics window comes out in world space, in the colour
// set for its kind, closed where asked; calls without points draw nothing.
TEST(SvgWindow, LinesTrianglesAndMarkersAsDrawn) {
    SvgGraphicsWindow window;
    window.setTransform(TransMatrix(Point3(10, 0, 0)));
    window.setColor(LINE_COLOR, 1.0f, 0.0f, 0.0f);
    window.setColor(FILL_COLOR, 0.0f, 0.0f, 1.0f);
    Point3 square[] = {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}};
    window.polyline(4, square, nullptr, TRUE, nullptr);
    window.polyline(2, square, nullptr, FALSE, nullptr);
    window.polyline(1, square, nullptr, TRUE, nullptr);
    window.polyline(2, nullptr, nullptr, FALSE, nullptr);
    window.triangle(square, nullptr);
    window.triangle(nullptr, nullptr);
    window.marker(&square[2], 0);
    window.marker(nullptr, 0);
    const auto flat = [](const Point3& world, Point2& screen, float& depth) {
        screen = Point2(world.x, world.y);
        depth = world.z;
        return true;
    };
    EXPECT_EQ(window.ToSvg(20, 10, flat, false),
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"20\" height=\"10\" "
              "viewBox=\"0 0 20 10\">\n"
              "<rect width=\"20\" height=\"10\" fill=\"#3f3f3f\"/>\n"
              "<path d=\"M10.00 0.00 L14.00 0.00 L14.00 4.00 L10.00 4.00 Z\" fill=\"none\" "
              "stroke=\"#ff0000\" stroke-width=\"1\"/>\n"
              "<path d=\"M10.00 0.00 L14.00 0.00\" fill=\"none\" stroke=\"#ff0000\" "
              "stroke-width=\"1\"/>\n"
              "<polygon points=\"10.00 0.00 14.00 0.00 14.00 4.00\" fill=\"#0000c9\" "
              "stroke=\"#0000c9\" stroke-width=\"0.5\"/>\n"
              "<path d=\"M10.00 4.00 L18.00 4.00 M14.00 0.00 L14.00 8.00\" stroke=\"#ff0000\" "
              "stroke-width=\"1\"/>\n"
              "</svg>\n");
}

}  // namespace
}  // namespace pellucid::standalone::viewport
