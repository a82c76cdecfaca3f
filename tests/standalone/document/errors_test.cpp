// Refusals of bad documents: one line naming the file, the JSON pointer of the offending value (or
// the line and column of malformed JSON) and what was expected.
#include <gtest/gtest.h>

#include "standalone/support/document_support.h"

namespace pellucid::standalone::test {
namespace {

struct BadDocument {
    const char* what;
    std::string json;
    std::string message;  // after "test.pscene.json: "
};

void ExpectRefusals(const std::vector<BadDocument>& cases) {
    for (const BadDocument& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RefusalOf(c.json), "test.pscene.json: " + c.message);
    }
}

std::string Mesh(std::string_view fields) {
    return std::string(R"({"pellucidScene": 1, "objects": [{"id": "m", "type": "mesh", )") +
           std::string(fields) + "}]}";
}

const std::string kTriangle =
    R"("vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]])";

TEST(DocumentRefusals, MalformedJsonIsLocatedByLineAndColumn) {
    ExpectRefusals({
        {"missing value", "{\"pellucidScene\": 1,\n  \"nodes\": [}",
         "line 2, column 13: malformed JSON: expected a value"},
        {"missing comma", R"({"pellucidScene": 1 "nodes": []})",
         "line 1, column 21: malformed JSON: expected ',' or '}'"},
        {"empty", "  \n", "line 2, column 1: malformed JSON: the document is empty"},
        {"truncated", R"({"pellucidScene": 1, "nodes": [{"name": "Bo)",
         "line 1, column 41: malformed JSON: unclosed string"},
        {"ends early", R"({"pellucidScene": 1, "nodes": [)",
         "line 1, column 32: malformed JSON: unexpected end of the document"},
        {"bad literal", R"({"pellucidScene": 1, "loop": tru})",
         "line 1, column 30: malformed JSON: invalid literal (expected true, false or null)"},
        {"huge number", R"({"pellucidScene": 1e999})",
         "line 1, column 19: malformed JSON: number out of range"},
        {"huge integer", R"({"pellucidScene": 123456789012345678901234})",
         "line 1, column 19: malformed JSON: integer out of the 64-bit range"},
        {"bad UTF-8", "{\"pellucidScene\": 1, \"nodes\": [{\"name\": \"\xff\"}]}",
         "line 1, column 42: malformed JSON: invalid UTF-8"},
        {"trailing text", R"({"pellucidScene": 1} x)",
         "line 1, column 22: malformed JSON: unexpected text after the document"},
        {"leading zero", R"({"pellucidScene": 01})",
         "line 1, column 19: malformed JSON: malformed number (leading zero)"},
    });
}

TEST(DocumentRefusals, TheTopLevelMustBeAVersionOneSceneDocument) {
    ExpectRefusals({
        {"array", "[1]", "/: expected an object, found an array"},
        {"no version", R"({"nodes": []})", "/: missing required field \"pellucidScene\""},
        {"version 2", R"({"pellucidScene": 2})", "/pellucidScene: expected the version number 1"},
        {"version text", R"({"pellucidScene": "1"})",
         "/pellucidScene: expected the version number 1"},
        {"unknown field", R"({"pellucidScene": 1, "colour": 1})",
         "/colour: unknown field \"colour\""},
        {"field twice", R"({"pellucidScene": 1, "pellucidScene": 1})",
         "/pellucidScene: field \"pellucidScene\" given twice"},
        {"nodes not an array", R"({"pellucidScene": 1, "nodes": {}})",
         "/nodes: expected an array, found an object"},
        {"line break in a key", "{\"pellucidScene\": 1, \"a\\nb\": 1}",
         "/a\\u000ab: unknown field \"a\\u000ab\""},
    });
}

