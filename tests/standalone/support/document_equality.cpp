#include "document_equality.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>

#include <fmt/format.h>

namespace pellucid::standalone::test {

namespace {

// Walks both documents side by side and keeps the first difference.
class Comparer {
  public:
    std::string difference;

    template <typename T>
    void Same(const std::string& path, const T& a, const T& b) {
        if (difference.empty() && !(a == b)) {
            difference = fmt::format("{}: {} != {}", path, Show(a), Show(b));
        }
    }
    void Same(const std::string& path, float a, float b) {
        const bool equal = (std::isnan(a) && std::isnan(b)) ||
                           std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
        if (difference.empty() && !equal) {
            difference = fmt::format("{}: {} != {}", path, a, b);
        }
    }
    void Same(const std::string& path, const Point3& a, const Point3& b) {
        Same(path + ".x", a.x, b.x);
        Same(path + ".y", a.y, b.y);
        Same(path + ".z", a.z, b.z);
    }
    void Same(const std::string& path, const Color& a, const Color& b) {
        Same(path, Point3(a.r, a.g, a.b), Point3(b.r, b.g, b.b));
    }
    void Same(const std::string& path, const Quat& a, const Quat& b) {
        Same(path, Point3(a.x, a.y, a.z), Point3(b.x, b.y, b.z));
        Same(path + ".w", a.w, b.w);
    }
    void Same(const std::string& path, const Matrix3& a, const Matrix3& b) {
        for (int row = 0; row < 4; ++row) {
            Same(fmt::format("{}[{}]", path, row), a[row], b[row]);
        }
    }
    template <typename T>
    void Same(const std::string& path, const std::vector<T>& a, const std::vector<T>& b) {
        Same(path + ".size", a.size(), b.size());
        for (std::size_t i = 0; i < a.size() && i < b.size() && difference.empty(); ++i) {
            Same(fmt::format("{}[{}]", path, i), a[i], b[i]);
        }
    }
    template <typename T>
    void Same(const std::string& path, const std::optional<T>& a, const std::optional<T>& b) {
        Same(path + ".present", a.has_value(), b.has_value());
        if (a && b) {
            Same(path, *a, *b);
        }
    }
    template <typename A, typename B>
    void Same(const std::string& path, const std::pair<A, B>& a, const std::pair<A, B>& b) {
        Same(path + ".first", a.first, b.first);
        Same(path + ".second", a.second, b.second);
    }

