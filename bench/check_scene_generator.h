// Scenes for the check benchmarks: a closed torus of triangles (every edge shared by two faces)
// for the volume check, with the same triangles as a binary STL for comparison with other
// connectivity checkers, and a level mesh of separate grid pieces with portal faces for the
// sector flood. Big arrays go to a binary side file beside the document.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace pellucid::bench {

struct CheckMesh {
    std::vector<float> vertices;       // x, y, z
    std::vector<std::uint32_t> faces;  // a, b, c
    std::vector<std::uint32_t> materialIds;
};

// A torus of about `triangles` triangles: a grid of quads that wraps in both directions.
inline CheckMesh TorusMesh(long triangles) {
    const long side =
        std::max(3L, static_cast<long>(std::sqrt(static_cast<double>(triangles) / 2)));
    CheckMesh mesh;
    for (long v = 0; v < side; ++v) {
        for (long u = 0; u < side; ++u) {
            const double a = 2 * M_PI * static_cast<double>(u) / static_cast<double>(side);
            const double b = 2 * M_PI * static_cast<double>(v) / static_cast<double>(side);
            mesh.vertices.push_back(static_cast<float>((10 + 3 * std::cos(b)) * std::cos(a)));
            mesh.vertices.push_back(static_cast<float>((10 + 3 * std::cos(b)) * std::sin(a)));
            mesh.vertices.push_back(static_cast<float>(3 * std::sin(b)));
        }
    }
    const auto at = [side](long u, long v) {
        return static_cast<std::uint32_t>((v % side) * side + (u % side));
    };
    for (long v = 0; v < side; ++v) {
        for (long u = 0; u < side; ++u) {
            const std::uint32_t a = at(u, v), b = at(u + 1, v), c = at(u, v + 1),
                                d = at(u + 1, v + 1);
            for (std::uint32_t i : {a, b, d, a, d, c}) {
                mesh.faces.push_back(i);
            }
            mesh.materialIds.push_back(0);
            mesh.materialIds.push_back(0);
        }
    }
    return mesh;
}

// `pieces` separate flat grids side by side, about `triangles` triangles in all; the first two
// faces of each piece take a portal material (ids 1 to 8), the rest id 0.
inline CheckMesh LevelMesh(long triangles, int pieces) {
    CheckMesh mesh;
    const long perPiece = std::max(2L, triangles / pieces);
    const long side = std::max(1L, static_cast<long>(std::sqrt(static_cast<double>(perPiece) / 2)));
    for (int p = 0; p < pieces; ++p) {
        const auto base = static_cast<std::uint32_t>(mesh.vertices.size() / 3);
        for (long y = 0; y <= side; ++y) {
            for (long x = 0; x <= side; ++x) {
                mesh.vertices.push_back(static_cast<float>(x + p * (side + 2)));
                mesh.vertices.push_back(static_cast<float>(y));
                mesh.vertices.push_back(0.0f);
            }
        }
        for (long y = 0; y < side; ++y) {
            for (long x = 0; x < side; ++x) {
                const auto a = static_cast<std::uint32_t>(base + y * (side + 1) + x);
                const std::uint32_t b = a + 1;
                const auto c = static_cast<std::uint32_t>(a + side + 1);
                const std::uint32_t d = c + 1;
                for (std::uint32_t i : {a, b, d, a, d, c}) {
                    mesh.faces.push_back(i);
                }
                const std::uint32_t id =
                    x == 0 && y == 0 ? 1u + static_cast<std::uint32_t>(p % 8) : 0u;
                mesh.materialIds.push_back(id);
                mesh.materialIds.push_back(id);
            }
        }
    }
    return mesh;
}

// Writes the mesh as the one selected node of a scene document, with a multi-material of
// `names` and its arrays in `path`.bin.
inline void WriteCheckScene(const std::string& path, const CheckMesh& mesh,
                            const std::vector<std::string>& names) {
    const std::string sidePath = path + ".bin";
    const std::string sideName = sidePath.substr(sidePath.find_last_of('/') + 1);
    std::ofstream side(sidePath, std::ios::binary | std::ios::trunc);
    std::uint64_t offset = 0;
    const auto append = [&](const auto& values, size_t count, const char* type) {
        side.write(reinterpret_cast<const char*>(values.data()),
                   static_cast<std::streamsize>(values.size() * sizeof(values[0])));
        const std::string ref =
            "{\"file\": \"" + sideName + "\", \"offset\": " + std::to_string(offset) +
            ", \"count\": " + std::to_string(count) + ", \"type\": \"" + type + "\"}";
        offset += values.size() * sizeof(values[0]);
        return ref;
    };
    const std::string vertices = append(mesh.vertices, mesh.vertices.size() / 3, "float32");
    const std::string faces = append(mesh.faces, mesh.faces.size() / 3, "uint32");
    const std::string ids = append(mesh.materialIds, mesh.materialIds.size(), "uint32");
    if (!side) {
        throw std::runtime_error("cannot write " + sidePath);
    }
    std::ofstream json(path, std::ios::binary | std::ios::trunc);
    json << "{\"pellucidScene\": 1, \"nodes\": [{\"name\": \"Mesh\", \"selected\": true, "
            "\"material\": {\"type\": \"multi\", \"name\": \"m\", \"subMaterials\": [";
    for (size_t i = 0; i < names.size(); ++i) {
        json << (i ? ", " : "") << "{\"type\": \"standard\", \"name\": \"" << names[i] << "\"}";
    }
    json << "]}, \"object\": {\"type\": \"mesh\", \"vertices\": " << vertices
         << ", \"faces\": " << faces << ", \"materialIds\": " << ids << "}}]}\n";
    if (!json) {
        throw std::runtime_error("cannot write " + path);
    }
}

// The triangles as a binary STL: an 80-byte header, the count, and per triangle a zero normal,
// three corners and two attribute bytes.
inline void WriteBinaryStl(const std::string& path, const CheckMesh& mesh) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    char header[80] = {};
    std::memcpy(header, "pellucid check benchmark", 24);
    out.write(header, sizeof header);
    const auto count = static_cast<std::uint32_t>(mesh.faces.size() / 3);
    out.write(reinterpret_cast<const char*>(&count), 4);
    for (size_t f = 0; f < mesh.faces.size(); f += 3) {
        float record[12] = {};
        for (int k = 0; k < 3; ++k) {
            std::memcpy(&record[3 + 3 * k], &mesh.vertices[3 * mesh.faces[f + k]], 12);
        }
        out.write(reinterpret_cast<const char*>(record), sizeof record);
        const std::uint16_t attributes = 0;
        out.write(reinterpret_cast<const char*>(&attributes), 2);
    }
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

inline std::vector<std::string> LevelMaterialNames() {
    std::vector<std::string> names = {"floor_M"};
    for (int i = 0; i < 8; ++i) {
        names.push_back("portal" + std::to_string(i));
    }
    return names;
}

}  // namespace pellucid::bench
