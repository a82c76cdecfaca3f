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

constexpr TypeFields<doc::ObjectType> kObjectTypes[] = {
    {doc::ObjectType::Mesh, FieldSet<ObjectField>({kId, kType, kVertices, kFaces, kSmoothing,
                                                   kMaterialIds, kUvVertices, kUvFaces})},
    {doc::ObjectType::Sphere, FieldSet<ObjectField>({kId, kType, kRadius, kSegments})},
    {doc::ObjectType::Box, FieldSet<ObjectField>({kId, kType, kLength, kWidth, kHeight})},
    {doc::ObjectType::Bone, FieldSet<ObjectField>({kId, kType})},
    {doc::ObjectType::Dummy, FieldSet<ObjectField>({kId, kType})},
    {doc::ObjectType::Light, FieldSet<ObjectField>({kId, kType})},
    {doc::ObjectType::Camera, FieldSet<ObjectField>({kId, kType})},
    {doc::ObjectType::Shape, FieldSet<ObjectField>({kId, kType})},
    {doc::ObjectType::CollBox,
     FieldSet<ObjectField>({kId, kType, kLength, kWidth, kHeight, kWidthSegments, kLengthSegments,
                            kHeightSegments, kMapping})},
};

// The sphere primitive's segment range.
constexpr int kMinSphereSegments = 4;
constexpr int kMaxSphereSegments = 200;
// Material ids are 16-bit in the host's meshes.
constexpr std::uint32_t kMaxMaterialId = 0xffff;

}  // namespace

doc::Object SceneDocumentReader::ReadObject(JsonElement value, const JsonPath& path, bool shared) {
    std::string kind;
    const auto& info =
        ReadEntryType(*this, value, path, "object", kObjectTypeNames, kObjectTypes, kind);

    doc::Object object;
    object.type = info.type;
    ForEachField(value, path, kObjectFields, [&](int field, JsonElement v, const JsonPath& p) {
        CheckFieldAllowed(info.fields, field, p, kObjectFields[field], kind);
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
