// Conversions of real files from Assimp's test models, checked against what Assimp itself reports
// for each file, and exported: both scripts must parse back and agree with the conversion.
#include <gtest/gtest.h>

#include <algorithm>

#include "interchange_support.h"
#include "standalone/document/scene_document_io.h"

namespace pellucid::test {
namespace {

struct RealAsset {
    const char* file;
    bool skinned;
    bool animated;
};

const RealAsset kAssets[] = {
    {"glTF2/simple_skin/simple_skin.gltf", true, true},
    {"glTF2/glTF-Sample-Models/AnimatedMorphCube-glTF/AnimatedMorphCube.gltf", false, true},
    {"FBX/huesitos.fbx", true, true},
    {"3DS/test1.3ds", false, false},
    {"Collada/box_nested_animation.dae", true, true},
    {"OBJ/spider.obj", false, false},
};

int Count(const std::vector<ScriptCall>& calls, const std::string& command) {
    return static_cast<int>(std::count_if(
        calls.begin(), calls.end(), [&](const ScriptCall& c) { return c.command == command; }));
}

class RealAssets : public testing::TestWithParam<RealAsset> {
  protected:
    void SetUp() override {
        if (!TestModelsInstalled()) {
            GTEST_SKIP() << "assimp-testmodels is not installed (scripts/install-deps installs it)";
        }
    }
};

TEST_P(RealAssets, CountsAgreeWithAssimp) {
    const std::string path = TestModel(GetParam().file);
    const AssimpFacts facts = ReadAssimpFacts(path);
    const interchange::Conversion conversion = Convert(path);
    const interchange::ConversionCounts& counts = conversion.report.counts;
    EXPECT_EQ(counts.meshes, facts.meshNodes);
    EXPECT_EQ(counts.vertices, facts.positions);
    EXPECT_EQ(counts.faces, facts.triangles);
    EXPECT_EQ(counts.bones, facts.bones);
    EXPECT_EQ(counts.morphChannels, facts.morphTargets);
    EXPECT_EQ(counts.positionKeys, facts.positionKeys);
    EXPECT_EQ(counts.rotationKeys, facts.rotationKeys);
    EXPECT_EQ(counts.scaleKeys, facts.scaleKeys);
    EXPECT_EQ(counts.skins > 0, GetParam().skinned);
    EXPECT_EQ(!conversion.report.animation.empty(), GetParam().animated);
}

TEST_P(RealAssets, ScriptsParseBackAndAgreeWithTheConversion) {
    const interchange::Conversion conversion = Convert(TestModel(GetParam().file));
    const doc::Document& document = conversion.document;
    const interchange::ConversionCounts& counts = conversion.report.counts;
    const ScriptExports scripts = ExportScripts(document);

    // The mesh script writes the first mesh met and warns once for every further one.
    EXPECT_EQ(Count(scripts.meshCalls, "NewObject"), 1);
    const int extra = static_cast<int>(std::count(scripts.messages.begin(), scripts.messages.end(),
                                                  "Warning: More than one object in scene."));
    EXPECT_EQ(extra, counts.meshes - 1);
    const int vertices = Count(scripts.meshCalls, "Vertex");
    const int faces = Count(scripts.meshCalls, "Face");
    bool matched = false;
    for (const doc::Object& object : document.objects) {
        matched = matched || (object.type == doc::ObjectType::Mesh &&
                              static_cast<int>(object.mesh.vertices.size()) == vertices &&
                              static_cast<int>(object.mesh.faces.size()) == faces);
    }
    EXPECT_TRUE(matched) << vertices << " vertices, " << faces << " faces";
    if (counts.meshes == 1) {
        EXPECT_EQ(vertices, counts.vertices);
        EXPECT_EQ(faces, counts.faces);
    }
    EXPECT_EQ(Count(scripts.meshCalls, "Bone"), counts.bones);
    EXPECT_EQ(Count(scripts.meshCalls, "MorphChannel"), counts.morphChannels);

    // Every binding of the skin becomes one influence line.
    int bindings = 0;
    for (const doc::Modifier& modifier : document.modifiers) {
        for (const auto& vertex : modifier.skinVertices) {
            bindings += vertex ? static_cast<int>(vertex->bones.size()) : 0;
        }
    }
    EXPECT_EQ(Count(scripts.meshCalls, "VertexInfluenceRigid"), bindings);
    EXPECT_EQ(bindings > 0, GetParam().skinned);

    if (counts.bones == 0) {
        EXPECT_EQ(scripts.bef, "");
        return;
    }
    ASSERT_EQ(Count(scripts.boneCalls, "AnimInit"), 1);
    EXPECT_EQ(scripts.boneCalls[0].Int(1), counts.bones);
    EXPECT_EQ(Count(scripts.boneCalls, "Bone"), counts.bones);
    EXPECT_EQ(Count(scripts.boneCalls, "RotationKeyFrameInit"), counts.bones);
    // Each bone's rotation entries are its keys, and a rest entry when no key stands at 0.
    for (const ScriptCall& init : scripts.boneCalls) {
        if (init.command != "RotationKeyFrameInit") {
            continue;
        }
        const ScriptCall* bone = nullptr;
        for (const ScriptCall& call : scripts.boneCalls) {
            if (call.command == "Bone" && call.Int(0) == init.Int(0)) {
                bone = &call;
            }
        }
        ASSERT_NE(bone, nullptr);
        int keys = 0;
        bool atZero = false;
        for (const doc::Node& node : document.nodes) {
            if (node.name == bone->args[1] && node.rotation) {
                keys = static_cast<int>(node.rotation->keys.size());
                for (const doc::RotationKey& key : node.rotation->keys) {
                    atZero = atZero || key.time == 0;
                }
            }
        }
        EXPECT_EQ(init.Int(1), keys + (atZero ? 0 : 1)) << bone->args[1];
    }
}

TEST_P(RealAssets, SavedDocumentExportsTheSameScripts) {
    const interchange::Conversion conversion = Convert(TestModel(GetParam().file));
    const std::string json = standalone::SerializeSceneDocument(conversion.document);
    const doc::Document reread = standalone::ParseSceneDocument(
        json, conversion.document.baseDirectory, "converted.pscene.json");
    const ScriptExports direct = ExportScripts(conversion.document);
    const ScriptExports saved = ExportScripts(reread);
    EXPECT_EQ(saved.mef, direct.mef);
    EXPECT_EQ(saved.bef, direct.bef);
    EXPECT_EQ(saved.messages, direct.messages);
}

INSTANTIATE_TEST_SUITE_P(TestModels, RealAssets, testing::ValuesIn(kAssets),
                         [](const testing::TestParamInfo<RealAsset>& asset) {
                             std::string name = asset.param.file;
                             name = name.substr(name.rfind('/') + 1);
                             std::replace_if(
                                 name.begin(), name.end(),
                                 [](char c) {
                                     return !std::isalnum(static_cast<unsigned char>(c));
                                 },
                                 '_');
                             return name;
                         });

}  // namespace
}  // namespace pellucid::test
