// The bundled example character as a glTF asset: a two-material body skinned to a chain of three
// joints, two animations (a walk and an idle nod) and a morph target, all made here.
#pragma once

#include <array>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "gltf_writer.h"

namespace pellucid::bench {

namespace character {

// One glTF primitive being built: its vertex attributes and triangles.
struct Primitive {
    std::vector<float> positions, normals, uvs, weights, squash;
    std::vector<std::uint16_t> joints;
    std::vector<std::uint16_t> indices;

    std::uint16_t Add(std::array<float, 3> p, std::array<float, 3> n, std::array<float, 2> uv,
                      std::array<float, 3> jointWeights, float squashDrop) {
        const auto index = static_cast<std::uint16_t>(positions.size() / 3);
        positions.insert(positions.end(), p.begin(), p.end());
        normals.insert(normals.end(), n.begin(), n.end());
        uvs.insert(uvs.end(), uv.begin(), uv.end());
        joints.insert(joints.end(), {0, 1, 2, 0});
        weights.insert(weights.end(), {jointWeights[0], jointWeights[1], jointWeights[2], 0.0f});
        squash.insert(squash.end(), {0.0f, -squashDrop, 0.0f});
        return index;
    }
};

constexpr int kSegments = 8;
constexpr int kRings = 6;  // at heights 0, 5, ... 25
constexpr float kPi = 3.14159265358979f;

inline float RingHeight(int ring) {
    return 5.0f * static_cast<float>(ring);
}
inline float RingRadius(int ring) {
    return ring < 4 ? 4.0f : 3.0f;
}
// Root, Spine, Head weights by ring: each joint holds the rings around it, blended between.
inline std::array<float, 3> RingWeights(int ring) {
    static const std::array<std::array<float, 3>, kRings> weights{
        {{1, 0, 0}, {1, 0, 0}, {0.5f, 0.5f, 0}, {0, 1, 0}, {0, 0.5f, 0.5f}, {0, 0, 1}}};
    return weights[static_cast<std::size_t>(ring)];
}
inline float RingSquash(int ring) {
    return ring == 5 ? 2.0f : (ring == 4 ? 1.0f : 0.0f);
}

// The side between rings `first` and `last`, with a flat cap at the bottom or the top.
inline Primitive MakeBand(int first, int last, bool bottomCap) {
    Primitive band;
    std::vector<std::vector<std::uint16_t>> ring(static_cast<std::size_t>(last - first + 1));
    for (int k = first; k <= last; ++k) {
        for (int s = 0; s <= kSegments; ++s) {
            // The seam column repeats the first one exactly, with its own texture coordinates.
            const float a = 2.0f * kPi * static_cast<float>(s % kSegments) / kSegments;
            const float r = RingRadius(k);
            ring[static_cast<std::size_t>(k - first)].push_back(band.Add(
                {r * std::cos(a), RingHeight(k), r * std::sin(a)}, {std::cos(a), 0, std::sin(a)},
                {static_cast<float>(s) / kSegments, static_cast<float>(k) / (kRings - 1)},
                RingWeights(k), RingSquash(k)));
        }
    }
    for (std::size_t k = 0; k + 1 < ring.size(); ++k) {
        for (std::size_t s = 0; s < kSegments; ++s) {
            const std::uint16_t a = ring[k][s], b = ring[k][s + 1];
            const std::uint16_t c = ring[k + 1][s + 1], d = ring[k + 1][s];
            band.indices.insert(band.indices.end(), {a, c, b, a, d, c});
        }
    }
    const int capRing = bottomCap ? first : last;
    const float y = RingHeight(capRing);
    const float ny = bottomCap ? -1.0f : 1.0f;
    const std::uint16_t centre = band.Add({0, y, 0}, {0, ny, 0}, {0.5f, bottomCap ? 0.0f : 1.0f},
                                          RingWeights(capRing), RingSquash(capRing));
    std::vector<std::uint16_t> rim;
    for (int s = 0; s <= kSegments; ++s) {
        const float a = 2.0f * kPi * static_cast<float>(s % kSegments) / kSegments;
        const float r = RingRadius(capRing);
        rim.push_back(band.Add({r * std::cos(a), y, r * std::sin(a)}, {0, ny, 0},
                               {static_cast<float>(s) / kSegments, bottomCap ? 0.0f : 1.0f},
                               RingWeights(capRing), RingSquash(capRing)));
    }
    for (std::size_t s = 0; s < kSegments; ++s) {
        if (bottomCap) {
            band.indices.insert(band.indices.end(), {centre, rim[s], rim[s + 1]});
        } else {
            band.indices.insert(band.indices.end(), {centre, rim[s + 1], rim[s]});
        }
    }
    return band;
}

inline std::array<float, 4> TurnAbout(int axis, float degrees) {
    const float half = degrees * kPi / 360.0f;
    std::array<float, 4> q{0, 0, 0, std::cos(half)};
    q[static_cast<std::size_t>(axis)] = std::sin(half);
    return q;
}

// A sampler over key times (seconds) and values; gives the two accessors.
inline std::string Sampler(GltfBuffer& buffer, const std::vector<float>& times,
                           const std::vector<float>& values, const char* type, int components) {
    const int input = buffer.Add(times, "SCALAR", 1, 5126, true);
    const int output = buffer.Add(values, type, components, 5126);
    std::ostringstream json;
    json << "{\"input\":" << input << ",\"output\":" << output << ",\"interpolation\":\"LINEAR\"}";
    return json.str();
}

inline std::vector<float> Turns(int axis, const std::vector<float>& degrees) {
    std::vector<float> values;
    for (float d : degrees) {
        const auto q = TurnAbout(axis, d);
        values.insert(values.end(), q.begin(), q.end());
    }
    return values;
}

}  // namespace character

// Writes the character to `path` (.gltf, with its .bin beside it); `imageUri` names the skin
// texture relative to the asset.
inline void WriteCharacterGltf(const std::filesystem::path& path, const std::string& imageUri) {
    using namespace character;
    GltfBuffer buffer;
    std::ostringstream primitives;
    const Primitive parts[2] = {MakeBand(0, 2, true), MakeBand(2, 5, false)};
    for (int p = 0; p < 2; ++p) {
        const Primitive& part = parts[p];
        const int position = buffer.Add(part.positions, "VEC3", 3, 5126, true, 34962);
        const int normal = buffer.Add(part.normals, "VEC3", 3, 5126, false, 34962);
        const int uv = buffer.Add(part.uvs, "VEC2", 2, 5126, false, 34962);
        const int joints = buffer.Add(part.joints, "VEC4", 4, 5123, false, 34962);
        const int weights = buffer.Add(part.weights, "VEC4", 4, 5126, false, 34962);
        const int squash = buffer.Add(part.squash, "VEC3", 3, 5126, true, 34962);
        const int index = buffer.Add(part.indices, "SCALAR", 1, 5123, false, 34963);
        primitives << (p > 0 ? ",\n" : "") << "{\"attributes\":{\"POSITION\":" << position
                   << ",\"NORMAL\":" << normal << ",\"TEXCOORD_0\":" << uv
                   << ",\"JOINTS_0\":" << joints << ",\"WEIGHTS_0\":" << weights
                   << "},\"indices\":" << index << ",\"material\":" << (p == 0 ? 1 : 0)
                   << ",\"targets\":[{\"POSITION\":" << squash << "}]}";
    }
    // Inverse bind matrices (column major): the joints stand at heights 0, 10 and 20.
    std::vector<float> inverseBind;
    for (float y : {0.0f, 10.0f, 20.0f}) {
        inverseBind.insert(inverseBind.end(), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, -y, 0, 1});
    }
    const int bind = buffer.Add(inverseBind, "MAT4", 16, 5126);

