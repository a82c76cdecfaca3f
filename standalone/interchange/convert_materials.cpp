// Materials: each imported material becomes a standard material with its diffuse texture as a
// bitmap map; a node with several materials gets a multi/sub-object material over them.
#include <assimp/material.h>
#include <assimp/texture.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>

#include <fmt/format.h>
#include <stb/stb_image.h>

#include "standalone/interchange/scene_converter.h"

namespace pellucid::interchange {

namespace fs = std::filesystem;

namespace {

float Clamp01(float value) {
    return std::isfinite(value) ? std::clamp(value, 0.0f, 1.0f) : 0.0f;
}

bool GetColour(const aiMaterial& material, const char* key, unsigned type, unsigned index,
               Color& colour) {
    aiColor3D value;
    if (material.Get(key, type, index, value) != AI_SUCCESS) {
        return false;
    }
    colour = Color(Clamp01(value.r), Clamp01(value.g), Clamp01(value.b));
    return true;
}

const char* TextureKindName(aiTextureType type) {
    switch (type) {
        case aiTextureType_SPECULAR:
            return "specular";
        case aiTextureType_AMBIENT:
            return "ambient";
        case aiTextureType_EMISSIVE:
        case aiTextureType_EMISSION_COLOR:
            return "emissive";
        case aiTextureType_HEIGHT:
            return "height";
        case aiTextureType_NORMALS:
        case aiTextureType_NORMAL_CAMERA:
            return "normal";
        case aiTextureType_SHININESS:
            return "shininess";
        case aiTextureType_OPACITY:
            return "opacity";
        case aiTextureType_DISPLACEMENT:
            return "displacement";
        case aiTextureType_LIGHTMAP:
        case aiTextureType_AMBIENT_OCCLUSION:
            return "light or occlusion";
        case aiTextureType_REFLECTION:
            return "reflection";
        case aiTextureType_METALNESS:
            return "metalness";
        case aiTextureType_DIFFUSE_ROUGHNESS:
            return "roughness";
        default:
            return "other";
    }
}

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

// Decodes an encoded image into `image`; false when the bytes are not an image stb reads.
bool DecodeImage(const std::string& bytes, doc::Image& image, std::string& reason) {
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        reason = "too large";
        return false;
    }
    int width = 0, height = 0, channels = 0;
    const std::unique_ptr<stbi_uc, StbFree> pixels(
        stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                              static_cast<int>(bytes.size()), &width, &height, &channels, 4));
    if (pixels == nullptr) {
        const char* why = stbi_failure_reason();
        reason = why != nullptr ? why : "unknown format";
        return false;
    }
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::memcpy(image.pixels.data(), pixels.get(), image.pixels.size() * 4);
    return true;
}

// The index of the entry made for `key`: made by `make` and added to `entries` the first time
// the key is asked for, the same index every time after.
template <typename Known, typename Key, typename Entries, typename Make>
int AddOnce(Known& known, const Key& key, Entries& entries, const Make& make) {
    const auto found = known.find(key);
    if (found != known.end()) {
        return found->second;
    }
    entries.push_back(make());
    const int index = static_cast<int>(entries.size()) - 1;
    known.emplace(key, index);
    return index;
}

}  // namespace

int SceneConverter::GetNodeMaterial(const std::vector<unsigned>& materials,
                                    const std::string& nodeName) {
    std::vector<int> subMaterials;
    for (unsigned index : materials) {
        subMaterials.push_back(GetStandardMaterial(index));
    }
    if (subMaterials.empty()) {
        return -1;
    }
    if (subMaterials.size() == 1) {
        return subMaterials[0];
    }
    return AddOnce(multiMaterials_, subMaterials, document_.materials, [&] {
        doc::Material multi;
        multi.type = doc::MaterialType::Multi;
        multi.name = nodeName;
        multi.subMaterials = subMaterials;
        return multi;
    });
}