TEST(DocumentRefusals, ValuesOfTheWrongTypeOrRange) {
    ExpectRefusals({
        {"name type", WithNode(R"("name": 5)"), "/nodes/0/name: expected a string, found a number"},
        {"missing name", WithNode(R"("hidden": true)"),
         "/nodes/0: missing required field \"name\""},
        {"boolean", WithNode(R"("name": "A", "hidden": 1)"),
         "/nodes/0/hidden: expected true or false, found a number"},
        {"point size", WithNode(R"("name": "A", "transform": {"position": [1, 2]})"),
         "/nodes/0/transform/position: expected an array of 3 numbers"},
        {"float text", WithNode(R"("name": "A", "transform": {"position": [1, "nan", 2]})"),
         "/nodes/0/transform/position/1: expected a number (or \"NaN\", \"Infinity\", "
         "\"-Infinity\")"},
        {"float range", WithNode(R"("name": "A", "object": {"type": "sphere", "radius": 1e39})"),
         "/nodes/0/object/radius: number out of the 32-bit float range"},
        {"time fraction", WithNode(R"("name": "A", "link": [{"target": null, "time": 1.5}])"),
         "/nodes/0/link/0/time: expected an integer, found a number"},
        {"time range", WithNode(R"("name": "A", "link": [{"target": null, "time": 4294967296}])"),
         "/nodes/0/link/0/time: expected an integer from -2147483648 to 2147483647"},
        {"ticks per frame", R"({"pellucidScene": 1, "settings": {"ticksPerFrame": 0}})",
         "/settings/ticksPerFrame: expected an integer from 1 to 2147483647"},
        {"animation range", R"({"pellucidScene": 1, "settings": {"animationRange": [10, 5]}})",
         "/settings/animationRange: the end 5 is before the start 10"},
        {"sphere segments", WithNode(R"("name": "A", "object": {"type": "sphere", "segments": 2})"),
         "/nodes/0/object/segments: expected an integer from 4 to 200"},
    });
}

TEST(DocumentRefusals, FieldsThatTheKindOfEntryDoesNotTake) {
    ExpectRefusals({
        {"node", WithNode(R"("name": "A", "colour": [1, 0, 0])"),
         "/nodes/0/colour: unknown field \"colour\""},
        {"object type", WithNode(R"("name": "A", "object": {"type": "sphere", "vertices": []})"),
         "/nodes/0/object/vertices: unknown field \"vertices\" for an object of type \"sphere\""},
        {"unknown object type", WithNode(R"("name": "A", "object": {"type": "teapot"})"),
         "/nodes/0/object/type: unknown object type \"teapot\" (expected mesh, sphere, box, bone, "
         "dummy, light, camera, shape or CollBox)"},
        {"no type", WithNode(R"("name": "A", "object": {"radius": 1})"),
         "/nodes/0/object: missing required field \"type\""},
        {"material type",
         R"({"pellucidScene": 1, "materials": [{"id": "a", "type": "multi", "name": "x", "diffuse": [1, 1, 1]}]})",
         "/materials/0/diffuse: unknown field \"diffuse\" for a material of type \"multi\""},
        {"map type",
         R"({"pellucidScene": 1, "maps": [{"id": "a", "type": "mask", "file": "x.tga"}]})",
         "/maps/0/file: unknown field \"file\" for a map of type \"mask\""},
        {"id of a map in place",
         R"({"pellucidScene": 1, "maps": [{"id": "a", "type": "other", "maps": [{"id": "b", "type": "bitmap"}]}]})",
         "/maps/0/maps/0/id: an id is only for entries of /maps, which are shared by it"},
        {"modifier type",
         WithNode(R"("name": "A", "modifiers": [{"type": "inert", "channels": []}])"),
         "/nodes/0/modifiers/0/channels: unknown field \"channels\" for a modifier of type "
         "\"inert\""},
        {"id in place", WithNode(R"("name": "A", "object": {"id": "x", "type": "dummy"})"),
         "/nodes/0/object/id: an id is only for entries of /objects, which nodes share by it"},
        {"two rotations",
         WithNode(
             R"("name": "A", "transform": {"rotation": {"euler": [0, 0, 0], "quat": [0, 0, 0, 1]}})"),
         "/nodes/0/transform/rotation/quat: a rotation takes only one of \"axisAngle\", \"euler\", "
         "\"quat\", \"matrix\""},
        {"no rotation", WithNode(R"("name": "A", "transform": {"rotation": {}})"),
         "/nodes/0/transform/rotation: expected a rotation: one of \"axisAngle\", \"euler\", "
         "\"quat\", \"matrix\""},
        {"zero axis",
         WithNode(R"("name": "A", "transform": {"rotation": {"axisAngle": [0, 0, 0, 5]}})"),
         "/nodes/0/transform/rotation/axisAngle: the axis of a turn must not be zero"},
        {"matrix and parts",
         WithNode(
             R"("name": "A", "transform": {"matrix": [[1, 0, 0], [0, 1, 0], [0, 0, 1], [0, 0, 0]], "scale": [1, 1, 1]})"),
         "/nodes/0/transform: \"matrix\" cannot be combined with \"position\", \"rotation\" or "
         "\"scale\""},
        {"matrix rows", WithNode(R"("name": "A", "transform": {"matrix": [[1, 0, 0]]})"),
         "/nodes/0/transform/matrix: expected 4 rows of 3 numbers"},
    });
}

