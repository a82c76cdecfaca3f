#include <memory>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "objects/collbox.h"
#include "objects/collbox_mesh.h"
#include "plugin/library.h"

namespace {

std::string Text(const char* s) {
    return s ? s : "<null>";
}

struct BoxParams {
    float length = -1, width = -1, height = -1;
    int wsegs = -1, lsegs = -1, hsegs = -1, mapping = -1;
    bool operator==(const BoxParams&) const = default;
};

void PrintTo(const BoxParams& p, std::ostream* out) {
    *out << "length " << p.length << ", width " << p.width << ", height " << p.height
         << ", segments " << p.wsegs << "/" << p.lsegs << "/" << p.hsegs << ", mapping "
         << p.mapping;
}

BoxParams Params(CollBox& box, TimeValue t = 0) {
    BoxParams p;
    Interval valid = FOREVER;
    box.pblock->GetValue(PB_LENGTH, t, p.length, valid);
    box.pblock->GetValue(PB_WIDTH, t, p.width, valid);
    box.pblock->GetValue(PB_HEIGHT, t, p.height, valid);
    box.pblock->GetValue(PB_WSEGS, t, p.wsegs, valid);
    box.pblock->GetValue(PB_LSEGS, t, p.lsegs, valid);
    box.pblock->GetValue(PB_HSEGS, t, p.hsegs, valid);
    box.pblock->GetValue(PB_GENUV, t, p.mapping, valid);
    return p;
}

// The box's strings come from the library's resources, which need a module handle; the
// class-wide values start from their defaults in every test.
class CollBoxTest : public testing::Test {
  protected:
    void SetUp() override {
        static int module = 0;
        hInstance = reinterpret_cast<HINSTANCE>(&module);
        CollBox::ResetClassParams();
    }
    void TearDown() override {
        CollBox::ResetClassParams();
        hInstance = nullptr;
    }
};

TEST_F(CollBoxTest, NewBoxStartsFromTheClassDefaults) {
    CollBox box;
    EXPECT_EQ(Params(box), (BoxParams{0, 0, 0, 1, 1, 1, 0}));
    EXPECT_EQ(box.pblock->NumParams(), 7);
    EXPECT_EQ(box.pblock->GetVersion(), 1u);
    EXPECT_EQ(box.suspendSnap, 0);
}

TEST_F(CollBoxTest, IdentityAndNames) {
    CollBox box;
    EXPECT_EQ(box.ClassID(), Class_ID(0x576809a3, 0x3f972dbe));
    EXPECT_EQ(box.SuperClassID(), GEOMOBJECT_CLASS_ID);
    EXPECT_EQ(Text(box.GetObjectName()), "CollBox");
    CStr name;
    box.GetClassName(name);
    EXPECT_EQ(name.str(), "CollBox");
    const char* expected[] = {"Length",         "Width",           "Height",
                              "Width Segments", "Length Segments", "Height Segments"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Text(box.GetParameterName(i)), expected[i]);
    }
    EXPECT_EQ(Text(box.GetParameterName(6)), "");
    EXPECT_EQ(Text(box.GetParameterName(-1)), "");
    using Dim = CollBox::ParamDimension;
    EXPECT_EQ(box.GetParameterDim(0), Dim::World);
    EXPECT_EQ(box.GetParameterDim(2), Dim::World);
    EXPECT_EQ(box.GetParameterDim(3), Dim::Segments);
    EXPECT_EQ(box.GetParameterDim(5), Dim::Segments);
    EXPECT_EQ(box.GetParameterDim(6), Dim::Default);
    EXPECT_EQ(box.OKtoDisplay(0), TRUE);
}

TEST_F(CollBoxTest, SetParamsTakesWidthHeightLengthInThatOrder) {
    CollBox box;
    box.SetParams(2.0f, 3.0f, 4.0f, 5, 6, 7, TRUE);
    EXPECT_EQ(Params(box), (BoxParams{4, 2, 3, 5, 6, 7, 1}));
}

TEST_F(CollBoxTest, BuildMeshUsesTheParameterBlock) {
    CollBox box;
    box.SetParams(2.0f, 3.0f, 4.0f, 2, 3, 4, TRUE);
    box.BuildMesh(0);
    Mesh expected;
    BuildCollBoxMesh(expected, 4.0f, 2.0f, 3.0f, 2, 3, 4, true);
    EXPECT_EQ(box.mesh.verts, expected.verts);
    EXPECT_EQ(box.mesh.getNumFaces(), 104);
    EXPECT_EQ(box.mesh.tVerts, expected.tVerts);
    EXPECT_EQ(box.ivalid, FOREVER);

    // Changed parameters are seen by the next conversion.
    box.SetParams(1.0f, 1.0f, 1.0f, 1, 1, 1, FALSE);
    ASSERT_EQ(box.CanConvertToType(triObjectClassID), 1);
    Object* converted = box.ConvertToType(0, triObjectClassID);
    ASSERT_NE(converted, nullptr);
    auto* tri = dynamic_cast<TriObject*>(converted);
    ASSERT_NE(tri, nullptr);
    EXPECT_EQ(tri->GetMesh().getNumVerts(), 8);
    EXPECT_EQ(tri->GetMesh().getNumTVerts(), 0);
    delete converted;
}

