// Objects: meshes with their arrays one element per line; primitives and helpers by type.
#include "standalone/document/type_names.h"
#include "standalone/document/write/write_context.h"

namespace pellucid::standalone {

namespace {

void WriteTriangles(JsonWriter& json, const std::vector<std::array<std::uint32_t, 3>>& triangles) {
    json.BeginArray();
    for (const auto& triangle : triangles) {
        json.BeginInlineArray();
        for (std::uint32_t index : triangle) {
            json.Int(index);
        }
        json.EndInlineArray();
    }
    json.EndArray();
}

void WriteWords(JsonWriter& json, const std::vector<std::uint32_t>& words) {
    json.BeginInlineArray();
    for (std::uint32_t word : words) {
        json.Int(word);
    }
    json.EndInlineArray();
}

}  // namespace

void SceneDocumentWriter::WriteObject(int index) {
    const doc::Object& object = document_.objects[static_cast<std::size_t>(index)];
    WriteEntry(objects_, index, "object", [&] {
        json_.Key("type");
        json_.String(NameOf(kObjectTypeNames, object.type));
        switch (object.type) {
            case doc::ObjectType::Mesh:
                WriteMesh(object.mesh);
                break;
            case doc::ObjectType::Sphere:
                json_.Key("radius");
                json_.Float(object.radius);
                json_.Key("segments");
                json_.Int(object.segments);
                break;
            case doc::ObjectType::Box:
            case doc::ObjectType::CollBox:
                json_.Key("length");
                json_.Float(object.length);
                json_.Key("width");
                json_.Float(object.width);
                json_.Key("height");
                json_.Float(object.height);
                if (object.type == doc::ObjectType::CollBox) {
                    json_.Key("widthSegments");
                    json_.Int(object.widthSegments);
                    json_.Key("lengthSegments");
                    json_.Int(object.lengthSegments);
                    json_.Key("heightSegments");
                    json_.Int(object.heightSegments);
                    json_.Key("mapping");
                    json_.Bool(object.mapping);
                }
                break;
            default:
                break;
        }
    });
}

void SceneDocumentWriter::WriteMesh(const doc::MeshData& mesh) {
    json_.Key("vertices");
    json_.BeginArray();
    for (const Point3& vertex : mesh.vertices) {
        json_.Point(vertex);
    }
    json_.EndArray();
    json_.Key("faces");
    WriteTriangles(json_, mesh.faces);
    if (!mesh.smoothing.empty()) {
        json_.Key("smoothing");
        WriteWords(json_, mesh.smoothing);
    }
    if (!mesh.materialIds.empty()) {
        json_.Key("materialIds");
        WriteWords(json_, mesh.materialIds);
    }
    if (!mesh.uvVertices.empty()) {
        json_.Key("uvVertices");
        json_.BeginArray();
        for (const Point3& uv : mesh.uvVertices) {
            json_.BeginInlineArray();
            json_.Float(uv.x);
            json_.Float(uv.y);
            if (mesh.uvHasW) {
                json_.Float(uv.z);
            }
            json_.EndInlineArray();
        }
        json_.EndArray();
    }
    if (!mesh.uvFaces.empty()) {
        json_.Key("uvFaces");
        WriteTriangles(json_, mesh.uvFaces);
    }
}

}  // namespace pellucid::standalone
