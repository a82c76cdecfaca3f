// The collision box as an artist meets it: its parameter page, how viewports show it, creating
// it with the mouse, converting it to patches, cloning it and loading an older scene.
#include <gtest/gtest.h>

#include <memory>

#include "host/object_load.h"
#include "host/patch_mesh.h"
#include "objects/collbox.h"
#include "plugin/library.h"
#include "resources/resource_ids.h"
#include "standalone/document/scene_document_io.h"
#include "standalone/host/standalone_host.h"
#include "standalone/viewport/create_by_mouse.h"
#include "standalone/viewport/scene_drawing.h"

namespace pellucid::test {
namespace {

using standalone::panels::EditControl;
using standalone::panels::PanelPage;
using standalone::panels::SpinnerControl;
using standalone::viewport::MouseEvent;
using standalone::viewport::ViewKind;
using standalone::viewport::Viewport;

std::unique_ptr<standalone::StandaloneHost> Host(const std::string& nodes = "[]") {
    auto host = std::make_unique<standalone::StandaloneHost>(standalone::ParseSceneDocument(
        R"({"pellucidScene": 1, "nodes": )" + nodes + "}", "", "collbox-test"));
    host->SetEchoMessages(false);
    CollBox::ResetClassParams();
    return host;
}

// A parameter of the box's block at time 0 (-1 when the block does not answer it).
template <typename Value = float>
Value Param(CollBox& box, int index) {
    Value v = -1;
    Interval valid = FOREVER;
    box.pblock->GetValue(index, 0, v, valid);
    return v;
}

TEST(CollBoxPage, OneSharedPageFollowsTheEditedBoxAndCarriesSegments) {
    auto host = Host();
    CollBox first;
    first.SetParams(2, 3, 4, 1, 1, 1, FALSE);
    first.BeginEditParams(host.get(), 0, nullptr);
    PanelPage* page = host->Toolkit().FindPage("Parameters");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->DialogId(), IDD_COLLBOX_PARAMS);
    EXPECT_EQ(page->Find<SpinnerControl>(IDC_LENSPINNER)->value, 4.0f);
    EXPECT_EQ(page->Find<SpinnerControl>(IDC_WIDTHSPINNER)->value, 2.0f);
    EXPECT_EQ(page->Find<SpinnerControl>(IDC_HEIGHTSPINNER)->value, 3.0f);
    // Typing changes the box, within the spinners' limits, and the mesh follows.
    page->TypeText(IDC_LENGTHEDIT, "12");
    page->TypeText(IDC_WIDTHEDIT, "-5");
    page->TypeText(IDC_HEIGHTEDIT, "-5");
    EXPECT_EQ(Param(first, PB_LENGTH), 12.0f);
    EXPECT_EQ(Param(first, PB_WIDTH), 0.0f);
    EXPECT_EQ(Param(first, PB_HEIGHT), -5.0f);
    first.UpdateMesh(0);
    EXPECT_EQ(first.mesh.getVert(7).y, 6.0f);
    first.pblock->SetValue(PB_WSEGS, 0, 3);
    first.EndEditParams(host.get(), 0, nullptr);

