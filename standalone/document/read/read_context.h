// The scene-document reader: one instance reads one parsed document into a doc::Document. Its
// members are spread over the read_*.cpp files by subject.
//
// Reading goes in passes so that references may point forward: the ids of the shared lists and
// the node tree (ids, names, children) are indexed first, then the bodies are read in a fixed
// order (settings, materials, maps, objects, modifiers, nodes in tree order), which also fixes the
// order in which inline entries are appended to the document's lists.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include <fmt/format.h>

#include "standalone/document/json/json_reader.h"
#include "standalone/document/map_slots.h"
#include "standalone/document/scene_document.h"
#include "standalone/document/scene_document_io.h"
#include "standalone/document/type_names.h"

namespace pellucid::standalone {

// The binary side files of one document, each opened once and read by range.
class SideFileCache {
  public:
    SideFileCache();
    ~SideFileCache();
    SideFileCache(const SideFileCache&) = delete;
    SideFileCache& operator=(const SideFileCache&) = delete;

    // Refuses a file (relative to `baseDirectory`) that cannot be opened or that does not hold
    // `bytes` bytes from `offset`.
    void CheckRange(const JsonReader& reader, const JsonPath& path,
                    const std::string& baseDirectory, std::string_view file, std::uint64_t offset,
                    std::uint64_t bytes);
    // CheckRange, then reads the bytes into `out`.
    void Read(const JsonReader& reader, const JsonPath& path, const std::string& baseDirectory,
              std::string_view file, std::uint64_t offset, std::uint64_t bytes, void* out);

  private:
    struct OpenFile;
    OpenFile& Open(const JsonReader& reader, const JsonPath& path, const std::string& baseDirectory,
                   std::string_view file);

    std::unordered_map<std::string, std::unique_ptr<OpenFile>> files_;
};

// The "type" of an entry (object, modifier, material, map), refused unless `names` has it; sets
// `kind` to what messages call the entry ("an object of type \"box\"").
template <typename Enum, std::size_t N>
Enum ReadEntryType(const JsonReader& reader, JsonElement value, const JsonPath& path,
                   std::string_view entry, const TypeName<Enum> (&names)[N], std::string& kind) {
    const std::string_view typeName = reader.RequiredString(value, path, "type");
    const TypeName<Enum>* named = FindTypeName(names, typeName);
    if (named == nullptr) {
        reader.Fail(path.Field("type"), fmt::format("unknown {} type \"{}\" (expected {})", entry,
                                                    typeName, ListOfNames(names, "")));
    }
    const bool vowel = std::string_view("aeiou").find(entry[0]) != std::string_view::npos;
    kind = fmt::format("{} {} of type \"{}\"", vowel ? "an" : "a", entry, typeName);
    return named->value;
}

enum class SideType { Float32, Int32, UInt32 };

// A large array stored in a side file: {"file", "offset", "count", "type"}.
struct SideArray {
    std::string_view file;
    std::uint64_t offset = 0;  // bytes
    std::uint64_t count = 0;   // array elements
    SideType type = SideType::Float32;
};

class SceneDocumentReader : public JsonReader {
  public:
    SceneDocumentReader(std::string fileName, std::string baseDirectory, ReadOptions options);

    doc::Document Read(JsonElement root);

    // Values (read_values.cpp).
    Color ReadColor(JsonElement value, const JsonPath& path) const;
    Quat ReadRotation(JsonElement value, const JsonPath& path) const;
    Matrix3 ReadMatrixRows(JsonElement value, const JsonPath& path, int rows) const;
    doc::Transform ReadTransform(JsonElement value, const JsonPath& path) const;
    int ReadTime(JsonElement value, const JsonPath& path) const;
    // [start, end] in ticks, the end not before the start.
    void ReadTimeRange(JsonElement value, const JsonPath& path, int& start, int& end) const;
    // Two flags, each true, false, 1 or 0 (a morph channel's [hasData, enabled]).
    void ReadFlagPair(JsonElement value, const JsonPath& path, int& first, int& second) const;
    // A standard material's map slot by name or number, refused when the material being read
    // gives it twice.
    int ReadMapSlot(JsonElement value, const JsonPath& path);
    // A number (a constant track) or {"interpolation", "keys"}.
    doc::FloatTrack ReadFloatTrack(JsonElement value, const JsonPath& path) const;
    doc::Controller<doc::PositionKey> ReadPositionController(JsonElement value,
                                                             const JsonPath& path) const;
    doc::Controller<doc::RotationKey> ReadRotationController(JsonElement value,
                                                             const JsonPath& path) const;
    doc::Controller<doc::ScaleKey> ReadScaleController(JsonElement value,
                                                       const JsonPath& path) const;

    // The parts of modifiers that are not plain fields (read_modifiers.cpp): the skin's vertices
    // (null for a vertex without an interface) and its bones' initial transforms by node, and
    // the morph channels, each index once.
    void ReadSkinVertices(JsonElement value, const JsonPath& path,
                          std::vector<std::optional<doc::SkinVertex>>& out);
    void ReadBoneInitialTransforms(JsonElement value, const JsonPath& path,
                                   std::vector<std::pair<int, Matrix3>>& out) const;
    void ReadMorphChannels(JsonElement value, const JsonPath& path,
                           std::vector<doc::MorphChannelData>& out);

