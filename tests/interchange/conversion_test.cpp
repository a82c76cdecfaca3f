// What the conversion makes of small assets written here: welding and smoothing groups, materials,
// axes and units, and the example character's skeleton, skin, morph target and animations.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <set>

#include "bench/gltf_character.h"
#include "bench/gltf_writer.h"
#include "interchange_support.h"

namespace pellucid::test {
namespace {

// A cube of side 2 around the origin; `smooth` gives one normal per corner position (pointing
// out from the centre), else one per side.
std::string CubeObj(bool smooth, bool normals = true) {
    std::string obj =
        "v -1 -1 -1\nv 1 -1 -1\nv 1 1 -1\nv -1 1 -1\n"
        "v -1 -1 1\nv 1 -1 1\nv 1 1 1\nv -1 1 1\n";
    const char* sides[6][5] = {{"1", "4", "3", "2", "0 0 -1"}, {"5", "6", "7", "8", "0 0 1"},
                               {"1", "2", "6", "5", "0 -1 0"}, {"2", "3", "7", "6", "1 0 0"},
                               {"3", "4", "8", "7", "0 1 0"},  {"4", "1", "5", "8", "-1 0 0"}};
    if (smooth) {
        obj +=
            "vn -1 -1 -1\nvn 1 -1 -1\nvn 1 1 -1\nvn -1 1 -1\n"
            "vn -1 -1 1\nvn 1 -1 1\nvn 1 1 1\nvn -1 1 1\n";
    } else if (normals) {
        for (const auto& side : sides) {
            obj += std::string("vn ") + side[4] + "\n";
        }
    }
    for (int s = 0; s < 6; ++s) {
        obj += "f";
        for (int c = 0; c < 4; ++c) {
            const std::string v = sides[s][c];
            obj += " " + v;
            if (normals) {
                obj += "//" + (smooth ? v : std::to_string(s + 1));
            }
        }
        obj += "\n";
    }
    return obj;
}

const doc::Object& OnlyMesh(const doc::Document& document) {
    const auto mesh =
        std::find_if(document.objects.begin(), document.objects.end(),
                     [](const doc::Object& o) { return o.type == doc::ObjectType::Mesh; });
    EXPECT_NE(mesh, document.objects.end());
    return *mesh;
}

bool SharesEdge(const std::array<std::uint32_t, 3>& a, const std::array<std::uint32_t, 3>& b) {
    int shared = 0;
    for (std::uint32_t v : a) {
        shared += std::count(b.begin(), b.end(), v) > 0 ? 1 : 0;
    }
    return shared >= 2;
}

TEST(MeshConversion, FlatCubeWeldsCornersAndSplitsGroupsAtEveryEdge) {
    const std::string path = InterchangeScratch("flat.obj");
    WriteTextFile(path, CubeObj(false));
    const interchange::Conversion conversion = Convert(path);
    const doc::MeshData& mesh = OnlyMesh(conversion.document).mesh;
    ASSERT_EQ(mesh.vertices.size(), 8u);
    ASSERT_EQ(mesh.faces.size(), 12u);
    ASSERT_EQ(mesh.smoothing.size(), 12u);
    for (std::size_t f = 0; f < 12; ++f) {
        EXPECT_EQ(std::popcount(mesh.smoothing[f]), 1);
        for (std::size_t g = f + 1; g < 12; ++g) {
            if (!SharesEdge(mesh.faces[f], mesh.faces[g])) {
                continue;
            }
            // The two triangles of one side share their diagonal; sides meet at hard edges.
            const bool sameSide = f / 2 == g / 2;
            EXPECT_EQ((mesh.smoothing[f] & mesh.smoothing[g]) != 0, sameSide) << f << " " << g;
        }
    }
}

TEST(MeshConversion, SmoothCubeIsOneGroupAndACubeWithoutNormalsIsSmoothWithANote) {
    const std::string smoothPath = InterchangeScratch("smooth.obj");
    WriteTextFile(smoothPath, CubeObj(true));
    const interchange::Conversion smoothConversion = Convert(smoothPath);
    const doc::MeshData& smooth = OnlyMesh(smoothConversion.document).mesh;
    EXPECT_EQ(std::set<std::uint32_t>(smooth.smoothing.begin(), smooth.smoothing.end()).size(), 1u);

    const std::string barePath = InterchangeScratch("bare.obj");
    WriteTextFile(barePath, CubeObj(false, false));
    const interchange::Conversion bare = Convert(barePath);
    EXPECT_EQ(OnlyMesh(bare.document).mesh.smoothing, std::vector<std::uint32_t>(12, 1u));
    ASSERT_FALSE(bare.report.notes.empty());
    EXPECT_NE(bare.report.notes[0].text.find("has no normals"), std::string::npos);
}

TEST(MeshConversion, TwoMaterialsMakeAMultiMaterialWithIdsAndTheDiffuseBitmap) {
    const std::string mtl = InterchangeScratch("two.mtl");
    WriteTextFile(mtl,
                  "newmtl red\nKd 1 0 0\nKa 0.1 0.1 0.1\nNs 50\nd 0.75\nmap_Kd missing.png\n"
                  "newmtl blue\nKd 0 0 1\n");
    std::string obj = CubeObj(false);
    const std::size_t faces = obj.find("f ");
    obj.insert(faces,
               "mtllib " + std::filesystem::path(mtl).filename().string() + "\nusemtl red\n");
    const std::size_t third = obj.find("f ", obj.find("f ", obj.find("f ", faces) + 1) + 1);
    obj.insert(third, "usemtl blue\n");
    const std::string path = InterchangeScratch("two.obj");
    WriteTextFile(path, obj);
    const interchange::Conversion conversion = Convert(path);
    const doc::Document& document = conversion.document;

    const doc::Node& node =
        *std::find_if(document.nodes.begin(), document.nodes.end(),
                      [](const doc::Node& n) { return n.object >= 0 && n.material >= 0; });
    const doc::Material& multi = document.materials[static_cast<std::size_t>(node.material)];
    ASSERT_EQ(multi.type, doc::MaterialType::Multi);
    ASSERT_EQ(multi.subMaterials.size(), 2u);
    const doc::Material& red = document.materials[static_cast<std::size_t>(multi.subMaterials[0])];
    EXPECT_EQ(red.name, "red");
    EXPECT_EQ(red.diffuse, Color(1, 0, 0));
    EXPECT_FLOAT_EQ(red.shininess, 0.5f);
    EXPECT_FLOAT_EQ(red.transparency, 0.25f);
    ASSERT_EQ(red.maps.size(), 1u);
    EXPECT_EQ(red.maps[0].slot, 1);
    const doc::Map& map = document.maps[static_cast<std::size_t>(red.maps[0].map)];
    EXPECT_EQ(map.file, "missing.png");
    EXPECT_TRUE(map.image.fileMissing);
    const doc::MeshData& mesh = OnlyMesh(document).mesh;
    EXPECT_EQ(mesh.materialIds, (std::vector<std::uint32_t>{0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1}));
    const auto missing =
        std::find_if(conversion.report.notes.begin(), conversion.report.notes.end(),
                     [](const interchange::ConversionNote& n) {
                         return n.text.find("missing.png") != std::string::npos;
                     });
    EXPECT_NE(missing, conversion.report.notes.end());
}

// Two objects with the same pair of materials, both materials textured by the same file: the
// document holds each material, the multi-material and the bitmap once, and both nodes share them.
TEST(MeshConversion, MaterialsAndBitmapsUsedTwiceAreConvertedOnce) {
    const std::string mtl = InterchangeScratch("shared.mtl");
    WriteTextFile(mtl,
                  "newmtl red\nKd 1 0 0\nmap_Kd shared.png\n"
                  "newmtl blue\nKd 0 0 1\nmap_Kd shared.png\n");
    const std::string obj =
        "mtllib shared.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\n"
        "o A\nusemtl red\nf 1 2 3\nusemtl blue\nf 2 4 3\n"
        "o B\nusemtl red\nf 1 3 2\nusemtl blue\nf 2 3 4\n";
    const std::string path = InterchangeScratch("shared.obj");
    WriteTextFile(path, obj);
    const doc::Document document = Convert(path).document;

    std::vector<int> nodeMaterials;
    for (const doc::Node& node : document.nodes) {
        if (node.object >= 0) {
            nodeMaterials.push_back(node.material);
        }
    }
    ASSERT_EQ(nodeMaterials.size(), 2u);
    EXPECT_GE(nodeMaterials[0], 0);
    EXPECT_EQ(nodeMaterials[0], nodeMaterials[1]);
    const auto multis =
        std::count_if(document.materials.begin(), document.materials.end(),
                      [](const doc::Material& m) { return m.type == doc::MaterialType::Multi; });
    EXPECT_EQ(multis, 1);
    EXPECT_EQ(document.materials.size(), 3u);
    EXPECT_EQ(document.maps.size(), 1u);
}

// Keys are kept in time order once their times are ticks: a key that falls on the tick of the
// key before it (0.1 ms after it) is left out. Scale keys turn with the axes.
TEST(AnimationConversion, KeysInTickOrderWithScalesTurnedWithTheAxes) {
    const std::filesystem::path path = InterchangeScratch("slide.gltf");
    bench::GltfBuffer buffer;
    const int triangle =
        buffer.Add(std::vector<float>{0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3", 3, 5126, true, 34962);
    const std::string slide = bench::character::Sampler(
        buffer, {0.0f, 0.0001f, 0.5f, 1.0f}, {0, 0, 0, 5, 0, 0, 1, 0, 0, 2, 0, 0}, "VEC3", 3);
    const std::string stretch =
        bench::character::Sampler(buffer, {0.0f, 1.0f}, {1, 1, 1, 1, 2, 3}, "VEC3", 3);
    const std::string json =
        "{\"asset\":{\"version\":\"2.0\"},\"scene\":0,\"scenes\":[{\"nodes\":[0]}],"
        "\"nodes\":[{\"name\":\"Mover\",\"mesh\":0}],\"meshes\":[{\"primitives\":[{"
        "\"attributes\":{\"POSITION\":" +
        std::to_string(triangle) +
        "}}]}],\"animations\":[{\"name\":\"Slide\",\"channels\":[{\"sampler\":0,\"target\":"
        "{\"node\":0,\"path\":\"translation\"}},{\"sampler\":1,\"target\":{\"node\":0,"
        "\"path\":\"scale\"}}],\"samplers\":[" +
        slide + "," + stretch + "]}],\n" + buffer.Finish(path) + "}";
    WriteTextFile(path.string(), json);
    const doc::Document document = Convert(path.string()).document;

    const auto mover = std::find_if(document.nodes.begin(), document.nodes.end(),
                                    [](const doc::Node& n) { return n.name == "Mover"; });
    ASSERT_NE(mover, document.nodes.end());
    ASSERT_TRUE(mover->position.has_value());
    std::vector<int> times;
    for (const doc::PositionKey& key : mover->position->keys) {
        times.push_back(key.time);
    }
    EXPECT_EQ(times, (std::vector<int>{0, 2400, 4800}));
    EXPECT_EQ(mover->position->keys[0].value, Point3(0, 0, 0));
    // Scales turn with the axes: the file's y (up) factor becomes the host's z factor.
    ASSERT_TRUE(mover->scale.has_value());
    ASSERT_EQ(mover->scale->keys.size(), 2u);
    EXPECT_EQ(mover->scale->keys[1].value, Point3(1, 3, 2));
}

TEST(AxesAndUnits, YUpGridLiesFlatInXYAndScaleMultipliesLengths) {
    const std::string path = InterchangeScratch("grid.gltf");
    bench::WriteGridGltf(path, 8);
    const interchange::Conversion conversion = Convert(path);
    EXPECT_TRUE(conversion.report.turnedZUp);
    const doc::MeshData& mesh = OnlyMesh(conversion.document).mesh;
    float lowest = 0.0f;
    for (const Point3& p : mesh.vertices) {
        EXPECT_EQ(p.z, 0.0f);
        lowest = std::min(lowest, p.y);
    }
    // The grid runs along +Z in the file, which is -Y once Z is up.
    EXPECT_LT(lowest, 0.0f);

    interchange::ConversionOptions doubled;
    doubled.scale = 2.0f;
    const interchange::Conversion bigConversion = Convert(path, doubled);
    const doc::MeshData& big = OnlyMesh(bigConversion.document).mesh;
    ASSERT_EQ(big.vertices.size(), mesh.vertices.size());
    for (std::size_t v = 0; v < mesh.vertices.size(); ++v) {
        EXPECT_EQ(big.vertices[v], mesh.vertices[v] * 2.0f);
    }
}

class Character : public testing::Test {
  protected:
    void SetUp() override {
        path_ = InterchangeScratch("character.gltf");
        bench::WriteCharacterGltf(path_, "character.png");
    }
    const doc::Node& Named(const doc::Document& document, const std::string& name) {
        const auto found = std::find_if(document.nodes.begin(), document.nodes.end(),
                                        [&](const doc::Node& n) { return n.name == name; });
        EXPECT_NE(found, document.nodes.end()) << name;
        return *found;
    }
    int IndexOf(const doc::Document& document, const std::string& name) {
        return static_cast<int>(&Named(document, name) - document.nodes.data());
    }
    std::string path_;
};

TEST_F(Character, SkeletonIsBonesWithTheSkinUnderTheRootBone) {
    const doc::Document document = Convert(path_).document;
    const doc::Node& root = Named(document, "Root");
    EXPECT_EQ(document.objects[static_cast<std::size_t>(root.object)].type, doc::ObjectType::Bone);
    // The container node of the file is folded away: Root is a top node, Body hangs below it.
    EXPECT_EQ(document.rootNodes, std::vector<int>{IndexOf(document, "Root")});
    EXPECT_EQ(root.children,
              (std::vector<int>{IndexOf(document, "Spine"), IndexOf(document, "Body")}));
    EXPECT_EQ(Named(document, "Spine").transform.matrix.GetTrans(), Point3(0, 0, 10));

    const doc::Node& body = Named(document, "Body");
    ASSERT_EQ(body.modifiers.size(), 2u);  // skin on top of the morph targets
    const doc::Modifier& skin = document.modifiers[static_cast<std::size_t>(body.modifiers[0])];
    ASSERT_EQ(skin.type, doc::ModifierType::Physique);
    std::set<int> types;
    for (const auto& vertex : skin.skinVertices) {
        ASSERT_TRUE(vertex.has_value());
        types.insert(vertex->type);
        float sum = 0.0f;
        for (float w : vertex->weights) {
            sum += w;
        }
        EXPECT_FLOAT_EQ(sum, 1.0f);
        EXPECT_EQ(vertex->type, vertex->bones.size() == 1 ? 1 : 5);
    }
    EXPECT_EQ(types, (std::set<int>{1, 5}));
    ASSERT_EQ(skin.boneInitialTransforms.size(), 3u);
    for (const auto& [bone, transform] : skin.boneInitialTransforms) {
        // The bind pose is the rest pose: each joint where the file's inverse bind matrix says.
        EXPECT_EQ(transform.GetTrans().z,
                  document.nodes[static_cast<std::size_t>(bone)].name == "Root"    ? 0.0f
                  : document.nodes[static_cast<std::size_t>(bone)].name == "Spine" ? 10.0f
                                                                                   : 20.0f);
    }
    const doc::Modifier& morph = document.modifiers[static_cast<std::size_t>(body.modifiers[1])];
    ASSERT_EQ(morph.channels.size(), 1u);
    EXPECT_EQ(morph.channels[0].name, "Squash");
    for (int v : morph.channels[0].points) {
        EXPECT_LT(morph.channels[0].deltas[static_cast<std::size_t>(v)].z, 0.0f);
    }
}

TEST_F(Character, FirstAnimationBecomesKeysInTicksWithTangentsFromTheSamples) {
    const interchange::Conversion conversion = Convert(path_);
    const doc::Document& document = conversion.document;
    EXPECT_EQ(conversion.report.animation, "Walk");
    EXPECT_EQ(document.settings.animationEnd, 9600);
    const doc::Node& root = Named(document, "Root");
    ASSERT_TRUE(root.position.has_value());
    EXPECT_EQ(root.position->kind, doc::ControllerKind::Bezier);
    ASSERT_EQ(root.position->keys.size(), 5u);
    const doc::PositionKey& second = root.position->keys[1];
    EXPECT_EQ(second.time, 2400);
    EXPECT_EQ(second.value, Point3(0, -5, 0));
    EXPECT_FLOAT_EQ(second.outTangent.y, -10.0f / 4800.0f);
    EXPECT_EQ(second.inTangent, -second.outTangent);
    const doc::Node& spine = Named(document, "Spine");
    ASSERT_TRUE(spine.rotation.has_value());
    EXPECT_EQ(spine.rotation->kind, doc::ControllerKind::Tcb);
    ASSERT_EQ(spine.rotation->keys.size(), 5u);
    // The file turns the spine 15 degrees about its z axis, which points along the host's y axis
    // once Z is up.
    const Quat turn = spine.rotation->keys[1].value;
    EXPECT_NEAR(turn.x, 0.0f, 1e-6f);
    EXPECT_NEAR(std::fabs(turn.y), std::sin(7.5f * 3.14159265f / 180.0f), 1e-6f);
    EXPECT_NEAR(turn.z, 0.0f, 1e-6f);
    const doc::Node& body = Named(document, "Body");
    const doc::FloatTrack& squash =
        document.modifiers[static_cast<std::size_t>(body.modifiers[1])].channels[0].weight;
    ASSERT_EQ(squash.keys.size(), 5u);
    EXPECT_FLOAT_EQ(squash.keys[1].value, 50.0f);
}

TEST_F(Character, AnimationChosenByNameOrRefusedWithTheNamesThereAre) {
    interchange::ConversionOptions idle;
    idle.animation = "Idle";
    const interchange::Conversion conversion = Convert(path_, idle);
    EXPECT_EQ(conversion.document.settings.animationEnd, 4800);
    EXPECT_EQ(Named(conversion.document, "Head").rotation->keys.size(), 3u);
    EXPECT_FALSE(Named(conversion.document, "Root").position.has_value());

    interchange::ConversionOptions unknown;
    unknown.animation = "Run";
    try {
        Convert(path_, unknown);
        FAIL() << "an unknown animation was accepted";
    } catch (const interchange::ConversionError& error) {
        EXPECT_EQ(std::string(error.what()),
                  path_ + ": has no animation \"Run\"; its animations are \"Walk\", \"Idle\"");
    }
}

TEST(Example, TheBundledCharacterIsWhatTheGeneratorWrites) {
    const std::filesystem::path folder =
        std::filesystem::path(InterchangeScratch("example")).parent_path() / "example";
    std::filesystem::create_directories(folder);
    bench::WriteCharacterGltf(folder / "character.gltf", "textures/character.png");
    const std::string examples = std::string(PELLUCID_SOURCE_DIR) + "/examples/";
    EXPECT_EQ(ReadBytes((folder / "character.gltf").string()),
              ReadBytes(examples + "character.gltf"));
    EXPECT_EQ(ReadBytes((folder / "character.bin").string()),
              ReadBytes(examples + "character.bin"));
}

TEST(BadInput, UnreadableFilesAreRefusedWithOneLineNamingThem) {
    const std::string empty = InterchangeScratch("empty.obj");
    WriteTextFile(empty, "");
    const std::string garbage = InterchangeScratch("garbage.gltf");
    WriteTextFile(garbage, "{\"asset\": {\"version\": \"2.0\"}, \"nodes\": [{\"mesh\": 7}]}");
    for (const std::string& path : {empty, garbage, InterchangeScratch("absent.fbx")}) {
        try {
            Convert(path);
            ADD_FAILURE() << path << " was accepted";
        } catch (const interchange::ConversionError& error) {
            const std::string message = error.what();
            EXPECT_EQ(message.rfind(path + ": ", 0), 0u) << message;
            EXPECT_EQ(message.find('\n'), std::string::npos) << message;
        }
    }
}

}  // namespace
}  // namespace pellucid::test