    // The next box edited takes over the same page; it was made with the carried segments.
    CollBox second;
    EXPECT_EQ(Param<int>(second, PB_WSEGS), 3);
    second.SetParams(7, 8, 9, 1, 1, 1, FALSE);
    second.BeginEditParams(host.get(), 0, &first);
    EXPECT_EQ(host->Toolkit().Pages().size(), 1u);
    EXPECT_EQ(page->Find<SpinnerControl>(IDC_LENSPINNER)->value, 9.0f);
    EXPECT_EQ(page->Find<EditControl>(IDC_LENGTHEDIT)->text, "9.000");
    page->ClickSpinner(IDC_LENSPINNER, true);
    EXPECT_GT(Param(second, PB_LENGTH), 9.0f);
    EXPECT_EQ(Param(first, PB_LENGTH), 12.0f);
    second.EndEditParams(host.get(), END_EDIT_REMOVEUI, nullptr);
    EXPECT_TRUE(host->Toolkit().Pages().empty());
    EXPECT_EQ(CollBox::ParamMap(), nullptr);
}

TEST(CollBoxDisplay, ShowsInWireframeViewportsOnly) {
    auto host = Host(R"([{"name": "Box", "object": {"type": "CollBox", "length": 2, "width": 2,
        "height": 2}}, {"name": "Mesh", "object": {"type": "box", "length": 1, "width": 1,
        "height": 1}}])");
    for (const bool shaded : {false, true}) {
        Viewport view(ViewKind::Front, 200, 100);
        view.SetShaded(shaded);
        standalone::viewport::DrawScene(host->GetRootNode(), view);
        size_t lines = 0, triangles = 0;
        for (const auto& p : view.Window().Primitives()) {
            (p.kind == standalone::viewport::SvgGraphicsWindow::Primitive::Kind::Line
                 ? lines
                 : triangles)++;
        }
        // Each box shows its 12 edges (the diagonals are hidden) in wireframe; shaded, only the
        // box primitive shows, as 12 faces.
        EXPECT_EQ(lines, shaded ? 0u : 24u);
        EXPECT_EQ(triangles, shaded ? 12u : 0u);
    }
}

// A top view in which the origin is at pixel (400, 300) and a pixel is a tenth of a unit.
Viewport TopView(bool snap) {
    Viewport view(ViewKind::Top, 800, 600);
    view.SetView(Point3(0, 0, 0), 0.1f);
    view.SetGridSnap(snap, 1.0f);
    return view;
}

TEST(CollBoxCreation, ThreeClicksMakeABoxOnTheConstructionPlane) {
    auto host = Host();
    Viewport view = TopView(false);
    const std::vector<MouseEvent> events = {{MOUSE_POINT, {400, 300}}, {MOUSE_MOVE, {450, 250}},
                                            {MOUSE_MOVE, {500, 200}},  {MOUSE_POINT, {500, 200}},
                                            {MOUSE_MOVE, {500, 170}},  {MOUSE_POINT, {500, 150}}};
    INode* node =
        standalone::viewport::CreateByMouse(*host, view, COLLBOX_CLASS_ID, events, "Hitbox");
    ASSERT_NE(node, nullptr);
    auto* box = dynamic_cast<CollBox*>(node->EvalWorldState(0).obj);
    ASSERT_NE(box, nullptr);
    EXPECT_NEAR(Param(*box, PB_WIDTH), 10.0f, 1e-4f);
    EXPECT_NEAR(Param(*box, PB_LENGTH), 10.0f, 1e-4f);
    // The height follows the mouse from the second click: 50 pixels up.
    EXPECT_NEAR(Param(*box, PB_HEIGHT), 5.0f, 1e-3f);
    EXPECT_EQ(box->suspendSnap, 0);
    const Point3 at = node->GetNodeTM(0).GetTrans();
    EXPECT_NEAR(at.x, 5.0f, 1e-4f);
    EXPECT_NEAR(at.y, 5.0f, 1e-4f);
    EXPECT_EQ(at.z, 0.0f);
    EXPECT_EQ(host->GetRootNode()->NumberOfChildren(), 1);

    // Dragged down from the second click, the height is negative: the box hangs below its plane.
    INode* hanging = standalone::viewport::CreateByMouse(
        *host, view, COLLBOX_CLASS_ID,
        {{MOUSE_POINT, {400, 300}}, {MOUSE_POINT, {500, 200}}, {MOUSE_POINT, {500, 250}}},
        "Hanging");
    ASSERT_NE(hanging, nullptr);
    EXPECT_NEAR(Param(*dynamic_cast<CollBox*>(hanging->EvalWorldState(0).obj), PB_HEIGHT), -5.0f,
                1e-3f);
}