    const std::vector<float> walkTimes{0.0f, 0.5f, 1.0f, 1.5f, 2.0f};
    const std::string walk[] = {
        Sampler(buffer, walkTimes, {0, 0, 0, 0, 0, 5, 0, 0, 10, 0, 0, 15, 0, 0, 20}, "VEC3", 3),
        Sampler(buffer, walkTimes, Turns(2, {0, 15, 0, -15, 0}), "VEC4", 4),
        Sampler(buffer, walkTimes, Turns(1, {0, 20, 0, -20, 0}), "VEC4", 4),
        Sampler(buffer, walkTimes, {0, 0.5f, 0, 0.5f, 0}, "SCALAR", 1)};
    const std::string idle = Sampler(buffer, {0.0f, 0.5f, 1.0f}, Turns(0, {0, 10, 0}), "VEC4", 4);

    std::ostringstream json;
    json << "{\"asset\":{\"version\":\"2.0\",\"generator\":\"pellucid bench\"},\n"
         << "\"scene\":0,\"scenes\":[{\"nodes\":[0]}],\n"
         << "\"nodes\":[\n"
         << "{\"name\":\"Character\",\"children\":[1,4]},\n"
         << "{\"name\":\"Root\",\"children\":[2]},\n"
         << "{\"name\":\"Spine\",\"translation\":[0,10,0],\"children\":[3]},\n"
         << "{\"name\":\"Head\",\"translation\":[0,10,0]},\n"
         << "{\"name\":\"Body\",\"mesh\":0,\"skin\":0}],\n"
         << "\"skins\":[{\"name\":\"BodySkin\",\"joints\":[1,2,3],\"skeleton\":1,"
         << "\"inverseBindMatrices\":" << bind << "}],\n"
         << "\"meshes\":[{\"name\":\"Body\",\"weights\":[0],\"extras\":{\"targetNames\":"
         << "[\"Squash\"]},\"primitives\":[\n"
         << primitives.str() << "]}],\n"
         << "\"materials\":[\n"
         << "{\"name\":\"skin_M\",\"pbrMetallicRoughness\":{\"baseColorFactor\":"
         << "[0.88,0.68,0.55,1],\"baseColorTexture\":{\"index\":0}}},\n"
         << "{\"name\":\"cloth_M\",\"pbrMetallicRoughness\":{\"baseColorFactor\":"
         << "[0.2,0.28,0.55,1]}}],\n"
         << "\"textures\":[{\"source\":0}],\n"
         << "\"images\":[{\"uri\":\"" << imageUri << "\"}],\n"
         << "\"animations\":[\n"
         << "{\"name\":\"Walk\",\"samplers\":[" << walk[0] << "," << walk[1] << "," << walk[2]
         << "," << walk[3] << "],\"channels\":["
         << "{\"sampler\":0,\"target\":{\"node\":1,\"path\":\"translation\"}},"
         << "{\"sampler\":1,\"target\":{\"node\":2,\"path\":\"rotation\"}},"
         << "{\"sampler\":2,\"target\":{\"node\":3,\"path\":\"rotation\"}},"
         << "{\"sampler\":3,\"target\":{\"node\":4,\"path\":\"weights\"}}]},\n"
         << "{\"name\":\"Idle\",\"samplers\":[" << idle << "],\"channels\":["
         << "{\"sampler\":0,\"target\":{\"node\":3,\"path\":\"rotation\"}}]}],\n"
         << buffer.Finish(path) << "}\n";
    WriteText(path, json.str());
}

}  // namespace pellucid::bench
