// A scene document as plain data: what a *.pscene.json file says, checked and resolved, before the
// stand-alone host brings it to life (scene_builder.h) and after it captures a live scene for
// saving. References between parts are indices into the document's own lists.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "host/matrix3.h"
#include "host/quat.h"

namespace pellucid::doc {

// A local transform as written: a full matrix, or scale, then rotation, then translation.
struct Transform {
    Matrix3 matrix;  // always filled: the composed matrix
    // How the document wrote it, kept so that saving writes the same form.
    bool fromParts = false;
    Point3 position;
    Quat rotation;  // host convention
    Point3 scale{1.0f, 1.0f, 1.0f};
};

struct Drive {
    std::string root;           // "P:\"
    std::string universalName;  // "" when it has none
};

struct Settings {
    int ticksPerFrame = 160;
    int animationStart = 0;
    int animationEnd = 16000;
    int time = 0;
    float tension = 0, continuity = 0, bias = 0, easeIn = 0, easeOut = 0;
    bool loop = false;
    std::vector<Drive> drives;
};

enum class ControllerKind { Bezier, Linear, Tcb, Procedural };

struct PositionKey {
    int time = 0;
    Point3 value;
    Point3 inTangent;
    Point3 outTangent;
};
struct RotationKey {
    int time = 0;
    Quat value;
};
struct ScaleKey {
    int time = 0;
    Point3 value{1.0f, 1.0f, 1.0f};
};
template <typename Key>
struct Controller {
    ControllerKind kind = ControllerKind::Bezier;
    std::vector<Key> keys;  // in time order as given
};

struct FloatKey {
    int time = 0;
    float value = 0.0f;
};
struct FloatTrack {
    bool step = false;  // "step" interpolation, else linear
    std::vector<FloatKey> keys;
    // A constant (a plain number in the document) is a track with one key at 0 and `constant` set.
    bool constant = false;
};

struct LinkTarget {
    int node = -1;  // index into Document::nodes, -1 for the world
    int time = 0;
};

struct Pivot {
    Point3 position;
    Quat rotation;
    Point3 scale{1.0f, 1.0f, 1.0f};
};

enum class ObjectType { Mesh, Sphere, Box, Bone, Dummy, Light, Camera, Shape, CollBox };

struct MeshData {
    std::vector<Point3> vertices;
    std::vector<std::array<std::uint32_t, 3>> faces;
    std::vector<std::uint32_t> smoothing;               // empty or one per face
    std::vector<std::uint32_t> materialIds;             // empty or one per face (16 bits are kept)
    std::vector<Point3> uvVertices;                     // w = 0 when given as [u, v]
    std::vector<std::array<std::uint32_t, 3>> uvFaces;  // empty or one per face
    bool uvHasW = false;
};

struct Object {
    std::string id;  // "" for an object written inline
    ObjectType type = ObjectType::Mesh;
    MeshData mesh;                                                  // Mesh
    float radius = 0.0f;                                            // Sphere
    int segments = 16;                                              // Sphere
    float length = 0, width = 0, height = 0;                        // Box, CollBox
    int widthSegments = 1, lengthSegments = 1, heightSegments = 1;  // CollBox
    bool mapping = false;                                           // CollBox
};

enum class ModifierType { Physique, Morpher, GameInfluence, ZUTMorph, Inert };

struct SkinVertex {
    std::vector<int> bones;  // node indices
    std::vector<float> weights;
    int type = 1;
};

struct MorphChannelData {
    int index = 0;  // 0..99
    std::string name;
    int hasData = 0;
    int enabled = 0;
    std::vector<int> points;
    std::vector<Point3> deltas;
    FloatTrack weight;  // percent
};

struct Modifier {
    std::string id;
    ModifierType type = ModifierType::Inert;
    std::string name;  // Inert
    // Physique: one entry per base-mesh vertex; nullopt for a vertex without an interface.
    std::vector<std::optional<SkinVertex>> skinVertices;
    std::optional<Matrix3> skinInitialTransform;                 // world space
    std::vector<std::pair<int, Matrix3>> boneInitialTransforms;  // node index, world transform
    bool exportInterface = true;
    bool context = true;
    std::vector<MorphChannelData> channels;  // Morpher
};

enum class TransparencyType { Filter, Subtractive, Additive };
enum class MaterialType { Standard, Multi, Other };

struct MapSlot {
    int slot = 0;  // 0..11
    int map = -1;  // index into Document::maps
    float amount = 1.0f;
};

struct Material {
    std::string id;
    MaterialType type = MaterialType::Standard;
    std::string name;
    Color ambient{0.588f, 0.588f, 0.588f};
    Color diffuse{0.588f, 0.588f, 0.588f};
    Color specular{0.9f, 0.9f, 0.9f};
    float shininess = 0.1f;
    float shininessStrength = 0.0f;
    float selfIllumination = 0.0f;
    float transparency = 0.0f;
    TransparencyType transparencyType = TransparencyType::Filter;
    std::vector<MapSlot> maps;
    std::vector<int> subMaterials;  // Multi: indices into Document::materials, -1 for null
};

enum class MapType { Bitmap, RGBMultiply, Mask, Other };

struct Image {
    enum class Kind { None, File, Fill, Pixels } kind = Kind::None;
    std::string path;  // File: as written, relative to the document
    // File: the reader decodes the image into `pixels`; a file that does not exist leaves
    // fileMissing set and no pixels (the map then has no bitmap).
    bool fileMissing = false;
    int width = 0, height = 0;
    std::array<std::uint8_t, 4> fill{0, 0, 0, 255};
    std::vector<std::array<std::uint8_t, 4>> pixels;  // row by row from the first stored row
};

struct Map {
    std::string id;
    MapType type = MapType::Bitmap;
    std::string file;  // Bitmap: the file name the map records
    Image image;
    float uTiling = 1.0f, vTiling = 1.0f;
    std::vector<int> subMaps;  // RGBMultiply (2), Mask (map, mask), Other: indices, -1 for null
};

struct Node {
    std::string id;
    std::string name;
    int object = -1;             // index into Document::objects, -1 for none
    std::vector<int> modifiers;  // indices into Document::modifiers, top first
    int material = -1;           // index into Document::materials, -1 for none
    bool hidden = false;
    bool selected = false;
    Transform transform;
    std::optional<Controller<PositionKey>> position;
    std::optional<Controller<RotationKey>> rotation;
    std::optional<Controller<ScaleKey>> scale;
    std::vector<LinkTarget> link;
    std::optional<FloatTrack> visibility;
    std::optional<Pivot> pivot;
    std::vector<int> selectedFaces;
    std::vector<int> children;  // indices into Document::nodes, in child order
};

// Objects, modifiers, materials and maps written inline in the document are appended to their
// lists as well (with an empty id), so every reference is an index.
struct Document {
    Settings settings;
    std::vector<Material> materials;
    std::vector<Map> maps;
    std::vector<Object> objects;
    std::vector<Modifier> modifiers;
    std::vector<Node> nodes;     // every node of the tree
    std::vector<int> rootNodes;  // the children of the scene root, in order
    std::string baseDirectory;   // folder of the document, for images and side files
};

}  // namespace pellucid::doc