TEST(CollBoxCreation, CtrlMakesASquareBaseAndAFrontViewStandsTheBoxOnItsPlane) {
    auto host = Host();
    Viewport view = TopView(false);
    INode* square = standalone::viewport::CreateByMouse(*host, view, COLLBOX_CLASS_ID,
                                                        {{MOUSE_POINT, {400, 300}},
                                                         {MOUSE_POINT, {420, 250}, MOUSE_CTRL},
                                                         {MOUSE_POINT, {420, 240}}},
                                                        "Square");
    ASSERT_NE(square, nullptr);
    auto* box = dynamic_cast<CollBox*>(square->EvalWorldState(0).obj);
    EXPECT_NEAR(Param(*box, PB_WIDTH), 10.0f, 1e-4f);
    EXPECT_NEAR(Param(*box, PB_LENGTH), 10.0f, 1e-4f);
    // With Ctrl the base is centred on the first point.
    EXPECT_NEAR(Length(square->GetNodeTM(0).GetTrans()), 0.0f, 1e-4f);

    Viewport front(ViewKind::Front, 800, 600);
    front.SetView(Point3(0, 0, 0), 0.1f);
    front.SetGridSnap(false);
    INode* standing = standalone::viewport::CreateByMouse(
        *host, front, COLLBOX_CLASS_ID,
        {{MOUSE_POINT, {400, 300}}, {MOUSE_POINT, {500, 200}}, {MOUSE_POINT, {500, 200}}},
        "Standing");
    ASSERT_NE(standing, nullptr);
    // The front view's plane is the XZ plane: the box's base lies in it, its height along -y.
    const Matrix3 tm = standing->GetNodeTM(0);
    EXPECT_NEAR(tm.GetRow(2).y, -1.0f, 1e-5f);
    EXPECT_NEAR(tm.GetTrans().x, 5.0f, 1e-4f);
    EXPECT_NEAR(tm.GetTrans().z, 5.0f, 1e-4f);
}

TEST(CollBoxCreation, ASmallDragCreatesNothing) {
    auto host = Host();
    Viewport view = TopView(false);
    // Less than 3 pixels between the clicks.
    EXPECT_EQ(standalone::viewport::CreateByMouse(
                  *host, view, COLLBOX_CLASS_ID,
                  {{MOUSE_POINT, {400, 300}}, {MOUSE_POINT, {402, 302}}}, "Tiny"),
              nullptr);
    // Far enough on screen, but both points snap to the same grid point.
    Viewport snapping = TopView(true);
    snapping.SetGridSnap(true, 10.0f);
    EXPECT_EQ(standalone::viewport::CreateByMouse(
                  *host, snapping, COLLBOX_CLASS_ID,
                  {{MOUSE_POINT, {400, 300}}, {MOUSE_POINT, {420, 290}}}, "Snapped"),
              nullptr);
    // An abort message cancels at any point.
    EXPECT_EQ(standalone::viewport::CreateByMouse(
                  *host, view, COLLBOX_CLASS_ID,
                  {{MOUSE_POINT, {400, 300}}, {MOUSE_POINT, {500, 200}}, {MOUSE_ABORT, {0, 0}}},
                  "Aborted"),
              nullptr);
    EXPECT_EQ(host->GetRootNode()->NumberOfChildren(), 0);
}