TEST(DocumentRefusals, EveryRequiredFieldIsNamedWhenMissing) {
    const std::string material =
        R"({"pellucidScene": 1, "materials": [{"id": "a", "type": "standard", "name": "", "maps": [)";
    ExpectRefusals({
        {"drive without root", R"({"pellucidScene": 1, "settings": {"drives": [{}]}})",
         "/settings/drives/0: missing required field \"root\""},
        {"slot without map", material + R"({"slot": 1}]}]})",
         "/materials/0/maps/0: missing required field \"map\""},
        {"map without slot", material + R"({"map": null}]}]})",
         "/materials/0/maps/0: missing required field \"slot\""},
        {"key without value",
         WithNode(R"("name": "A", "scale": {"controller": "tcb", "keys": [{"time": 0}]})"),
         "/nodes/0/scale/keys/0: missing required field \"value\""},
        {"key without time",
         WithNode(
             R"("name": "A", "position": {"controller": "linear", "keys": [{"value": [0, 0, 0]}]})"),
         "/nodes/0/position/keys/0: missing required field \"time\""},
        {"link without target", WithNode(R"("name": "A", "link": [{"time": 5}])"),
         "/nodes/0/link/0: missing required field \"target\""},
        {"channel without index",
         WithNode(
             R"("name": "A", "modifiers": [{"type": "morpher", "channels": [{"name": "x"}]}])"),
         "/nodes/0/modifiers/0/channels/0: missing required field \"index\""},
    });
}

TEST(DocumentRefusals, DuplicateIdsAndDanglingOrAmbiguousReferences) {
    ExpectRefusals({
        {"duplicate material id",
         R"({"pellucidScene": 1, "materials": [{"id": "m", "type": "other", "name": ""}, {"id": "m", "type": "other", "name": ""}]})",
         "/materials/1/id: duplicate material id \"m\" (also at /materials/0)"},
        {"duplicate node id",
         R"({"pellucidScene": 1, "nodes": [{"id": "n", "name": "A", "children": [{"id": "n", "name": "B"}]}]})",
         "/nodes/0/children/0/id: duplicate node id \"n\" (also at /nodes/0)"},
        {"shared entry without id", R"({"pellucidScene": 1, "maps": [{"type": "bitmap"}]})",
         "/maps/0: missing required field \"id\" (every entry of /maps has one)"},
        {"empty id", R"({"pellucidScene": 1, "objects": [{"id": "", "type": "dummy"}]})",
         "/objects/0/id: expected a non-empty id"},
        {"material", WithNode(R"("name": "A", "material": "nope")"),
         "/nodes/0/material: unknown material id \"nope\""},
        {"object", WithNode(R"("name": "A", "object": "nope")"),
         "/nodes/0/object: unknown object id \"nope\""},
        {"modifier", WithNode(R"("name": "A", "modifiers": ["nope"])"),
         "/nodes/0/modifiers/0: unknown modifier id \"nope\""},
        {"null modifier", WithNode(R"("name": "A", "modifiers": [null])"),
         "/nodes/0/modifiers/0: expected a modifier id or a modifier, found null"},
        {"map",
         R"({"pellucidScene": 1, "materials": [{"id": "m", "type": "standard", "name": "", "maps": [{"slot": 1, "map": "nope"}]}]})",
         "/materials/0/maps/0/map: unknown map id \"nope\""},
        {"node", WithNode(R"("name": "A", "link": [{"target": "Ghost"}])"),
         "/nodes/0/link/0/target: unknown node \"Ghost\" (no node has this id or name)"},
        {"ambiguous node",
         R"({"pellucidScene": 1, "nodes": [{"name": "Twin"}, {"name": "Twin"}, {"name": "C", "link": [{"target": "Twin"}]}]})",
         "/nodes/2/link/0/target: ambiguous node name \"Twin\": several nodes have it; give the "
         "node an id and refer to that"},
        {"ambiguous bone",
         R"({"pellucidScene": 1, "nodes": [{"name": "Twin"}, {"name": "Twin"}, {"name": "C", "object": {"type": "mesh", "vertices": [[0, 0, 0]]}, "modifiers": [{"type": "physique", "vertices": [{"bones": ["Twin"]}]}]}]})",
         "/nodes/2/modifiers/0/vertices/0/bones/0: ambiguous node name \"Twin\": several nodes "
         "have it; give the node an id and refer to that"},
    });
}

