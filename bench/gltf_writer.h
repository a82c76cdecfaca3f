// Writes glTF 2.0 assets of our own making: a flat grid of any triangle count (the speed
// comparison's input) and a small skinned, animated character with a morph target (the bundled
// example). The binary data goes to a .bin file beside the .gltf.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace pellucid::bench {

// Collects buffer views and accessors over one binary buffer, and the JSON that describes them.
class GltfBuffer {
  public:
    // Appends the values and gives the accessor's index. `type` is "SCALAR", "VEC2", ... and
    // `componentType` the glTF code (5126 float, 5123 unsigned short, 5125 unsigned int).
    template <typename T>
    int Add(const std::vector<T>& values, const char* type, int components, int componentType,
            bool withBounds = false, int target = 0) {
        while (bytes_.size() % 4 != 0) {
            bytes_.push_back(0);
        }
        const std::size_t offset = bytes_.size();
        bytes_.resize(offset + values.size() * sizeof(T));
        std::memcpy(bytes_.data() + offset, values.data(), values.size() * sizeof(T));
        std::ostringstream view;
        view << "{\"buffer\":0,\"byteOffset\":" << offset
             << ",\"byteLength\":" << values.size() * sizeof(T);
        if (target != 0) {
            view << ",\"target\":" << target;
        }
        view << "}";
        views_.push_back(view.str());
        std::ostringstream accessor;
        accessor << "{\"bufferView\":" << views_.size() - 1
                 << ",\"componentType\":" << componentType
                 << ",\"count\":" << values.size() / components << ",\"type\":\"" << type << "\"";
        if (withBounds) {
            accessor << ",\"min\":[" << Bound(values, components, false) << "],\"max\":["
                     << Bound(values, components, true) << "]";
        }
        accessor << "}";
        accessors_.push_back(accessor.str());
        return static_cast<int>(accessors_.size() - 1);
    }

    // Writes `<stem>.bin` and returns the JSON members "buffers", "bufferViews", "accessors".
    std::string Finish(const std::filesystem::path& gltf) const {
        std::filesystem::path bin = gltf;
        bin.replace_extension(".bin");
        std::ofstream out(bin, std::ios::binary);
        out.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
        if (!out) {
            throw std::runtime_error(bin.string() + ": cannot be written");
        }
        std::ostringstream json;
        json << "\"buffers\":[{\"uri\":\"" << bin.filename().string()
             << "\",\"byteLength\":" << bytes_.size() << "}],\n\"bufferViews\":[" << Join(views_)
             << "],\n\"accessors\":[" << Join(accessors_) << "]";
        return json.str();
    }

  private:
    template <typename T>
    static std::string Bound(const std::vector<T>& values, int components, bool upper) {
        std::ostringstream text;
        for (int c = 0; c < components; ++c) {
            double best = upper ? -1e300 : 1e300;
            for (std::size_t i = static_cast<std::size_t>(c); i < values.size();
                 i += static_cast<std::size_t>(components)) {
                best = upper ? std::max(best, static_cast<double>(values[i]))
                             : std::min(best, static_cast<double>(values[i]));
            }
            text << (c > 0 ? "," : "") << best;
        }
        return text.str();
    }
    static std::string Join(const std::vector<std::string>& items) {
        std::string joined;
        for (const std::string& item : items) {
            joined += (joined.empty() ? "\n" : ",\n") + item;
        }
        return joined;
    }

    std::vector<char> bytes_;
    std::vector<std::string> views_;
    std::vector<std::string> accessors_;
};

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) {
        throw std::runtime_error(path.string() + ": cannot be written");
    }
}

// A flat grid in the XZ plane (Y up) of `triangles` triangles (rounded up to whole quads), with
// normals and texture coordinates, in one mesh with one material.
inline void WriteGridGltf(const std::filesystem::path& path, long triangles) {
    const long quads = (triangles + 1) / 2;
    long columns = static_cast<long>(std::ceil(std::sqrt(static_cast<double>(quads) * 2.0)));
    long rows = (quads + columns - 1) / columns;
    std::vector<float> positions, normals, uvs;
    for (long r = 0; r <= rows; ++r) {
        for (long c = 0; c <= columns; ++c) {
            positions.insert(positions.end(), {static_cast<float>(c), 0.0f, static_cast<float>(r)});
            normals.insert(normals.end(), {0.0f, 1.0f, 0.0f});
            uvs.insert(uvs.end(), {static_cast<float>(c) / static_cast<float>(columns),
                                   static_cast<float>(r) / static_cast<float>(rows)});
        }
    }
    std::vector<std::uint32_t> indices;
    indices.reserve(static_cast<std::size_t>(rows * columns * 6));
    for (long r = 0; r < rows; ++r) {
        for (long c = 0; c < columns; ++c) {
            const auto a = static_cast<std::uint32_t>(r * (columns + 1) + c);
            const auto b = a + 1;
            const auto d = static_cast<std::uint32_t>(a + columns + 1);
            indices.insert(indices.end(), {a, d, b, b, d, d + 1});
        }
    }
    GltfBuffer buffer;
    const int position = buffer.Add(positions, "VEC3", 3, 5126, true, 34962);
    const int normal = buffer.Add(normals, "VEC3", 3, 5126, false, 34962);
    const int uv = buffer.Add(uvs, "VEC2", 2, 5126, false, 34962);
    const int index = buffer.Add(indices, "SCALAR", 1, 5125, false, 34963);
    std::ostringstream json;
    json << "{\"asset\":{\"version\":\"2.0\",\"generator\":\"pellucid bench\"},\n"
         << "\"scene\":0,\"scenes\":[{\"nodes\":[0]}],\n"
         << "\"nodes\":[{\"name\":\"Grid\",\"mesh\":0}],\n"
         << "\"materials\":[{\"name\":\"grid_M\",\"pbrMetallicRoughness\":{\"baseColorFactor\":"
            "[0.5,0.5,0.5,1]}}],\n"
         << "\"meshes\":[{\"name\":\"Grid\",\"primitives\":[{\"attributes\":{\"POSITION\":"
         << position << ",\"NORMAL\":" << normal << ",\"TEXCOORD_0\":" << uv
         << "},\"indices\":" << index << ",\"material\":0}]}],\n"
         << buffer.Finish(path) << "}\n";
    WriteText(path, json.str());
}

}  // namespace pellucid::bench
