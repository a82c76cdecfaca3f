// Writes large scene documents for the benchmarks: a wavy grid of triangles in two smoothing
// groups, eight textured materials, texture coordinates, and a skin over 64 bones. The big arrays
// go to a binary side file beside the document.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace pellucid::bench {

constexpr int kGeneratedBones = 64;
constexpr int kGeneratedMaterials = 8;

struct SideFile {
    std::ofstream out;
    std::uint64_t offset = 0;

    template <typename T>
    std::string Append(const std::vector<T>& values, size_t count, const char* type) {
        const std::string descriptor =
            "{\"file\": \"" + name + "\", \"offset\": " + std::to_string(offset) +
            ", \"count\": " + std::to_string(count) + ", \"type\": \"" + type + "\"}";
        out.write(reinterpret_cast<const char*>(values.data()),
                  static_cast<std::streamsize>(values.size() * sizeof(T)));
        offset += values.size() * sizeof(T);
        return descriptor;
    }
    std::string name;
};

// Writes `path` (a *.pscene.json) and its side file `path` + ".bin" for a grid of at least
// `triangles` triangles (rounded up to whole quads).
inline void WriteGridScene(const std::string& path, long triangles) {
    const long quads = std::max(1L, (triangles + 1) / 2);
    const long columns = std::max(1L, static_cast<long>(std::sqrt(static_cast<double>(quads))));
    const long rows = (quads + columns - 1) / columns;
    const long faceCount = quads * 2;
    const long rowVertices = columns + 1;
    const long vertexCount = rowVertices * (rows + 1);

    std::vector<float> vertices;
    std::vector<float> uvs;
    vertices.reserve(static_cast<size_t>(vertexCount) * 3);
    uvs.reserve(static_cast<size_t>(vertexCount) * 2);
    for (long y = 0; y <= rows; ++y) {
        for (long x = 0; x <= columns; ++x) {
            vertices.push_back(static_cast<float>(x));
            vertices.push_back(static_cast<float>(y));
            vertices.push_back(static_cast<float>(0.25 * std::sin(0.3 * x) * std::cos(0.2 * y)));
            uvs.push_back(static_cast<float>(x) / static_cast<float>(columns));
            uvs.push_back(static_cast<float>(y) / static_cast<float>(rows));
        }
    }
    std::vector<std::uint32_t> faces;
    std::vector<std::uint32_t> smoothing;
    std::vector<std::uint32_t> materialIds;
    faces.reserve(static_cast<size_t>(faceCount) * 3);
    for (long q = 0; q < quads; ++q) {
        const long x = q % columns;
        const long y = q / columns;
        const auto a = static_cast<std::uint32_t>(y * rowVertices + x);
        const auto b = a + 1;
        const auto c = static_cast<std::uint32_t>(a + rowVertices);
        const auto d = c + 1;
        for (std::uint32_t v : {a, b, d, a, d, c}) {
            faces.push_back(v);
        }
        // Alternate rows of quads take groups 1 and 2, so inner vertices hold two normals.
        const std::uint32_t group = (y % 2 == 0) ? 1u : 2u;
        const auto material = static_cast<std::uint32_t>(x % kGeneratedMaterials);
        for (int k = 0; k < 2; ++k) {
            smoothing.push_back(group);
            materialIds.push_back(material);
        }
    }

    SideFile side;
    const std::string sidePath = path + ".bin";
    side.name = sidePath.substr(sidePath.find_last_of('/') + 1);
    side.out.open(sidePath, std::ios::binary | std::ios::trunc);
    if (!side.out) {
        throw std::runtime_error("cannot write " + sidePath);
    }
    const size_t vcount = static_cast<size_t>(vertexCount);
    const size_t fcount = static_cast<size_t>(faceCount);
    const std::string verticesRef = side.Append(vertices, vcount, "float32");
    const std::string facesRef = side.Append(faces, fcount, "uint32");
    const std::string smoothingRef = side.Append(smoothing, fcount, "uint32");
    const std::string materialIdsRef = side.Append(materialIds, fcount, "uint32");
    const std::string uvVerticesRef = side.Append(uvs, vcount, "float32");
    const std::string uvFacesRef = side.Append(faces, fcount, "uint32");
    side.out.close();

    std::ofstream json(path, std::ios::binary | std::ios::trunc);
    if (!json) {
        throw std::runtime_error("cannot write " + path);
    }
    json << "{\"pellucidScene\": 1,\n\"maps\": [";
    for (int m = 0; m < kGeneratedMaterials; ++m) {
        json << (m ? ",\n" : "\n") << "{\"id\": \"tex" << m
             << "\", \"type\": \"bitmap\", \"file\": \"P:\\\\textures\\\\grid" << m
             << ".tga\", \"image\": {\"width\": 8, \"height\": 8, \"fill\": [" << 30 * m
             << ", 128, 200, 255]}, \"tiling\": [1, " << (m + 1) << "]}";
    }
    json << "],\n\"materials\": [";
    for (int m = 0; m < kGeneratedMaterials; ++m) {
        json << (m ? ",\n" : "\n") << "{\"id\": \"mat" << m
             << "\", \"type\": \"standard\", \"name\": \"grid" << m << "_M\", \"diffuse\": ["
             << 0.1 * m << ", 0.5, 0.5], \"maps\": [{\"slot\": 1, \"map\": \"tex" << m << "\"}]}";
    }
    json << ",\n{\"id\": \"gridMulti\", \"type\": \"multi\", \"name\": \"Grid\", \"subMaterials\": "
            "[";
    for (int m = 0; m < kGeneratedMaterials; ++m) {
        json << (m ? ", " : "") << "\"mat" << m << "\"";
    }
    json << "]}],\n\"nodes\": [\n";

    // Bones in a binary tree along x, each a child of bone (i - 1) / 2.
    std::vector<std::vector<int>> boneChildren(kGeneratedBones);
    for (int i = 1; i < kGeneratedBones; ++i) {
        boneChildren[static_cast<size_t>((i - 1) / 2)].push_back(i);
    }
    const double boneSpacing = static_cast<double>(columns) / kGeneratedBones;
    auto boneName = [](int i) {
        char name[16];
        std::snprintf(name, sizeof(name), "Bone%02d", i);
        return std::string(name);
    };
    // Vertices bound to the bone of their column band; every other column blends with the next.
    auto writeSkin = [&]() {
        json
            << "{\"name\": \"Grid\", \"material\": \"gridMulti\", \"object\": {\"type\": \"mesh\", "
            << "\"vertices\": " << verticesRef << ", \"faces\": " << facesRef
            << ", \"smoothing\": " << smoothingRef << ", \"materialIds\": " << materialIdsRef
            << ", \"uvVertices\": " << uvVerticesRef << ", \"uvFaces\": " << uvFacesRef
            << "},\n \"modifiers\": [{\"type\": \"physique\", \"vertices\": [\n";
        for (long v = 0; v < vertexCount; ++v) {
            const long x = v % rowVertices;
            const int bone = std::min(kGeneratedBones - 1,
                                      static_cast<int>(static_cast<double>(x) / boneSpacing));
            json << (v ? ",\n" : "");
            if (x % 2 == 1 && bone + 1 < kGeneratedBones) {
                json << "{\"bones\": [\"" << boneName(bone) << "\", \"" << boneName(bone + 1)
                     << "\"], \"weights\": [0.75, 0.25]}";
            } else {
                json << "{\"bones\": [\"" << boneName(bone) << "\"], \"weights\": [1]}";
            }
        }
        json << "]}]}";
    };
    // Depth-first writing of the bone tree; the skin is the root bone's first child.
    auto writeBone = [&](auto&& self, int i) -> void {
        const double parentX = i == 0 ? 0.0 : ((i - 1) / 2) * boneSpacing;
        json << "{\"name\": \"" << boneName(i) << "\", \"object\": {\"type\": \"bone\"}, "
             << "\"transform\": {\"position\": [" << (i * boneSpacing - parentX)
             << ", 0, 0]}, \"children\": [";
        bool first = true;
        if (i == 0) {
            writeSkin();
            first = false;
        }
        for (int child : boneChildren[static_cast<size_t>(i)]) {
            json << (first ? "\n" : ",\n");
            first = false;
            self(self, child);
        }
        json << "]}";
    };
    writeBone(writeBone, 0);
    json << "\n]}\n";
    if (!json) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace pellucid::bench