TEST(DocumentRefusals, MeshIndicesAndPerFaceCountsMustMatchTheMesh) {
    ExpectRefusals({
        {"face index",
         R"({"pellucidScene": 1, "nodes": [{"name": "A"}, {"name": "B", "children": [{"name": "C", "object": {"type": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2], [0, 2, 3]]}}]}]})",
         "/nodes/1/children/0/object/faces/1: index 3 is out of range: there are 3 vertices"},
        {"negative face index", Mesh(R"("vertices": [[0, 0, 0]], "faces": [[0, -1, 0]])"),
         "/objects/0/faces/0/1: expected an integer from 0 to 4294967295"},
        {"face size", Mesh(R"("vertices": [[0, 0, 0]], "faces": [[0, 0]])"),
         "/objects/0/faces/0: expected an array of 3 indices"},
        {"uv face count",
         Mesh(kTriangle + R"(, "uvVertices": [[0, 0]], "uvFaces": [[0, 0, 0], [0, 0, 0]])"),
         "/objects/0/uvFaces: expected 1 uv faces, one per face, found 2"},
        {"uv index",
         Mesh(kTriangle + R"(, "uvVertices": [[0, 0], [1, 1]], "uvFaces": [[0, 1, 2]])"),
         "/objects/0/uvFaces/0: index 2 is out of range: there are 2 uv vertices"},
        {"uv size", Mesh(kTriangle + R"(, "uvVertices": [[0]])"),
         "/objects/0/uvVertices/0: expected [u, v] or [u, v, w]"},
        {"smoothing count", Mesh(kTriangle + R"(, "smoothing": [1, 2])"),
         "/objects/0/smoothing: expected 1 smoothing words, one per face, found 2"},
        {"material id count", Mesh(kTriangle + R"(, "materialIds": [1, 2, 3])"),
         "/objects/0/materialIds: expected 1 material ids, one per face, found 3"},
        {"material id range", Mesh(kTriangle + R"(, "materialIds": [65536])"),
         "/objects/0/materialIds/0: expected an integer from 0 to 65535"},
        {"selected face",
         R"({"pellucidScene": 1, "objects": [{"id": "m", "type": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]]}], "nodes": [{"name": "A", "object": "m", "selectedFaces": [0, 1]}]})",
         "/nodes/0/selectedFaces/1: index 1 is out of range: there are 1 faces"},
    });
}