TEST_F(CollBoxTest, CreationValuesGoThroughTheParameterArray) {
    CollBox box;
    IParamArray& values = box;
    Interval valid = FOREVER;
    EXPECT_EQ(values.SetValue(2, 0, 5.0f), TRUE);
    EXPECT_EQ(values.SetValue(3, 0, 6.0f), TRUE);
    EXPECT_EQ(values.SetValue(4, 0, -7.0f), TRUE);
    EXPECT_EQ(values.SetValue(0, 0, 1), TRUE);
    Point3 position(1, 2, 3);
    EXPECT_EQ(values.SetValue(1, 0, position), TRUE);

    float f = 0;
    int i = 0;
    Point3 p;
    EXPECT_EQ(values.GetValue(2, 0, f, valid), TRUE);
    EXPECT_EQ(f, 5.0f);
    EXPECT_EQ(values.GetValue(4, 0, f, valid), TRUE);
    EXPECT_EQ(f, -7.0f);
    EXPECT_EQ(values.GetValue(0, 0, i, valid), TRUE);
    EXPECT_EQ(i, 1);
    EXPECT_EQ(values.GetValue(1, 0, p, valid), TRUE);
    EXPECT_EQ(p, Point3(1, 2, 3));

    // An index of another type is ignored, yet answered with TRUE.
    f = 99.0f;
    EXPECT_EQ(values.GetValue(0, 0, f, valid), TRUE);
    EXPECT_EQ(f, 99.0f);
    EXPECT_EQ(values.SetValue(2, 0, 42), TRUE);
    EXPECT_EQ(values.SetValue(7, 0, 1.0f), TRUE);
    EXPECT_EQ(values.GetValue(2, 0, f, valid), TRUE);
    EXPECT_EQ(f, 5.0f);
    EXPECT_EQ(values.GetParamBlock(), nullptr);
    EXPECT_EQ(values.KeyFrameAtTime(0, 0), FALSE);

    // A new box takes its sizes from the creation values.
    CollBox next;
    const BoxParams n = Params(next);
    EXPECT_EQ(n.length, 5.0f);
    EXPECT_EQ(n.width, 6.0f);
    EXPECT_EQ(n.height, -7.0f);
}

TEST_F(CollBoxTest, LeavingTheEditorCarriesSegmentCountsToTheNextBox) {
    CollBox edited;
    edited.BeginEditParams(nullptr, 0, nullptr);
    edited.SetParams(1, 1, 1, 3, 4, 5, TRUE);
    edited.EndEditParams(nullptr, END_EDIT_REMOVEUI, nullptr);
    CollBox next;
    // Sizes and mapping are not carried.
    EXPECT_EQ(Params(next), (BoxParams{0, 0, 0, 3, 4, 5, 0}));

    CollBox::ResetClassParams();
    CollBox reset;
    EXPECT_EQ(Params(reset).wsegs, 1);
    EXPECT_EQ(Params(reset).hsegs, 1);
}

TEST_F(CollBoxTest, ResetClassParamsForgetsCreationValues) {
    CollBox box;
    box.SetValue(2, 0, 5.0f);
    box.SetValue(0, 0, 1);
    Point3 position(1, 1, 1);
    box.SetValue(1, 0, position);
    CollBox::ResetClassParams();
    Interval valid = FOREVER;
    float f = -1;
    int i = -1;
    Point3 p(9, 9, 9);
    box.GetValue(2, 0, f, valid);
    box.GetValue(0, 0, i, valid);
    box.GetValue(1, 0, p, valid);
    EXPECT_EQ(f, 0.0f);
    EXPECT_EQ(i, 0);
    EXPECT_EQ(p, Point3(0, 0, 0));
}

TEST_F(CollBoxTest, CloneCopiesTheParameterBlockAndRebuildsItsMesh) {
    CollBox box;
    box.SetParams(2, 3, 4, 2, 2, 2, TRUE);
    box.BuildMesh(0);
    std::unique_ptr<CollBox> copy(box.Clone());
    EXPECT_NE(copy->pblock, box.pblock);
    EXPECT_TRUE(copy->ivalid.Empty());
    box.SetParams(9, 9, 9, 1, 1, 1, FALSE);
    EXPECT_EQ(Params(*copy), (BoxParams{4, 2, 3, 2, 2, 2, 1}));
    copy->UpdateMesh(0);
    EXPECT_EQ(copy->mesh.getNumVerts(), 2 * 9 + 2 * 1 * 4);
}

TEST_F(CollBoxTest, ParameterBlockIsReferenceAndSubAnimZero) {
    CollBox box;
    EXPECT_EQ(box.NumRefs(), 1);
    EXPECT_EQ(box.NumSubs(), 1);
    EXPECT_EQ(box.GetReference(0), box.pblock);
    EXPECT_EQ(box.SubAnim(0), box.pblock);
    EXPECT_EQ(box.GetReference(1), nullptr);
    EXPECT_EQ(box.SubAnim(1), nullptr);

    CollBox other;
    other.SetParams(7, 7, 7, 1, 1, 1, FALSE);
    IParamBlock* block = other.pblock->Clone();
    box.SetReference(0, block);
    EXPECT_EQ(box.pblock, block);
    EXPECT_EQ(Params(box).width, 7.0f);
    // What is not a parameter block cannot take its place.
    box.SetReference(0, nullptr);
    EXPECT_EQ(box.pblock, block);
}

}  // namespace