    void Same(const std::string& p, const doc::Drive& a, const doc::Drive& b) {
        Same(p + ".root", a.root, b.root);
        Same(p + ".universalName", a.universalName, b.universalName);
    }
    void Same(const std::string& p, const doc::Transform& a, const doc::Transform& b) {
        Same(p + ".matrix", a.matrix, b.matrix);
        Same(p + ".fromParts", a.fromParts, b.fromParts);
        Same(p + ".position", a.position, b.position);
        Same(p + ".rotation", a.rotation, b.rotation);
        Same(p + ".scale", a.scale, b.scale);
    }
    void Same(const std::string& p, const doc::PositionKey& a, const doc::PositionKey& b) {
        Same(p + ".time", a.time, b.time);
        Same(p + ".value", a.value, b.value);
        Same(p + ".inTangent", a.inTangent, b.inTangent);
        Same(p + ".outTangent", a.outTangent, b.outTangent);
    }
    void Same(const std::string& p, const doc::RotationKey& a, const doc::RotationKey& b) {
        Same(p + ".time", a.time, b.time);
        Same(p + ".value", a.value, b.value);
    }
    void Same(const std::string& p, const doc::ScaleKey& a, const doc::ScaleKey& b) {
        Same(p + ".time", a.time, b.time);
        Same(p + ".value", a.value, b.value);
    }
    template <typename Key>
    void Same(const std::string& p, const doc::Controller<Key>& a, const doc::Controller<Key>& b) {
        Same(p + ".kind", static_cast<int>(a.kind), static_cast<int>(b.kind));
        Same(p + ".keys", a.keys, b.keys);
    }
    void Same(const std::string& p, const doc::FloatKey& a, const doc::FloatKey& b) {
        Same(p + ".time", a.time, b.time);
        Same(p + ".value", a.value, b.value);
    }
    void Same(const std::string& p, const doc::FloatTrack& a, const doc::FloatTrack& b) {
        Same(p + ".step", a.step, b.step);
        Same(p + ".constant", a.constant, b.constant);
        Same(p + ".keys", a.keys, b.keys);
    }
    void Same(const std::string& p, const doc::LinkTarget& a, const doc::LinkTarget& b) {
        Same(p + ".node", a.node, b.node);
        Same(p + ".time", a.time, b.time);
    }
    void Same(const std::string& p, const doc::Pivot& a, const doc::Pivot& b) {
        Same(p + ".position", a.position, b.position);
        Same(p + ".rotation", a.rotation, b.rotation);
        Same(p + ".scale", a.scale, b.scale);
    }
    void Same(const std::string& p, const doc::MeshData& a, const doc::MeshData& b) {
        Same(p + ".vertices", a.vertices, b.vertices);
        Same(p + ".faces", a.faces, b.faces);
        Same(p + ".smoothing", a.smoothing, b.smoothing);
        Same(p + ".materialIds", a.materialIds, b.materialIds);
        Same(p + ".uvVertices", a.uvVertices, b.uvVertices);
        Same(p + ".uvFaces", a.uvFaces, b.uvFaces);
        Same(p + ".uvHasW", a.uvHasW, b.uvHasW);
    }
    void Same(const std::string& p, const doc::Object& a, const doc::Object& b) {
        Same(p + ".id", a.id, b.id);
        Same(p + ".type", static_cast<int>(a.type), static_cast<int>(b.type));
        Same(p + ".mesh", a.mesh, b.mesh);
        Same(p + ".radius", a.radius, b.radius);
        Same(p + ".segments", a.segments, b.segments);
        Same(p + ".length", a.length, b.length);
        Same(p + ".width", a.width, b.width);
        Same(p + ".height", a.height, b.height);
        Same(p + ".widthSegments", a.widthSegments, b.widthSegments);
        Same(p + ".lengthSegments", a.lengthSegments, b.lengthSegments);
        Same(p + ".heightSegments", a.heightSegments, b.heightSegments);
        Same(p + ".mapping", a.mapping, b.mapping);
    }
    void Same(const std::string& p, const doc::SkinVertex& a, const doc::SkinVertex& b) {
        Same(p + ".bones", a.bones, b.bones);
        Same(p + ".weights", a.weights, b.weights);
        Same(p + ".type", a.type, b.type);
    }
    void Same(const std::string& p, const doc::MorphChannelData& a,
              const doc::MorphChannelData& b) {
        Same(p + ".index", a.index, b.index);
        Same(p + ".name", a.name, b.name);
        Same(p + ".hasData", a.hasData, b.hasData);
        Same(p + ".enabled", a.enabled, b.enabled);
        Same(p + ".points", a.points, b.points);
        Same(p + ".deltas", a.deltas, b.deltas);
        Same(p + ".weight", a.weight, b.weight);
    }
    void Same(const std::string& p, const doc::Modifier& a, const doc::Modifier& b) {
        Same(p + ".id", a.id, b.id);
        Same(p + ".type", static_cast<int>(a.type), static_cast<int>(b.type));
        Same(p + ".name", a.name, b.name);
        Same(p + ".skinVertices", a.skinVertices, b.skinVertices);
        Same(p + ".skinInitialTransform", a.skinInitialTransform, b.skinInitialTransform);
        Same(p + ".boneInitialTransforms", a.boneInitialTransforms, b.boneInitialTransforms);
        Same(p + ".exportInterface", a.exportInterface, b.exportInterface);
        Same(p + ".context", a.context, b.context);
        Same(p + ".channels", a.channels, b.channels);
    }
    void Same(const std::string& p, const doc::MapSlot& a, const doc::MapSlot& b) {
        Same(p + ".slot", a.slot, b.slot);
        Same(p + ".map", a.map, b.map);
        Same(p + ".amount", a.amount, b.amount);
    }
    void Same(const std::string& p, const doc::Material& a, const doc::Material& b) {
        Same(p + ".id", a.id, b.id);
        Same(p + ".type", static_cast<int>(a.type), static_cast<int>(b.type));
        Same(p + ".name", a.name, b.name);
        Same(p + ".ambient", a.ambient, b.ambient);
        Same(p + ".diffuse", a.diffuse, b.diffuse);
        Same(p + ".specular", a.specular, b.specular);
        Same(p + ".shininess", a.shininess, b.shininess);
        Same(p + ".shininessStrength", a.shininessStrength, b.shininessStrength);
        Same(p + ".selfIllumination", a.selfIllumination, b.selfIllumination);
        Same(p + ".transparency", a.transparency, b.transparency);
        Same(p + ".transparencyType", static_cast<int>(a.transparencyType),
             static_cast<int>(b.transparencyType));
        Same(p + ".maps", a.maps, b.maps);
        Same(p + ".subMaterials", a.subMaterials, b.subMaterials);
    }
    void Same(const std::string& p, const doc::Image& a, const doc::Image& b) {
        Same(p + ".kind", static_cast<int>(a.kind), static_cast<int>(b.kind));
        Same(p + ".path", a.path, b.path);
        Same(p + ".fileMissing", a.fileMissing, b.fileMissing);
        Same(p + ".width", a.width, b.width);
        Same(p + ".height", a.height, b.height);
        Same(p + ".fill", a.fill, b.fill);
        Same(p + ".pixels", a.pixels, b.pixels);
    }
    void Same(const std::string& p, const doc::Map& a, const doc::Map& b) {
        Same(p + ".id", a.id, b.id);
        Same(p + ".type", static_cast<int>(a.type), static_cast<int>(b.type));
        Same(p + ".file", a.file, b.file);
        Same(p + ".image", a.image, b.image);
        Same(p + ".uTiling", a.uTiling, b.uTiling);
        Same(p + ".vTiling", a.vTiling, b.vTiling);
        Same(p + ".subMaps", a.subMaps, b.subMaps);
    }
    void Same(const std::string& p, const doc::Node& a, const doc::Node& b) {
        Same(p + ".id", a.id, b.id);
        Same(p + ".name", a.name, b.name);
        Same(p + ".object", a.object, b.object);
        Same(p + ".modifiers", a.modifiers, b.modifiers);
        Same(p + ".material", a.material, b.material);
        Same(p + ".hidden", a.hidden, b.hidden);
        Same(p + ".selected", a.selected, b.selected);
        Same(p + ".transform", a.transform, b.transform);
        Same(p + ".position", a.position, b.position);
        Same(p + ".rotation", a.rotation, b.rotation);
        Same(p + ".scale", a.scale, b.scale);
        Same(p + ".link", a.link, b.link);
        Same(p + ".visibility", a.visibility, b.visibility);
        Same(p + ".pivot", a.pivot, b.pivot);
        Same(p + ".selectedFaces", a.selectedFaces, b.selectedFaces);
        Same(p + ".children", a.children, b.children);
    }

