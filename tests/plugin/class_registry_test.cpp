#include <climits>
#include <string>
#include <typeinfo>
#include <vector>

#include <gtest/gtest.h>

#include "bone_export/expo_bone.h"
#include "exchange/qmo_import.h"
#include "exchange/zut_exporter.h"
#include "exchange/zut_import.h"
#include "exchange/zut_morph.h"
#include "mesh_export/expo_mesh.h"
#include "objects/collbox.h"
#include "objects/game_influence.h"
#include "support/library_fixture.h"
#include "utilities/check_mapping.h"
#include "utilities/check_material.h"
#include "utilities/check_sorting_group.h"
#include "utilities/check_texel_size.h"
#include "utilities/check_volume.h"
#include "utilities/copy_bones.h"
#include "utilities/portal.h"

namespace {

struct ExpectedClass {
    const char* name;
    SClass_ID superClass;
    ULONG idA, idB;
    const char* category;
};

const ExpectedClass kExpected[] = {
    {"ExpoMesh", 0xA20, 0x20211c93, 0x6b5d7911, "Scene Export"},
    {"ExpoBone", 0xA20, 0x1b864c94, 0x4f03645d, "Scene Export"},
    {"CollBox", 0x50, 0x576809a3, 0x3f972dbe, "Standard"},
    {"CheckSortingGroup", 0x1020, 0x011b3a63, 0x647f1783, "Utility"},
    {"CheckVolume", 0x1020, 0x45486aba, 0x6ee47012, "Utility"},
    {"CheckMaterial", 0x1020, 0x41a80712, 0x459c0817, "Utility"},
    {"CheckMapping", 0x1020, 0x0fe668cc, 0x0adc09d0, "Utility"},
    {"CheckTexelSize", 0x1020, 0x348d7194, 0x0ebc5c3c, "Utility"},
    {"CopyBones", 0x1020, 0x2d483bbe, 0x321d4fac, "Utility"},
    {"Portal", 0x1020, 0x2c7b22cd, 0x1deb7c81, "Utility"},
    {"GameInfluence", 0x810, 0x24813565, 0x06b26ece, "Vantrel modifier"},
    {"ZUTImport", 0xA10, 0x74e21171, 0x5800638e, "Scene Export"},
    {"ZUTExporter", 0xA20, 0x143b104d, 0x64a80218, "Scene Export"},
    {"ZUTMorph", 0x810, 0x06385f7d, 0x27760920, "Vantrel modifier"},
    {"QMOImport", 0xA10, 0x74e61171, 0x5800638e, "Scene Export"},
};

std::string Text(const char* s) {
    return s ? s : "<null>";
}

using ClassRegistryTest = LoadedLibraryTest;

TEST_F(ClassRegistryTest, ExportedFunctionsAnswerVersionCountAndDescription) {
    EXPECT_EQ(LibVersion(), 0x10680800u);
    EXPECT_EQ(LibNumberClasses(), 15);
    // The description is string 1, which the table does not hold.
    EXPECT_EQ(LibDescription(), nullptr);
}

TEST_F(ClassRegistryTest, IndexOutsideTheTableGivesNoDescriptor) {
    EXPECT_EQ(LibClassDesc(15), nullptr);
    EXPECT_EQ(LibClassDesc(-1), nullptr);
    EXPECT_EQ(LibClassDesc(INT_MAX), nullptr);
    EXPECT_EQ(LibClassDesc(INT_MIN), nullptr);
    ASSERT_NE(LibClassDesc(0), nullptr);
    EXPECT_EQ(Text(LibClassDesc(0)->ClassName()), "ExpoMesh");
    ASSERT_NE(LibClassDesc(14), nullptr);
    EXPECT_EQ(Text(LibClassDesc(14)->ClassName()), "QMOImport");
}

TEST_F(ClassRegistryTest, DescriptorsAnswerTheClassTableInOrder) {
    ASSERT_EQ(std::size(kExpected), static_cast<size_t>(LibNumberClasses()));
    for (int i = 0; i < LibNumberClasses(); ++i) {
        SCOPED_TRACE("class " + std::to_string(i));
        ClassDesc* desc = LibClassDesc(i);
        ASSERT_NE(desc, nullptr);
        const ExpectedClass& e = kExpected[i];
        EXPECT_EQ(desc->IsPublic(), 1);
        EXPECT_EQ(Text(desc->ClassName()), e.name);
        EXPECT_EQ(desc->SuperClassID(), e.superClass);
        EXPECT_EQ(desc->ClassID(), Class_ID(e.idA, e.idB));
        EXPECT_EQ(Text(desc->Category()), e.category);
        EXPECT_EQ(desc->BeginCreate(nullptr), 0);
        EXPECT_EQ(desc->EndCreate(nullptr), 0);
        // The same static descriptor every time.
        EXPECT_EQ(LibClassDesc(i), desc);
    }
}

TEST_F(ClassRegistryTest, ClassNamesShareOneBuffer) {
    const char* first = LibClassDesc(0)->ClassName();
    const char* second = LibClassDesc(1)->ClassName();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(Text(first), "ExpoBone");
    EXPECT_EQ(Text(second), "ExpoBone");
}

TEST_F(ClassRegistryTest, WithoutModuleHandleNamesAndCategoriesAreNull) {
    LibraryUnload();
    EXPECT_EQ(LibClassDesc(0)->ClassName(), nullptr);
    EXPECT_EQ(LibClassDesc(0)->Category(), nullptr);
    // Everything else answers without strings.
    EXPECT_EQ(LibClassDesc(0)->ClassID(), Class_ID(0x20211c93, 0x6b5d7911));
}

// Creates an instance through descriptor i, checks its dynamic type, and frees it as the host
// frees that kind.
template <class Base, class T>
void ExpectCreates(int i) {
    SCOPED_TRACE(std::string("class ") + kExpected[i].name);
    ClassDesc* desc = LibClassDesc(i);
    auto* a = static_cast<Base*>(desc->Create(FALSE));
    auto* b = static_cast<Base*>(desc->Create(TRUE));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(typeid(*a), typeid(T));
    EXPECT_EQ(typeid(*b), typeid(T));
    delete a;
    delete b;
}

TEST_F(ClassRegistryTest, CreateMakesANewInstanceOfTheClassOnEveryCall) {
    ExpectCreates<SceneExport, ExpoMesh>(0);
    ExpectCreates<SceneExport, ExpoBone>(1);
    ExpectCreates<Object, CollBox>(2);
    ExpectCreates<UtilityObj, CheckSortingGroup>(3);
    ExpectCreates<UtilityObj, CheckVolume>(4);
    ExpectCreates<UtilityObj, CheckMaterial>(5);
    ExpectCreates<UtilityObj, CheckMapping>(6);
    ExpectCreates<UtilityObj, CheckTexelSize>(7);
    ExpectCreates<UtilityObj, CopyBones>(8);
    ExpectCreates<UtilityObj, Portal>(9);
    ExpectCreates<Modifier, GameInfluence>(10);
    ExpectCreates<SceneImport, ZUTImport>(11);
    ExpectCreates<SceneExport, ZUTExporter>(12);
    ExpectCreates<Modifier, ZUTMorph>(13);
    ExpectCreates<SceneImport, QMOImport>(14);
}

TEST_F(ClassRegistryTest, CreatedObjectsAnswerTheirDescriptorsIdentity) {
    auto* box = static_cast<Object*>(LibClassDesc(2)->Create());
    EXPECT_EQ(box->ClassID(), LibClassDesc(2)->ClassID());
    // The object answers as the geometric object it derives from; only its descriptor says helper.
    EXPECT_EQ(box->SuperClassID(), GEOMOBJECT_CLASS_ID);
    EXPECT_EQ(Text(box->GetObjectName()), "CollBox");
    delete box;

    for (int i : {10, 13}) {
        auto* mod = static_cast<Modifier*>(LibClassDesc(i)->Create());
        EXPECT_EQ(mod->ClassID(), LibClassDesc(i)->ClassID());
        EXPECT_EQ(mod->SuperClassID(), OSM_CLASS_ID);
        EXPECT_EQ(Text(mod->GetName()), kExpected[i].name);
        EXPECT_EQ(mod->ChannelsUsed(), 0x402u);
        EXPECT_EQ(mod->ChannelsChanged(), 0x2u);
        EXPECT_EQ(mod->InputType(), triObjectClassID);
        EXPECT_EQ(mod->LocalValidity(100), FOREVER);
        delete mod;
    }
}

TEST_F(ClassRegistryTest, ModifierNamesSurviveLaterStringLookups) {
    auto* mod = static_cast<Modifier*>(LibClassDesc(10)->Create());
    LibClassDesc(0)->ClassName();
    EXPECT_EQ(Text(mod->GetName()), "GameInfluence");
    delete mod;
}

TEST_F(ClassRegistryTest, UtilityPanelsKeepTheInterfaceAndDeleteThemselves) {
    for (int i = 3; i <= 9; ++i) {
        SCOPED_TRACE(kExpected[i].name);
        auto* util = static_cast<UtilityObj*>(LibClassDesc(i)->Create());
        auto* panel = dynamic_cast<UtilityPanel*>(util);
        ASSERT_NE(panel, nullptr);
        // Only stored, never called.
        static int hostStandIn = 0;
        auto* fakeInterface = reinterpret_cast<Interface*>(&hostStandIn);
        util->BeginEditParams(fakeInterface, nullptr);
        EXPECT_EQ(panel->GetInterface(), fakeInterface);
        // Without a host toolkit there is no page; closing leaves no parameter map.
        util->EndEditParams(fakeInterface, nullptr);
        EXPECT_EQ(panel->GetParamMap(), nullptr);
        util->DeleteThis();
    }
}

TEST_F(ClassRegistryTest, ResetClassParamsOfTheBoxDescriptorRestoresTheBoxDefaults) {
    auto* box = static_cast<CollBox*>(static_cast<Object*>(LibClassDesc(2)->Create()));
    box->SetParams(1.0f, 1.0f, 1.0f, 4, 5, 6, FALSE);
    box->EndEditParams(nullptr, END_EDIT_REMOVEUI, nullptr);
    LibClassDesc(2)->ResetClassParams(TRUE);
    CollBox fresh;
    Interval valid = FOREVER;
    int segs = 0;
    fresh.pblock->GetValue(PB_WSEGS, 0, segs, valid);
    EXPECT_EQ(segs, 1);
    // The other descriptors have no class values; resetting them changes nothing.
    LibClassDesc(0)->ResetClassParams();
    delete box;
}

}  // namespace