TEST(CollBoxPatch, SixQuadPatchesOverTheCorners) {
    auto host = Host();
    CollBox box;
    box.SetParams(4, 2, 6, 5, 5, 5, TRUE);
    ASSERT_TRUE(box.CanConvertToType(patchObjectClassID));
    std::unique_ptr<Object> converted(box.ConvertToType(0, patchObjectClassID));
    auto* patch = dynamic_cast<PatchObject*>(converted.get());
    ASSERT_NE(patch, nullptr);
    EXPECT_FALSE(patch->IsLocked());
    const PatchMesh& pm = patch->patch;
    EXPECT_EQ(pm.getNumVerts(), 8);
    EXPECT_EQ(pm.getNumVecs(), 48);
    EXPECT_EQ(pm.getNumPatches(), 6);
    EXPECT_EQ(pm.getNumEdges(), 12);
    for (const PatchEdge& e : pm.edges) {
        EXPECT_EQ(e.patches.size(), 2u);
        const Point3 a = pm.verts[static_cast<size_t>(e.v1)].p;
        const Point3 b = pm.verts[static_cast<size_t>(e.v2)].p;
        EXPECT_NEAR(Length(pm.vecs[static_cast<size_t>(e.vec12)].p - (a + (b - a) / 3.0f)), 0,
                    1e-5f);
        EXPECT_NEAR(Length(pm.vecs[static_cast<size_t>(e.vec21)].p - (b + (a - b) / 3.0f)), 0,
                    1e-5f);
    }
    EXPECT_EQ(pm.verts[6].p, Point3(2, 3, 2));
    // Interior vectors: the corner moved by both of its edge vectors' offsets.
    const Patch& bottom = pm.patches[0];
    const Point3 corner = pm.verts[static_cast<size_t>(bottom.v[0])].p;
    const Point3 expected = pm.vecs[static_cast<size_t>(bottom.vec[0])].p +
                            pm.vecs[static_cast<size_t>(bottom.vec[7])].p - corner;
    EXPECT_NEAR(Length(pm.vecs[static_cast<size_t>(bottom.interior[0])].p - expected), 0, 1e-5f);
    EXPECT_EQ(pm.mapVerts.size(), 4u);
    EXPECT_EQ(pm.mapPatches.size(), 6u);
    box.SetParams(4, 2, 6, 1, 1, 1, FALSE);
    std::unique_ptr<Object> plain(box.ConvertToType(0, patchObjectClassID));
    EXPECT_TRUE(dynamic_cast<PatchObject*>(plain.get())->patch.mapVerts.empty());
}

class RecordingLoad : public ILoad {
  public:
    void RegisterPostLoadCallback(PostLoadCallback* cb) override { callbacks.push_back(cb); }
    void Finish() {
        for (PostLoadCallback* cb : callbacks) {
            cb->proc(this);
        }
        callbacks.clear();
    }
    std::vector<PostLoadCallback*> callbacks;
};

TEST(CollBoxLoad, AFirstVersionBlockGainsTheMappingFlag) {
    auto host = Host();
    std::unique_ptr<CollBox> loaded(
        static_cast<CollBox*>(static_cast<Object*>(LibClassDesc(2)->Create(TRUE))));
    const ParamBlockDescID oldDesc[] = {
        {TYPE_FLOAT, nullptr, TRUE, 0}, {TYPE_FLOAT, nullptr, TRUE, 1},
        {TYPE_FLOAT, nullptr, TRUE, 2}, {TYPE_INT, nullptr, TRUE, 3},
        {TYPE_INT, nullptr, TRUE, 4},   {TYPE_INT, nullptr, TRUE, 5}};
    IParamBlock* saved = CreateParameterBlock(oldDesc, 6, 0);
    saved->SetValue(PB_LENGTH, 0, 3.0f);
    saved->SetValue(PB_HSEGS, 0, 4);
    loaded->SetReference(0, saved);
    RecordingLoad iload;
    loaded->Load(&iload);
    ASSERT_EQ(iload.callbacks.size(), 1u);
    iload.Finish();
    EXPECT_EQ(loaded->pblock->GetVersion(), 1u);
    EXPECT_EQ(loaded->pblock->NumParams(), 7);
    EXPECT_EQ(Param(*loaded, PB_LENGTH), 3.0f);
    EXPECT_EQ(Param<int>(*loaded, PB_HSEGS), 4);
    EXPECT_EQ(Param<int>(*loaded, PB_GENUV), 0);
    // A current block is left as it is.
    IParamBlock* current = loaded->pblock;
    loaded->Load(&iload);
    iload.Finish();
    EXPECT_EQ(loaded->pblock, current);
    RemapDir remap;
    std::unique_ptr<ReferenceTarget> clone(loaded->Clone(remap));
    EXPECT_EQ(Param(*dynamic_cast<CollBox*>(clone.get()), PB_LENGTH), 3.0f);
}

}  // namespace
}  // namespace pellucid::test