TEST(DocumentRefusals, ModifiersMustFitTheMeshTheyDeform) {
    const std::string node =
        R"({"pellucidScene": 1, "nodes": [{"name": "Bone"}, {"name": "Skin", "object": {"type": "mesh", )" +
        kTriangle + R"(}, "modifiers": [)";
    ExpectRefusals({
        {"skin vertex count",
         node + R"({"type": "physique", "vertices": [{"bones": ["Bone"]}, null]}]}]})",
         "/nodes/1/modifiers/0: expected 3 skin vertices, one per vertex of the node's mesh, "
         "found 2"},
        {"weights count",
         node +
             R"({"type": "physique", "vertices": [{"bones": ["Bone"], "weights": [0.5, 0.5]}, null, null]}]}]})",
         "/nodes/1/modifiers/0/vertices/0/weights: expected 1 weights, one per bone, found 2"},
        {"no bones", node + R"({"type": "physique", "vertices": [{"bones": []}, null, null]}]}]})",
         "/nodes/1/modifiers/0/vertices/0/bones: expected at least one bone"},
        {"vertex type",
         node +
             R"({"type": "physique", "vertices": [{"bones": ["Bone"], "type": 3}, null, null]}]}]})",
         "/nodes/1/modifiers/0/vertices/0/type: expected a vertex type of 1, 2, 4, 5, 6 or 8"},
        {"bone transform twice",
         node +
             R"({"type": "physique", "vertices": [null, null, null], "boneInitialTransforms": {"Bone": {}, "Bone": {}}}]}]})",
         "/nodes/1/modifiers/0/boneInitialTransforms/Bone: a second initial transform for node "
         "\"Bone\""},
        {"channel index", node + R"({"type": "morpher", "channels": [{"index": 100}]}]}]})",
         "/nodes/1/modifiers/0/channels/0/index: expected an integer from 0 to 99"},
        {"channel twice",
         node + R"({"type": "morpher", "channels": [{"index": 7}, {"index": 7}]}]}]})",
         "/nodes/1/modifiers/0/channels/1/index: channel 7 is given twice"},
        {"morph point",
         node + R"({"type": "morpher", "channels": [{"index": 7, "points": [3]}]}]}]})",
         "/nodes/1/modifiers/0: channel 7: point 3 is out of range: the node's mesh has 3 "
         "vertices"},
        {"morph deltas",
         node +
             R"({"type": "morpher", "channels": [{"index": 7, "deltas": [[0, 0, 0], [0, 0, 0], [0, 0, 0], [0, 0, 0]]}]}]}]})",
         "/nodes/1/modifiers/0: channel 7: 4 deltas, more than the 3 vertices of the node's mesh"},
        {"flags", node + R"({"type": "morpher", "channels": [{"index": 7, "flags": [1]}]}]}]})",
         "/nodes/1/modifiers/0/channels/0/flags: expected [hasData, enabled]"},
    });
}

TEST(DocumentRefusals, MaterialSlotsAndMaps) {
    const std::string material =
        R"({"pellucidScene": 1, "materials": [{"id": "a", "type": "standard", "name": "", "maps": [)";
    ExpectRefusals({
        {"slot number", material + R"({"slot": 12, "map": null}]}]})",
         "/materials/0/maps/0/slot: expected an integer from 0 to 11"},
        {"slot twice",
         material + R"({"slot": 1, "map": null}, {"slot": "Diffuse Color", "map": null}]}]})",
         "/materials/0/maps/1/slot: slot 1 (\"Diffuse Color\") is given twice"},
        {"transparency type",
         R"({"pellucidScene": 1, "materials": [{"id": "a", "type": "standard", "name": "", "transparencyType": "glass"}]})",
         "/materials/0/transparencyType: expected \"filter\", \"subtractive\" or \"additive\""},
        {"rgb multiply",
         R"({"pellucidScene": 1, "maps": [{"id": "a", "type": "rgbMultiply", "maps": [null]}]})",
         "/maps/0/maps: expected 2 maps, found 1"},
        {"pixel count",
         R"({"pellucidScene": 1, "maps": [{"id": "a", "type": "bitmap", "image": {"width": 2, "height": 1, "pixels": [[0, 0, 0, 0]]}}]})",
         "/maps/0/image/pixels: expected 2 pixels (2 x 1), found 1"},
        {"pixel channel",
         R"({"pellucidScene": 1, "maps": [{"id": "a", "type": "bitmap", "image": {"width": 1, "height": 1, "pixels": [[0, 0, 256, 0]]}}]})",
         "/maps/0/image/pixels/0/2: expected an integer from 0 to 255"},
        {"fill and pixels",
         R"({"pellucidScene": 1, "maps": [{"id": "a", "type": "bitmap", "image": {"width": 0, "height": 0, "fill": [0, 0, 0, 0], "pixels": []}}]})",
         "/maps/0/image: an image takes \"fill\" or \"pixels\", not both"},
        {"image size",
         R"({"pellucidScene": 1, "maps": [{"id": "a", "type": "bitmap", "image": {"width": 100000, "height": 1}}]})",
         "/maps/0/image/width: expected an integer from 0 to 16384"},
    });
}

