// Large arrays of a scene document: inline JSON arrays, or {"file", "offset", "count", "type"}
// ranges of little-endian 32-bit values in a side file.
#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include <fmt/format.h>

#include "standalone/document/read/read_context.h"

namespace pellucid::standalone {

using simdjson::dom::element_type;

namespace {

constexpr std::string_view kSideArrayFields[] = {"file", "offset", "count", "type"};
enum SideArrayField { kFile, kOffset, kCount, kType };

std::string_view SideTypeName(SideType type) {
    switch (type) {
        case SideType::Float32:
            return "float32";
        case SideType::Int32:
            return "int32";
        case SideType::UInt32:
            return "uint32";
    }
    return "";
}

bool IsSideArray(JsonElement value) {
    return value.type() == element_type::OBJECT;
}

constexpr SideType kFloatTypes[] = {SideType::Float32};
constexpr SideType kIntegerTypes[] = {SideType::Int32, SideType::UInt32};

void SwapWordsIfBigEndian(void* data, std::size_t bytes) {
    if constexpr (std::endian::native == std::endian::big) {
        auto* p = static_cast<unsigned char*>(data);
        for (std::size_t i = 0; i + 4 <= bytes; i += 4) {
            std::swap(p[i], p[i + 3]);
            std::swap(p[i + 1], p[i + 2]);
        }
    }
}

// A side file's 32-bit value as stored, read as a signed integer.
bool IsNegativeInt32(std::uint32_t word) {
    return word > 0x7fffffffu;
}

}  // namespace

SideArray SceneDocumentReader::ReadSideArraySpec(JsonElement value, const JsonPath& path,
                                                 std::span<const SideType> allowed) const {
    SideArray array;
    auto readCount = [&](JsonElement number, const JsonPath& numberPath, std::string_view what) {
        if (number.type() == element_type::INT64 && number.get_int64().value_unsafe() < 0) {
            Fail(numberPath, fmt::format("expected {} of 0 or more, found {}", what,
                                         number.get_int64().value_unsafe()));
        }
        return static_cast<std::uint64_t>(
            Integer(number, numberPath, 0, std::numeric_limits<std::int64_t>::max()));
    };
    const std::uint64_t seen = ForEachField(
        value, path, kSideArrayFields, [&](int field, JsonElement v, const JsonPath& p) {
            switch (field) {
                case kFile:
                    array.file = String(v, p);
                    break;
                case kOffset:
                    array.offset = readCount(v, p, "an offset");
                    break;
                case kCount:
                    array.count = readCount(v, p, "a count");
                    break;
                case kType: {
                    const std::string_view name = String(v, p);
                    const auto match =
                        std::find_if(allowed.begin(), allowed.end(),
                                     [&](SideType t) { return SideTypeName(t) == name; });
                    if (match == allowed.end()) {
                        std::string expected;
                        for (std::size_t i = 0; i < allowed.size(); ++i) {
                            expected += fmt::format("{}\"{}\"", i == 0 ? "" : " or ",
                                                    SideTypeName(allowed[i]));
                        }
                        Fail(p, fmt::format("expected the type {}", expected));
                    }
                    array.type = *match;
                    break;
                }
            }
        });
    Require(seen, kSideArrayFields, kFile, path);
    Require(seen, kSideArrayFields, kCount, path);
    Require(seen, kSideArrayFields, kType, path);
    CheckInsideDocumentFolder(path.Field("file"), array.file, "side file");
    return array;
}

template <typename T>
void SceneDocumentReader::ReadSideValues(const SideArray& array, const JsonPath& path,
                                         std::size_t wordsPerElement, std::vector<T>& out) {
    static_assert(sizeof(T) % 4 == 0);
    const std::uint64_t maxCount = std::numeric_limits<std::uint64_t>::max() / 4 / wordsPerElement;
    if (array.count > maxCount) {
        Fail(path,
             fmt::format("side file \"{}\" is too short for {} elements", array.file, array.count));
    }
    const std::uint64_t bytes = array.count * wordsPerElement * 4;
    sideFiles_.CheckRange(*this, path, baseDirectory_, array.file, array.offset, bytes);
    out.clear();
    out.resize(static_cast<std::size_t>(bytes / sizeof(T)));
    sideFiles_.Read(*this, path, baseDirectory_, array.file, array.offset, bytes, out.data());
    SwapWordsIfBigEndian(out.data(), static_cast<std::size_t>(bytes));
}

void SceneDocumentReader::ReadPointArray(JsonElement value, const JsonPath& path,
                                         std::vector<Point3>& out) {
    static_assert(sizeof(Point3) == 12);
    if (IsSideArray(value)) {
        ReadSideValues(ReadSideArraySpec(value, path, kFloatTypes), path, 3, out);
        return;
    }
    const simdjson::dom::array items = Array(value, path);
    out.clear();
    out.reserve(items.size());
    ForEachItem(value, path, [&](std::size_t, JsonElement item, const JsonPath& itemPath) {
        out.push_back(Point(item, itemPath));
    });
}

void SceneDocumentReader::ReadUvArray(JsonElement value, const JsonPath& path,
                                      std::vector<Point3>& out, bool& hasW) {
    out.clear();
    if (IsSideArray(value)) {
        std::vector<float> uv;
        ReadSideValues(ReadSideArraySpec(value, path, kFloatTypes), path, 2, uv);
        out.reserve(uv.size() / 2);
        for (std::size_t i = 0; i + 1 < uv.size(); i += 2) {
            out.emplace_back(uv[i], uv[i + 1], 0.0f);
        }
        return;
    }
    out.reserve(Array(value, path).size());
    ForEachItem(value, path, [&](std::size_t, JsonElement item, const JsonPath& itemPath) {
        float uvw[3] = {0.0f, 0.0f, 0.0f};
        std::size_t n = 0;
        for (JsonElement component : Array(item, itemPath)) {
            if (n == 3) {
                Fail(itemPath, "expected [u, v] or [u, v, w]");
            }
            uvw[n] = Float(component, itemPath.Item(n));
            ++n;
        }
        if (n < 2) {
            Fail(itemPath, "expected [u, v] or [u, v, w]");
        }
        hasW = hasW || n == 3;
        out.emplace_back(uvw[0], uvw[1], uvw[2]);
    });
}

void SceneDocumentReader::ReadTriangleArray(JsonElement value, const JsonPath& path,
                                            std::vector<std::array<std::uint32_t, 3>>& out) {
    static_assert(sizeof(std::array<std::uint32_t, 3>) == 12);
    if (IsSideArray(value)) {
        const SideArray array = ReadSideArraySpec(value, path, kIntegerTypes);
        ReadSideValues(array, path, 3, out);
        if (array.type == SideType::Int32) {
            for (std::size_t i = 0; i < out.size(); ++i) {
                for (std::uint32_t index : out[i]) {
                    if (IsNegativeInt32(index)) {
                        Fail(path, fmt::format("element {}: negative index {}", i,
                                               static_cast<std::int32_t>(index)));
                    }
                }
            }
        }
        return;
    }
    out.clear();
    out.reserve(Array(value, path).size());
    ForEachItem(value, path, [&](std::size_t, JsonElement item, const JsonPath& itemPath) {
        std::array<std::uint32_t, 3> triangle{};
        std::size_t n = 0;
        for (JsonElement corner : Array(item, itemPath)) {
            if (n == 3) {
                Fail(itemPath, "expected an array of 3 indices");
            }
            triangle[n] = static_cast<std::uint32_t>(
                Integer(corner, itemPath.Item(n), 0, std::numeric_limits<std::uint32_t>::max()));
            ++n;
        }
        if (n != 3) {
            Fail(itemPath, "expected an array of 3 indices");
        }
        out.push_back(triangle);
    });
}

void SceneDocumentReader::ReadWordArray(JsonElement value, const JsonPath& path, std::uint32_t max,
                                        bool bitsAsGiven, std::vector<std::uint32_t>& out) {
    if (IsSideArray(value)) {
        const SideArray array = ReadSideArraySpec(value, path, kIntegerTypes);
        ReadSideValues(array, path, 1, out);
        for (std::size_t i = 0; i < out.size(); ++i) {
            const bool negative = array.type == SideType::Int32 && IsNegativeInt32(out[i]);
            if (negative && !bitsAsGiven) {
                Fail(path, fmt::format("element {}: negative value {}", i,
                                       static_cast<std::int32_t>(out[i])));
            }
            if (!negative && out[i] > max) {
                Fail(path, fmt::format("element {}: value {} is above {}", i, out[i], max));
            }
        }
        return;
    }
    const std::int64_t min = bitsAsGiven ? std::numeric_limits<std::int32_t>::min() : 0;
    out.clear();
    out.reserve(Array(value, path).size());
    ForEachItem(value, path, [&](std::size_t, JsonElement item, const JsonPath& itemPath) {
        out.push_back(static_cast<std::uint32_t>(Integer(item, itemPath, min, max)));
    });
}

void SceneDocumentReader::ReadIndexArray(JsonElement value, const JsonPath& path,
                                         std::vector<int>& out) {
    if (IsSideArray(value)) {
        const SideArray array = ReadSideArraySpec(value, path, kIntegerTypes);
        ReadSideValues(array, path, 1, out);
        for (std::size_t i = 0; i < out.size(); ++i) {
            if (out[i] < 0 && array.type == SideType::Int32) {
                Fail(path, fmt::format("element {}: negative index {}", i, out[i]));
            }
            if (out[i] < 0) {
                Fail(path, fmt::format("element {}: index {} is above {}", i,
                                       static_cast<std::uint32_t>(out[i]),
                                       std::numeric_limits<int>::max()));
            }
        }
        return;
    }
    out.clear();
    out.reserve(Array(value, path).size());
    ForEachItem(value, path, [&](std::size_t, JsonElement item, const JsonPath& itemPath) {
        out.push_back(
            static_cast<int>(Integer(item, itemPath, 0, std::numeric_limits<int>::max())));
    });
}

void SceneDocumentReader::ReadFloatArray(JsonElement value, const JsonPath& path,
                                         std::vector<float>& out) {
    if (IsSideArray(value)) {
        ReadSideValues(ReadSideArraySpec(value, path, kFloatTypes), path, 1, out);
        return;
    }
    out.clear();
    out.reserve(Array(value, path).size());
    ForEachItem(value, path, [&](std::size_t, JsonElement item, const JsonPath& itemPath) {
        out.push_back(Float(item, itemPath));
    });
}

}  // namespace pellucid::standalone