    // An image: a file name, a fill or pixels (read_images.cpp).
    doc::Image ReadImage(JsonElement value, const JsonPath& path) const;

    // Large arrays, inline or from a side file (read_arrays.cpp).
    void ReadPointArray(JsonElement value, const JsonPath& path, std::vector<Point3>& out);
    // [u, v] or [u, v, w]; sets hasW when any element has three values.
    void ReadUvArray(JsonElement value, const JsonPath& path, std::vector<Point3>& out, bool& hasW);
    void ReadTriangleArray(JsonElement value, const JsonPath& path,
                           std::vector<std::array<std::uint32_t, 3>>& out);
    // Integers from 0 to `max`; a side file's int32 values are taken as they are stored when
    // `bitsAsGiven` (smoothing words), else refused when negative.
    void ReadWordArray(JsonElement value, const JsonPath& path, std::uint32_t max, bool bitsAsGiven,
                       std::vector<std::uint32_t>& out);
    void ReadIndexArray(JsonElement value, const JsonPath& path, std::vector<int>& out);
    void ReadFloatArray(JsonElement value, const JsonPath& path, std::vector<float>& out);

    // References (read_references.cpp): an id string, an entry written in place
    // (appended to its list), or null (-1) where `allowNull`.
    int ReadMaterialReference(JsonElement value, const JsonPath& path, bool allowNull);
    int ReadMapReference(JsonElement value, const JsonPath& path, bool allowNull);
    int ReadObjectReference(JsonElement value, const JsonPath& path, bool allowNull);
    int ReadModifierReference(JsonElement value, const JsonPath& path);
    // A node id, or a node name that no other node has.
    int ReadNodeReference(JsonElement value, const JsonPath& path, bool allowNull) const;
    int ResolveNodeReference(std::string_view reference, const JsonPath& path) const;
    // The node id or name nearest to an unknown reference, or empty when none is near enough.
    std::string NearestNode(std::string_view reference) const;

  private:
    struct SharedList {
        JsonElement array;
        bool present = false;
        std::unordered_map<std::string_view, int> ids;
    };
    struct NodeSource {
        JsonElement element;
        const JsonPath* path = nullptr;
    };

    // Passes (read_document.cpp, read_references.cpp).
    void ReadTopLevel(JsonElement root, const JsonPath& path);
    void IndexSharedIds(SharedList& list, const JsonPath& path, std::string_view kind);
    int Lookup(const SharedList& list, std::string_view id, const JsonPath& path,
               std::string_view kind) const;

    // Settings (read_settings.cpp).
    void ReadSettings(JsonElement value, const JsonPath& path);

    // Nodes (read_nodes.cpp).
    void IndexNodeTree(JsonElement nodes, const JsonPath& path);
    void ReadNodeBody(int index);

    // Objects (read_objects.cpp).
    doc::Object ReadObject(JsonElement value, const JsonPath& path, bool shared);

    // Modifiers (read_modifiers.cpp).
    doc::Modifier ReadModifier(JsonElement value, const JsonPath& path, bool shared);
    doc::SkinVertex ReadSkinVertex(JsonElement value, const JsonPath& path);

    // Materials (read_materials.cpp).
    doc::Material ReadMaterial(JsonElement value, const JsonPath& path, bool shared);

    // Maps and images (read_maps.cpp, read_images.cpp).
    doc::Map ReadMap(JsonElement value, const JsonPath& path, bool shared);
    void LoadImageFile(const JsonPath& path, doc::Image& image) const;

    // Side arrays (read_arrays.cpp). The form is recognised by being an object;
    // its type must be one of `allowed`.
    SideArray ReadSideArraySpec(JsonElement value, const JsonPath& path,
                                std::span<const SideType> allowed) const;
    // Reads count * wordsPerElement 32-bit values into `out`, resized to hold them exactly.
    template <typename T>
    void ReadSideValues(const SideArray& array, const JsonPath& path, std::size_t wordsPerElement,
                        std::vector<T>& out);

    // Refuses a side file or image named outside the document's folder unless the options allow
    // it; `what` is "side file" or "image".
    void CheckInsideDocumentFolder(const JsonPath& path, std::string_view file,
                                   std::string_view what) const;

    std::string baseDirectory_;
    ReadOptions options_;
    doc::Document document_;
    JsonPath root_;
    SharedList materials_, maps_, objects_, modifiers_;
    JsonElement settings_, nodes_;
    bool hasSettings_ = false, hasNodes_ = false;

    // The node tree in pre-order: its elements and the paths that lead to them.
    std::vector<NodeSource> nodeSources_;
    std::deque<JsonPath> nodePaths_;
    std::unordered_map<std::string_view, int> nodeIds_;
    // Node name -> node index, or kAmbiguousName when several nodes have it.
    std::unordered_map<std::string_view, int> nodeNames_;
    static constexpr int kAmbiguousName = -2;

    SideFileCache sideFiles_;
    // The map slots that the standard material being read has given.
    std::array<bool, kMapSlotCount> mapSlotsGiven_{};
};

}  // namespace pellucid::standalone
