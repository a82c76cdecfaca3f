// Meshes: the imported meshes of one node become one editable mesh, welded by position so that
// faces share vertices, with texture faces of their own, material ids and smoothing groups.
#include <algorithm>
#include <bit>
#include <cstring>

#include <fmt/format.h>

#include "standalone/interchange/scene_converter.h"
#include "standalone/interchange/smoothing_groups.h"

namespace pellucid::interchange {

namespace {

// Finds or adds a vertex by its exact position (-0 and 0 are one position). Open addressing over
// a table sized for every vertex up front, so the table never grows.
class PositionWelder {
  public:
    PositionWelder(std::size_t expected, std::vector<Point3>& vertices) : vertices_(vertices) {
        std::size_t size = 16;
        while (size < expected * 2) {
            size *= 2;
        }
        slots_.assign(size, kEmpty);
        vertices_.reserve(expected);
    }

    // The welded index of `p`, and whether it is new.
    std::pair<std::uint32_t, bool> Add(Point3 p) {
        p.x += 0.0f;  // -0 becomes 0
        p.y += 0.0f;
        p.z += 0.0f;
        std::size_t slot = Hash(p) & (slots_.size() - 1);
        while (slots_[slot] != kEmpty) {
            const Point3& q = vertices_[slots_[slot]];
            if (Bits(q.x) == Bits(p.x) && Bits(q.y) == Bits(p.y) && Bits(q.z) == Bits(p.z)) {
                return {slots_[slot], false};
            }
            slot = (slot + 1) & (slots_.size() - 1);
        }
        slots_[slot] = static_cast<std::uint32_t>(vertices_.size());
        vertices_.push_back(p);
        return {slots_[slot], true};
    }