TEST(DocumentRefusals, AnImageFileThatDoesNotDecode) {
    const std::string refusal = RefusalOf(
        R"({"pellucidScene": 1, "maps": [{"id": "a", "type": "bitmap", "image": "images/corrupt.png"}]})");
    EXPECT_EQ(refusal.rfind("test.pscene.json: /maps/0/image: image \"images/corrupt.png\" "
                            "cannot be decoded: ",
                            0),
              0u)
        << refusal;
    EXPECT_EQ(refusal.find('\n'), std::string::npos);
}

TEST(DocumentRefusals, KeysOutOfTimeOrder) {
    ExpectRefusals({
        {"position keys",
         WithNode(
             R"("name": "A", "position": {"controller": "linear", "keys": [{"time": 10, "value": [0, 0, 0]}, {"time": 10, "value": [1, 0, 0]}]})"),
         "/nodes/0/position/keys/1/time: expected a time after the previous key's (10)"},
        {"float track",
         WithNode(
             R"("name": "A", "visibility": {"keys": [{"time": 5, "value": 1}, {"time": 0, "value": 0}]})"),
         "/nodes/0/visibility/keys/1/time: expected a time after the previous key's (5)"},
        {"procedural keys",
         WithNode(
             R"("name": "A", "rotation": {"controller": "procedural", "keys": [{"time": 0, "value": {"euler": [0, 0, 0]}}]})"),
         "/nodes/0/rotation/keys: a procedural controller has no keys"},
        {"controller kind", WithNode(R"("name": "A", "position": {"controller": "spline"})"),
         "/nodes/0/position/controller: expected \"bezier\", \"linear\", \"tcb\" or "
         "\"procedural\""},
    });
}

TEST(DocumentRefusals, ControllersAndFloatTracksByTheirFields) {
    ExpectRefusals({
        {"controller without kind", WithNode(R"("name": "A", "scale": {"keys": []})"),
         "/nodes/0/scale: missing required field \"controller\""},
        {"controller field",
         WithNode(R"("name": "A", "position": {"controller": "tcb", "key": []})"),
         "/nodes/0/position/key: unknown field \"key\" (did you mean \"keys\"?)"},
        {"keys not an array",
         WithNode(R"("name": "A", "rotation": {"controller": "linear", "keys": {}})"),
         "/nodes/0/rotation/keys: expected an array, found an object"},
        {"key without value",
         WithNode(R"("name": "A", "scale": {"controller": "bezier", "keys": [{"time": 0}]})"),
         "/nodes/0/scale/keys/0: missing required field \"value\""},
        {"interpolation",
         WithNode(R"("name": "A", "visibility": {"interpolation": 1, "keys": []})"),
         "/nodes/0/visibility/interpolation: expected a string, found a number"},
        {"float track field",
         WithNode(
             R"("name": "A", "visibility": {"interpolation": "step", "controller": "linear"})"),
         "/nodes/0/visibility/controller: unknown field \"controller\""},
        {"float track key",
         WithNode(R"("name": "A", "visibility": {"keys": [{"time": 0, "value": [1]}]})"),
         "/nodes/0/visibility/keys/0/value: expected a number, found an array"},
    });
}

TEST(DocumentRefusals, EntriesThatContainThemselves) {
    ExpectRefusals({
        {"maps",
         R"({"pellucidScene": 1, "maps": [{"id": "a", "type": "mask", "map": "b"}, {"id": "b", "type": "other", "maps": [{"type": "rgbMultiply", "maps": ["a", null]}]}]})",
         "/maps/0: map \"a\" contains itself through its sub-maps"},
        {"materials",
         R"({"pellucidScene": 1, "materials": [{"id": "a", "type": "multi", "name": "", "subMaterials": ["a"]}]})",
         "/materials/0: material \"a\" contains itself through its sub-materials"},
        {"links",
         R"({"pellucidScene": 1, "nodes": [{"name": "A", "link": [{"target": "C"}], "children": [{"name": "B", "children": [{"name": "C"}]}]}]})",
         "/nodes/0/link: node \"A\" would follow itself through its link targets and their "
         "parents"},
    });
}

}  // namespace
}  // namespace pellucid::standalone::test
