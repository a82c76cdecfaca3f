// Writes scene documents for the bone-script benchmark: one chain of bones, each with TCB rotation
// keys that turn it a little about an axis that wanders from key to key, under a MOVE node that
// walks the character forward. The root bone also has Bezier position keys at the same times, so
// every section of the bone script has work to do.
#pragma once

#include <charconv>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <string>

namespace pellucid::bench {

// Ticks between neighbouring keys; the animation range ends at the last key.
constexpr int kBoneKeySpacing = 8;

namespace detail {

inline void AppendNumber(std::string& out, double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), static_cast<float>(value));
    out.append(buffer, result.ptr);
}

inline void AppendInt(std::string& out, long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    out.append(buffer, result.ptr);
}

// Rotation key k of bone b: a turn of up to 25 degrees about an axis that changes with both, so
// that neighbouring keys do not commute.
inline void AppendRotationKey(std::string& out, int b, int k) {
    const double ax = std::sin(0.37 * k + 1.3 * b);
    const double ay = std::cos(0.23 * k + 0.7 * b);
    const double az = 0.5 + 0.25 * std::sin(0.11 * k);
    const double length = std::sqrt(ax * ax + ay * ay + az * az);
    const double half = 0.5 * (25.0 * M_PI / 180.0) * std::sin(0.05 * k + b);
    const double s = std::sin(half) / length;
    out += "{\"time\": ";
    AppendInt(out, static_cast<long>(k) * kBoneKeySpacing);
    out += ", \"value\": {\"quat\": [";
    AppendNumber(out, ax * s);
    out += ", ";
    AppendNumber(out, ay * s);
    out += ", ";
    AppendNumber(out, az * s);
    out += ", ";
    AppendNumber(out, std::cos(half));
    out += "]}}";
}

inline void AppendRootPositionKeys(std::string& out, int keys) {
    out += "\"position\": {\"controller\": \"bezier\", \"keys\": [";
    for (int k = 0; k < keys; ++k) {
        const double bob = std::sin(0.2 * k);
        out += k > 0 ? ",\n  " : "\n  ";
        out += "{\"time\": ";
        AppendInt(out, static_cast<long>(k) * kBoneKeySpacing);
        out += ", \"value\": [0, 0, ";
        AppendNumber(out, 40.0 + bob);
        out += "], \"inTangent\": [0, 0, ";
        AppendNumber(out, -0.025 * std::cos(0.2 * k));
        out += "], \"outTangent\": [0, 0, ";
        AppendNumber(out, 0.025 * std::cos(0.2 * k));
        out += "]}";
    }
    out += "]}";
}

}  // namespace detail

// Writes `path`: a MOVE node with a chain of `bones` bones below it, each with `keys` rotation
// keys (from time 0, kBoneKeySpacing ticks apart).
inline void WriteBoneChainScene(const std::string& path, int bones, int keys) {
    if (bones < 1 || keys < 1) {
        throw std::invalid_argument("a bone chain needs at least one bone and one key");
    }
    const long last = static_cast<long>(keys - 1) * kBoneKeySpacing;
    std::string out;
    out.reserve(static_cast<size_t>(bones) * static_cast<size_t>(keys) * 80 + 4096);
    out += "{\n\"pellucidScene\": 1,\n\"settings\": {\"animationRange\": [0, ";
    detail::AppendInt(out, last > 0 ? last : 1);
    out += "]},\n\"nodes\": [\n";
    out += "{\"name\": \"MOVE\", \"object\": {\"type\": \"dummy\"},\n";
    out +=
        "\"position\": {\"controller\": \"linear\", \"keys\": [{\"time\": 0, \"value\": [0, 0, "
        "0]}, ";
    out += "{\"time\": ";
    detail::AppendInt(out, last > 0 ? last : 1);
    out += ", \"value\": [";
    detail::AppendNumber(out, 0.05 * static_cast<double>(last > 0 ? last : 1));
    out += ", 0, 0]}]},\n\"children\": [\n";
    for (int b = 0; b < bones; ++b) {
        out += "{\"name\": \"Bone";
        detail::AppendInt(out, b);
        out += "\", \"object\": {\"type\": \"bone\"}";
        if (b > 0) {
            out += ", \"transform\": {\"position\": [0, 0, 10]}";
        }
        out += ",\n";
        if (b == 0) {
            detail::AppendRootPositionKeys(out, keys);
            out += ",\n";
        }
        out += "\"rotation\": {\"controller\": \"tcb\", \"keys\": [";
        for (int k = 0; k < keys; ++k) {
            out += k > 0 ? ",\n  " : "\n  ";
            detail::AppendRotationKey(out, b, k);
        }
        out += "]}";
        out += b + 1 < bones ? ",\n\"children\": [\n" : "\n";
    }
    for (int b = 0; b < bones; ++b) {
        out += b + 1 < bones ? "}]" : "}";
    }
    out += "\n]}\n]\n}\n";

    std::ofstream file(path, std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace pellucid::bench
