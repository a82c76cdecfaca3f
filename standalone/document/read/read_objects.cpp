// Objects: editable meshes, primitives, helpers and the library's collision box.
#include <limits>

#include <fmt/format.h>

#include "standalone/document/read/read_context.h"

namespace pellucid::standalone {

namespace {

constexpr std::string_view kObjectFields[] = {
    "id",         "type",          "vertices",       "faces",          "smoothing", "materialIds",
    "uvVertices", "uvFaces",       "radius",         "segments",       "length",    "width",
    "height",     "widthSegments", "lengthSegments", "heightSegments", "mapping"};
enum ObjectField {
    kId,
    kType,
    kVertices,
    kFaces,
    kSmoothing,
    kMaterialIds,
    kUvVertices,
    kUvFaces,
    kRadius,
    kSegments,
    kLength,
    kWidth,
    kHeight,
    kWidthSegments,
    kLengthSegments,
    kHeightSegments,
    kMapping
};

constexpr std::uint64_t Fields(std::initializer_list<ObjectField> fields) {
    std::uint64_t mask = (1u << kId) | (1u << kType);
    for (ObjectField f : fields) {
        mask |= std::uint64_t{1} << f;
    }
    return mask;
}

struct ObjectTypeInfo {
    std::string_view name;
    doc::ObjectType type;
    std::uint64_t fields;
};

constexpr ObjectTypeInfo kObjectTypes[] = {
    {"mesh", doc::ObjectType::Mesh,
     Fields({kVertices, kFaces, kSmoothing, kMaterialIds, kUvVertices, kUvFaces})},
    {"sphere", doc::ObjectType::Sphere, Fields({kRadius, kSegments})},
    {"box", doc::ObjectType::Box, Fields({kLength, kWidth, kHeight})},
    {"bone", doc::ObjectType::Bone, Fields({})},
    {"dummy", doc::ObjectType::Dummy, Fields({})},
    {"light", doc::ObjectType::Light, Fields({})},
    {"camera", doc::ObjectType::Camera, Fields({})},
    {"shape", doc::ObjectType::Shape, Fields({})},
    {"CollBox", doc::ObjectType::CollBox,
     Fields(
         {kLength, kWidth, kHeight, kWidthSegments, kLengthSegments, kHeightSegments, kMapping})},
};

// The sphere primitive's segment range.
constexpr int kMinSphereSegments = 4;
constexpr int kMaxSphereSegments = 200;
// Material ids are 16-bit in the host's meshes.
constexpr std::uint32_t kMaxMaterialId = 0xffff;

}  // namespace

doc::Object SceneDocumentReader::ReadObject(JsonElement value, const JsonPath& path, bool shared) {
    const std::string_view typeName = RequiredString(value, path, "type");
    const ObjectTypeInfo* info = nullptr;
    for (const ObjectTypeInfo& candidate : kObjectTypes) {
        if (candidate.name == typeName) {
            info = &candidate;
        }
    }
    if (info == nullptr) {
        Fail(path.Field("type"), fmt::format("unknown object type \"{}\" (expected mesh, sphere, "
                                             "box, bone, dummy, light, camera, shape or CollBox)",
                                             typeName));
    }
    const std::string kind = fmt::format("an object of type \"{}\"", typeName);

    doc::Object object;
    object.type = info->type;
    ForEachField(value, path, kObjectFields, [&](int field, JsonElement v, const JsonPath& p) {
        CheckFieldAllowed(info->fields, field, p, kObjectFields[field], kind);
        doc::MeshData& mesh = object.mesh;
        switch (field) {
            case kId:
                if (!shared) {
                    Fail(p, "an id is only for entries of /objects, which nodes share by it");
                }
                object.id = String(v, p);
                break;
            case kType:
                break;
            case kVertices:
                ReadPointArray(v, p, mesh.vertices);
                break;
            case kFaces:
                ReadTriangleArray(v, p, mesh.faces);
                break;
            case kSmoothing:
                ReadWordArray(v, p, std::numeric_limits<std::uint32_t>::max(), true,
                              mesh.smoothing);
                break;
            case kMaterialIds:
                ReadWordArray(v, p, kMaxMaterialId, false, mesh.materialIds);
                break;
            case kUvVertices:
                ReadUvArray(v, p, mesh.uvVertices, mesh.uvHasW);
                break;
            case kUvFaces:
                ReadTriangleArray(v, p, mesh.uvFaces);
                break;
            case kRadius:
                object.radius = Float(v, p);
                break;
            case kSegments:
                object.segments =
                    static_cast<int>(Integer(v, p, kMinSphereSegments, kMaxSphereSegments));
                break;
            case kLength:
                object.length = Float(v, p);
                break;
            case kWidth:
                object.width = Float(v, p);
                break;
            case kHeight:
                object.height = Float(v, p);
                break;
            case kWidthSegments:
                object.widthSegments = Int(v, p);
                break;
            case kLengthSegments:
                object.lengthSegments = Int(v, p);
                break;
            case kHeightSegments:
                object.heightSegments = Int(v, p);
                break;
            case kMapping:
                object.mapping = Bool(v, p);
                break;
        }
    });
    return object;
}

}  // namespace pellucid::standalone