int SceneConverter::GetStandardMaterial(unsigned index) {
    if (index >= scene_.mNumMaterials) {
        return -1;
    }
    const auto known = standardMaterials_.find(index);
    if (known != standardMaterials_.end()) {
        return known->second;
    }
    const aiMaterial& source = *scene_.mMaterials[index];
    doc::Material material;
    material.type = doc::MaterialType::Standard;
    aiString name;
    if (source.Get(AI_MATKEY_NAME, name) == AI_SUCCESS) {
        material.name = Text(name);
    }
    if (!GetColour(source, AI_MATKEY_COLOR_DIFFUSE, material.diffuse)) {
        GetColour(source, AI_MATKEY_BASE_COLOR, material.diffuse);
    }
    GetColour(source, AI_MATKEY_COLOR_AMBIENT, material.ambient);
    GetColour(source, AI_MATKEY_COLOR_SPECULAR, material.specular);
    float value = 0.0f;
    // The file's specular exponent (0 to about 100) as the host's glossiness fraction.
    if (source.Get(AI_MATKEY_SHININESS, value) == AI_SUCCESS) {
        material.shininess = Clamp01(value / 100.0f);
    }
    if (source.Get(AI_MATKEY_SHININESS_STRENGTH, value) == AI_SUCCESS) {
        material.shininessStrength = Clamp01(value);
    }
    if (source.Get(AI_MATKEY_OPACITY, value) == AI_SUCCESS) {
        material.transparency = Clamp01(1.0f - value);
    }
    const int map = GetBitmapMap(source, material.name);
    if (map >= 0) {
        material.maps.push_back({1, map, 1.0f});  // the diffuse slot
    }
    const int made = static_cast<int>(document_.materials.size());
    document_.materials.push_back(std::move(material));
    standardMaterials_.emplace(index, made);
    return made;
}

int SceneConverter::GetBitmapMap(const aiMaterial& material, const std::string& materialName) {
    aiTextureType diffuse = aiTextureType_NONE;
    if (material.GetTextureCount(aiTextureType_DIFFUSE) > 0) {
        diffuse = aiTextureType_DIFFUSE;
    } else if (material.GetTextureCount(aiTextureType_BASE_COLOR) > 0) {
        diffuse = aiTextureType_BASE_COLOR;
    }
    std::vector<std::string> others;
    for (int t = aiTextureType_DIFFUSE; t <= AI_TEXTURE_TYPE_MAX; ++t) {
        const auto type = static_cast<aiTextureType>(t);
        if (type == aiTextureType_DIFFUSE || type == aiTextureType_BASE_COLOR) {
            continue;
        }
        if (material.GetTextureCount(type) > 0) {
            const std::string kind = TextureKindName(type);
            if (std::find(others.begin(), others.end(), kind) == others.end()) {
                others.push_back(kind);
            }
        }
    }
    if (!others.empty()) {
        std::string list;
        for (const std::string& kind : others) {
            list += (list.empty() ? "" : ", ") + kind;
        }
        Note("dropped", fmt::format("{} texture{} of material \"{}\" (only the diffuse texture is "
                                    "converted)",
                                    list, others.size() == 1 ? "" : "s", materialName));
    }
    if (diffuse == aiTextureType_NONE) {
        return -1;
    }
    if (material.GetTextureCount(diffuse) > 1) {
        Note("dropped", fmt::format("{} further diffuse texture layers of material \"{}\" (the "
                                    "first layer is converted)",
                                    material.GetTextureCount(diffuse) - 1, materialName));
    }
    aiString recorded;
    aiTextureMapping mapping = aiTextureMapping_UV;
    unsigned uvIndex = 0;
    if (material.GetTexture(diffuse, 0, &recorded, &mapping, &uvIndex) != AI_SUCCESS) {
        return -1;
    }
    const std::string file = Text(recorded);
    if (mapping != aiTextureMapping_UV) {
        Note("dropped", fmt::format("diffuse texture \"{}\" of material \"{}\" (it is projected, "
                                    "not mapped by texture coordinates)",
                                    file, materialName));
        return -1;
    }
    if (uvIndex != 0) {
        Note("changed", fmt::format("diffuse texture \"{}\" of material \"{}\" uses texture "
                                    "coordinate set {}; only the first set is converted",
                                    file, materialName, uvIndex));
    }
    aiUVTransform transform;
    const bool transformed =
        material.Get(AI_MATKEY_UVTRANSFORM(diffuse, 0), transform) == AI_SUCCESS;
    float uTiling = 1.0f, vTiling = 1.0f;
    if (transformed) {
        uTiling = std::isfinite(transform.mScaling.x) ? transform.mScaling.x : 1.0f;
        vTiling = std::isfinite(transform.mScaling.y) ? transform.mScaling.y : 1.0f;
        if (transform.mTranslation.x != 0.0f || transform.mTranslation.y != 0.0f ||
            transform.mRotation != 0.0f) {
            Note("dropped", fmt::format("the offset and turn of diffuse texture \"{}\" of material "
                                        "\"{}\" (the host's bitmaps keep only the tiling)",
                                        file, materialName));
        }
    }
    const std::string key = fmt::format("{}|{}|{}", file, uTiling, vTiling);
    return AddOnce(bitmapMaps_, key, document_.maps, [&] {
        doc::Map map;
        map.type = doc::MapType::Bitmap;
        map.file = file;
        map.uTiling = uTiling;
        map.vTiling = vTiling;
        LoadImage(std::string(recorded.C_Str(), recorded.length), materialName, map);
        return map;
    });
}

