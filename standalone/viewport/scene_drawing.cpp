#include "standalone/viewport/scene_drawing.h"

#include <array>

#include "utilities/check_helpers.h"

namespace pellucid::standalone::viewport {

namespace {

// Wire colours given to nodes in turn, as the host gives new objects theirs.
constexpr std::array<Color, 6> kWireColours = {
    Color(0.53f, 0.81f, 0.98f), Color(0.60f, 0.89f, 0.44f), Color(0.98f, 0.80f, 0.40f),
    Color(0.85f, 0.62f, 0.95f), Color(0.95f, 0.95f, 0.95f), Color(0.40f, 0.85f, 0.80f)};

}  // namespace

void DrawScene(INode* root, Viewport& view) {
    GraphicsWindow* gw = view.getGW();
    gw->setRndLimits(view.IsWire() ? GW_WIREFRAME : (GW_Z_BUFFER | GW_ILLUM | GW_FLAT));
    std::vector<INode*> pending{root};
    size_t index = 0;
    while (!pending.empty()) {
        INode* node = pending.back();
        pending.pop_back();
        for (int i = node->NumberOfChildren() - 1; i >= 0; --i) {
            pending.push_back(node->GetChildNode(i));
        }
        if (node->IsRootNode() || node->IsHidden()) {
            continue;
        }
        const Color colour = kWireColours[index++ % kWireColours.size()];
        gw->setColor(LINE_COLOR, colour.r, colour.g, colour.b);
        gw->setColor(FILL_COLOR, colour.r, colour.g, colour.b);
        Object* obj = node->EvalWorldState(0, TRUE).obj;
        if (obj == nullptr) {
            continue;
        }
        if (obj->SuperClassID() == HELPER_CLASS_ID) {
            gw->setTransform(node->GetNodeTM(0));
            Point3 origin;
            gw->marker(&origin, 0);
            continue;
        }
        obj->Display(0, node, &view, 0);
    }
}

void FillFaces(Viewport& view, const FaceHighlight& highlight) {
    EvaluatedMesh evaluated(highlight.node);
    const Mesh* mesh = evaluated.GetMesh();
    if (mesh == nullptr) {
        return;
    }
    SvgGraphicsWindow& gw = view.Window();
    gw.SetHighlight(true);
    gw.setTransform(highlight.node->GetObjectTM(0));
    const auto verts = static_cast<DWORD>(mesh->getNumVerts());
    for (int f : highlight.faces) {
        if (f < 0 || f >= mesh->getNumFaces()) {
            continue;
        }
        const Face& face = mesh->faces[static_cast<size_t>(f)];
        if (face.v[0] >= verts || face.v[1] >= verts || face.v[2] >= verts) {
            continue;
        }
        Point3 corners[3] = {mesh->getVert(static_cast<int>(face.v[0])),
                             mesh->getVert(static_cast<int>(face.v[1])),
                             mesh->getVert(static_cast<int>(face.v[2]))};
        gw.triangle(corners, nullptr);
    }
    gw.SetHighlight(false);
}

std::string SceneSvg(INode* root, ViewKind kind, bool shaded,
                     const std::vector<FaceHighlight>& highlights, int width, int height) {
    Viewport view(kind, width, height);
    view.SetShaded(shaded);
    DrawScene(root, view);
    for (const FaceHighlight& h : highlights) {
        FillFaces(view, h);
    }
    Point3 lo, hi;
    if (!view.Window().Bounds(lo, hi)) {
        lo = Point3(-10, -10, -10);
        hi = Point3(10, 10, 10);
    }
    view.Fit(lo, hi);
    return view.Svg();
}

}  // namespace pellucid::standalone::viewport