  private:
    template <typename T>
    static std::string Show(const T& value) {
        if constexpr (std::is_arithmetic_v<T> || std::is_same_v<T, std::string>) {
            return fmt::format("{}", value);
        } else {
            return "(differs)";
        }
    }
};

}  // namespace

std::string DescribeDocumentDifference(const doc::Document& a, const doc::Document& b,
                                       bool compareBaseDirectory) {
    Comparer c;
    const doc::Settings& s = a.settings;
    const doc::Settings& t = b.settings;
    c.Same("settings.ticksPerFrame", s.ticksPerFrame, t.ticksPerFrame);
    c.Same("settings.animationStart", s.animationStart, t.animationStart);
    c.Same("settings.animationEnd", s.animationEnd, t.animationEnd);
    c.Same("settings.time", s.time, t.time);
    c.Same("settings.tension", s.tension, t.tension);
    c.Same("settings.continuity", s.continuity, t.continuity);
    c.Same("settings.bias", s.bias, t.bias);
    c.Same("settings.easeIn", s.easeIn, t.easeIn);
    c.Same("settings.easeOut", s.easeOut, t.easeOut);
    c.Same("settings.loop", s.loop, t.loop);
    c.Same("settings.drives", s.drives, t.drives);
    c.Same("materials", a.materials, b.materials);
    c.Same("maps", a.maps, b.maps);
    c.Same("objects", a.objects, b.objects);
    c.Same("modifiers", a.modifiers, b.modifiers);
    c.Same("nodes", a.nodes, b.nodes);
    c.Same("rootNodes", a.rootNodes, b.rootNodes);
    if (compareBaseDirectory) {
        c.Same("baseDirectory", a.baseDirectory, b.baseDirectory);
    }
    return c.difference;
}

}  // namespace pellucid::standalone::test