void SceneConverter::LoadImage(const std::string& recorded, const std::string& materialName,
                               doc::Map& map) {
    doc::Image& image = map.image;
    std::string reason;
    const std::string shown = Text(recorded);
    const auto [embedded, embeddedIndex] = scene_.GetEmbeddedTextureAndIndex(recorded.c_str());
    if (embedded != nullptr) {
        if (embedded->mHeight > 0) {
            // Raw texels (BGRA) as the file stored them.
            image.kind = doc::Image::Kind::Pixels;
            image.width = static_cast<int>(embedded->mWidth);
            image.height = static_cast<int>(embedded->mHeight);
            const std::size_t count = static_cast<std::size_t>(embedded->mWidth) *
                                      static_cast<std::size_t>(embedded->mHeight);
            image.pixels.reserve(count);
            for (std::size_t i = 0; i < count; ++i) {
                const aiTexel& t = embedded->pcData[i];
                image.pixels.push_back({t.r, t.g, t.b, t.a});
            }
            return;
        }
        std::string hint(embedded->achFormatHint);
        if (hint.empty() ||
            hint.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789") != std::string::npos) {
            hint = "img";
        }
        std::string name = Text(fs::path(embedded->mFilename.C_Str()).filename().string());
        if (name.empty() || name == "." || name == "..") {
            name = fmt::format("texture{}.{}", embeddedIndex, hint);
        }
        EmbeddedImage file;
        file.path = fmt::format("embedded{}_{}", embeddedIndex, name);
        file.bytes.assign(reinterpret_cast<const char*>(embedded->pcData), embedded->mWidth);
        if (!DecodeImage(file.bytes, image, reason)) {
            Note("dropped", fmt::format("embedded image \"{}\" of material \"{}\": it cannot be "
                                        "decoded ({})",
                                        shown, materialName, reason));
            image = doc::Image();
            return;
        }
        image.kind = doc::Image::Kind::File;
        image.path = file.path;
        if (map.file.empty() || map.file[0] == '*') {
            map.file = name;
        }
        result_.embeddedImages.push_back(std::move(file));
        return;
    }

    // A file beside the asset: where the asset says, or else by its name alone.
    std::string relative = recorded;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const fs::path folder(assetDirectory_);
    std::vector<fs::path> candidates;
    if (!fs::path(relative).is_absolute() && relative.find(':') == std::string::npos) {
        candidates.push_back(fs::path(relative).lexically_normal());
    }
    candidates.push_back(fs::path(relative).filename());
    if (candidates.back().empty()) {
        Note("dropped",
             fmt::format("diffuse texture of material \"{}\": it names no file", materialName));
        return;
    }
    image.kind = doc::Image::Kind::File;
    image.path = Text(candidates.front().generic_string());
    std::error_code error;
    for (const fs::path& candidate : candidates) {
        if (candidate.empty() || !fs::is_regular_file(folder / candidate, error)) {
            continue;
        }
        std::ifstream in(folder / candidate, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        if (!DecodeImage(bytes, image, reason)) {
            Note("dropped", fmt::format("image \"{}\" of material \"{}\": it cannot be decoded "
                                        "({}); the map keeps its file name but has no bitmap",
                                        shown, materialName, reason));
            image = doc::Image();
            return;
        }
        image.path = Text(candidate.generic_string());
        return;
    }
    image.fileMissing = true;
    Note("dropped", fmt::format("image \"{}\" of material \"{}\" is not beside the asset; the map "
                                "keeps its file name but has no bitmap",
                                shown, materialName));
}

}  // namespace pellucid::interchange