  private:
    static constexpr std::uint32_t kEmpty = 0xffffffffu;
    static std::uint32_t Bits(float f) { return std::bit_cast<std::uint32_t>(f); }
    static std::size_t Hash(const Point3& p) {
        std::uint64_t h = Bits(p.x) * 0x9E3779B97F4A7C15ull;
        h ^= (Bits(p.y) + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
        h ^= (Bits(p.z) + 0x85EBCA77C2B2AE63ull) * 0x165667B19E3779F9ull;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }

    std::vector<Point3>& vertices_;
    std::vector<std::uint32_t> slots_;
};

}  // namespace

void SceneConverter::AddMeshObject(const aiNode& node, int docNode) {
    NodeMesh placed;
    placed.docNode = docNode;
    doc::Object object;
    object.type = doc::ObjectType::Mesh;
    doc::MeshData& data = object.mesh;
    const std::string& name = document_.nodes[docNode].name;

    std::size_t expectedVertices = 0;
    std::size_t expectedFaces = 0;
    bool anyUv = false;
    for (unsigned k = 0; k < node.mNumMeshes; ++k) {
        const aiMesh& mesh = *scene_.mMeshes[node.mMeshes[k]];
        expectedVertices += mesh.mNumVertices;
        expectedFaces += mesh.mNumFaces;
        anyUv = anyUv || (mesh.mTextureCoords[0] != nullptr);
    }
    PositionWelder welder(expectedVertices, data.vertices);
    const bool turned = !turn_.IsIdentity();
    data.faces.reserve(expectedFaces);
    std::vector<Point3> cornerNormals;
    cornerNormals.reserve(expectedFaces * 3);
    std::vector<unsigned> materials;  // imported material indices, by material id
    std::vector<std::uint32_t> materialIds;
    materialIds.reserve(expectedFaces);
    bool allNormals = true;
    std::size_t droppedPrimitives = 0;
    // A texture vertex at (0, 0) for faces of meshes without coordinates, made when needed.
    std::int64_t blankUv = -1;

    for (unsigned k = 0; k < node.mNumMeshes; ++k) {
        const aiMesh& mesh = *scene_.mMeshes[node.mMeshes[k]];
        MeshPlacement part;
        part.mesh = &mesh;
        part.firstFace = static_cast<std::uint32_t>(data.faces.size());
        part.vertexOf.resize(mesh.mNumVertices);
        for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
            const aiVector3D& p = mesh.mVertices[v];
            Point3 position(p.x * options_.scale, p.y * options_.scale, p.z * options_.scale);
            if (turned) {
                position = Turned(position);
            }
            const auto [index, added] = welder.Add(position);
            part.vertexOf[v] = index;
            if (added) {
                placed.source.emplace_back(k, v);
            }
        }
        const auto found = std::find(materials.begin(), materials.end(), mesh.mMaterialIndex);
        const auto materialId = static_cast<std::uint32_t>(found - materials.begin());
        if (found == materials.end()) {
            materials.push_back(mesh.mMaterialIndex);
        }
        const aiVector3D* uvs = mesh.mTextureCoords[0];
        const auto uvBase = static_cast<std::uint32_t>(data.uvVertices.size());
        if (uvs != nullptr) {
            const bool withW = mesh.mNumUVComponents[0] > 2;
            data.uvHasW = data.uvHasW || withW;
            for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
                data.uvVertices.emplace_back(uvs[v].x, uvs[v].y, withW ? uvs[v].z : 0.0f);
            }
        } else if (anyUv && blankUv < 0) {
            blankUv = static_cast<std::int64_t>(data.uvVertices.size());
            data.uvVertices.emplace_back(0.0f, 0.0f, 0.0f);
        }
        allNormals = allNormals && mesh.mNormals != nullptr;
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices != 3 || face.mIndices[0] >= mesh.mNumVertices ||
                face.mIndices[1] >= mesh.mNumVertices || face.mIndices[2] >= mesh.mNumVertices) {
                ++droppedPrimitives;
                continue;
            }
            const unsigned* i = face.mIndices;
            data.faces.push_back({part.vertexOf[i[0]], part.vertexOf[i[1]], part.vertexOf[i[2]]});
            materialIds.push_back(materialId);
            if (uvs != nullptr) {
                data.uvFaces.push_back({uvBase + i[0], uvBase + i[1], uvBase + i[2]});
            } else if (anyUv) {
                const auto blank = static_cast<std::uint32_t>(blankUv);
                data.uvFaces.push_back({blank, blank, blank});
            }
            if (mesh.mNormals != nullptr) {
                for (int c = 0; c < 3; ++c) {
                    const aiVector3D& n = mesh.mNormals[i[c]];
                    cornerNormals.emplace_back(n.x, n.y, n.z);
                }
            }
        }
        placed.parts.push_back(std::move(part));
    }
    if (droppedPrimitives > 0) {
        Note("dropped", fmt::format("{} point and line primitive{} of mesh \"{}\" (only triangles "
                                    "and polygons are converted)",
                                    droppedPrimitives, droppedPrimitives == 1 ? "" : "s", name));
    }
    if (materials.size() > 1) {
        data.materialIds = std::move(materialIds);
    }
    if (allNormals) {
        SmoothingResult smoothing =
            DeriveSmoothingGroups(data.faces, cornerNormals, data.vertices.size());
        data.smoothing = std::move(smoothing.groups);
        if (smoothing.crowdedRegions > 0) {
            Note("changed", fmt::format("mesh \"{}\": {} smoothing region{} share a group with a "
                                        "neighbour (more than 32 regions meet)",
                                        name, smoothing.crowdedRegions,
                                        smoothing.crowdedRegions == 1 ? "" : "s"));
        }
    } else {
        data.smoothing.assign(data.faces.size(), 1u);
        Note("changed", fmt::format("mesh \"{}\" has no normals in the file: all its faces are "
                                    "smoothed together (group 1)",
                                    name));
    }

    placed.docObject = static_cast<int>(document_.objects.size());
    document_.nodes[docNode].object = placed.docObject;
    document_.objects.push_back(std::move(object));
    document_.nodes[docNode].material = GetNodeMaterial(materials, name);
    AddMorphs(placed);
    meshes_.push_back(std::move(placed));
}

}  // namespace pellucid::interchange
