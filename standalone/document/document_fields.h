// The fields of document structs, described once: the JSON name, the member it fills, when it is
// read and written, how its value is spelt and which entry types take it. The reader
// (read/read_described.h), the writer (write/write_described.h) and the tests' comparison of
// documents all walk these tables, so a new field of a described struct is one line here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include "standalone/document/scene_document.h"
#include "standalone/document/type_names.h"

namespace pellucid::standalone {

// When a field is read and written.
enum class Presence {
    Optional,  // may be left out; written only when it differs from the struct's default
    Always,    // may be left out; always written
    Required,  // must be given; always written
};

// How a field's value is spelt in a document.
namespace field_kind {

// By the member's type: an int is a time, a float a number, a bool a flag, a Point3 a point, a
// Quat a rotation, a Color [r, g, b], a std::string a string, a vector of a described struct an
// array of objects.
struct Plain {};
// An integer from `min` to `max`.
struct Integer {
    std::int64_t min;
    std::int64_t max;
};
// An enumeration spelt by the names of its type-name table.
template <const auto& Names>
struct Named {
    static constexpr const auto& names = Names;
};
// The id of an entry: only entries of a shared list have one; `sharedBy` ends the refusal of an
// id anywhere else ("/objects, which nodes share by it").
struct EntryId {
    std::string_view sharedBy;
};
// The type of an entry, spelt by the names of its type-name table. It is read before the other
// fields, since it selects which of them the entry takes.
template <const auto& Names>
struct EntryType {
    static constexpr const auto& names = Names;
    static constexpr bool readFirst = true;
};
// An index into the document's list of `Entry`: an id (a node's id or name), the entry written in
// place, or null (-1) where `allowNull`. On a vector, an array of references.
template <typename E>
struct Reference {
    using Entry = E;
    bool allowNull;
};
// The field's int member and `second` as [start, end] in ticks, the end not before the start.
template <typename S>
struct TimeRange {
    int S::*second;
};
// The field's float member and `second` as [first, second].
template <typename S>
struct FloatPair {
    float S::*second;
};
// The field's int member and `second` as two flags, each true, false, 1 or 0.
template <typename S>
struct FlagPair {
    int S::*second;
};
// Read and written with the node tree (a node's id, name and children), not with its body.
struct Tree {};
// A standard material's map slot: its name or its number, each slot once per material.
struct MapSlot {};
// References to maps; entries of the types in `pairFor` take exactly two.
struct MapList {
    std::uint32_t pairFor;
};
// Element `index` of a vector of map references.
struct MapAt {
    std::size_t index;
};
// Unsigned words up to `max` (inline or in a side file); a side file's int32 values are taken as
// stored when `bitsAsGiven` (smoothing groups), else refused when negative.
struct Words {
    std::uint32_t max;
    bool bitsAsGiven;
};
// An array of keys, each a described struct whose time comes after the previous key's.
struct Keys {};
// Texture vertices [u, v] or [u, v, w]; `hasW` records whether any had three values.
template <typename Access>
struct UvArray {
    Access hasW;
};

}  // namespace field_kind

// The set of entry types that take a field, one bit per enumerator.
inline constexpr std::uint32_t kEveryType = ~std::uint32_t{0};
template <typename... Enum>
constexpr std::uint32_t TypesOf(Enum... types) {
    return ((std::uint32_t{1} << static_cast<unsigned>(types)) | ...);
}
template <typename Enum>
constexpr std::uint32_t TypeBit(Enum type) {
    return std::uint32_t{1} << static_cast<unsigned>(type);
}

// A member of a member (a mesh array of an object): for fields that fill a part of an entry.
template <typename S, typename Part, typename M>
struct MemberPath {
    Part S::*part;
    M Part::*member;
};

template <typename S, typename Part, typename M>
MemberPath(Part S::*, M Part::*) -> MemberPath<S, Part, M>;

template <typename S, typename M>
M& MemberOf(S& value, M S::*member) {
    return value.*member;
}
template <typename S, typename M>
const M& MemberOf(const S& value, M S::*member) {
    return value.*member;
}
template <typename S, typename Part, typename M>
M& MemberOf(S& value, MemberPath<S, Part, M> path) {
    return value.*path.part.*path.member;
}
template <typename S, typename Part, typename M>
const M& MemberOf(const S& value, MemberPath<S, Part, M> path) {
    return value.*path.part.*path.member;
}

template <typename S, typename M, typename Kind = field_kind::Plain, typename Access = M S::*>
struct DocumentField {
    using Struct = S;
    using Member = M;
    std::string_view name;
    Access member;
    Presence presence = Presence::Optional;
    Kind kind = {};
    std::uint32_t types = kEveryType;
};
template <typename S, typename M>
DocumentField(std::string_view, M S::*, Presence) -> DocumentField<S, M>;
template <typename S, typename M, typename Kind>
DocumentField(std::string_view, M S::*, Presence, Kind) -> DocumentField<S, M, Kind>;
template <typename S, typename M, typename Kind>
DocumentField(std::string_view, M S::*, Presence, Kind, std::uint32_t) -> DocumentField<S, M, Kind>;
template <typename S, typename Part, typename M, typename Kind>
DocumentField(std::string_view, MemberPath<S, Part, M>, Presence, Kind, std::uint32_t)
    -> DocumentField<S, M, Kind, MemberPath<S, Part, M>>;

// A nested object whose fields are members of the enclosing struct; written when any of them
// differs from its default.
template <typename Fields>
struct DocumentGroup {
    std::string_view name;
    Fields fields;
    Presence presence = Presence::Optional;
    std::uint32_t types = kEveryType;
};
template <typename Fields>
DocumentGroup(std::string_view, Fields) -> DocumentGroup<Fields>;

template <typename T>
inline constexpr bool kIsGroup = false;
template <typename Fields>
inline constexpr bool kIsGroup<DocumentGroup<Fields>> = true;

constexpr auto FieldsOf(const doc::Drive*) {
    using enum Presence;
    using T = doc::Drive;
    return std::tuple{DocumentField{"root", &T::root, Required},
                      DocumentField{"universalName", &T::universalName, Optional}};
}

constexpr auto FieldsOf(const doc::Settings*) {
    using enum Presence;
    using T = doc::Settings;
    using field_kind::Integer;
    return std::tuple{
        DocumentField{"ticksPerFrame", &T::ticksPerFrame, Optional,
                      Integer{1, std::numeric_limits<int>::max()}},
        DocumentField{"animationRange", &T::animationStart, Optional,
                      field_kind::TimeRange<T>{&T::animationEnd}},
        DocumentField{"time", &T::time, Optional},
        DocumentGroup{"tcbDefaults", std::tuple{DocumentField{"tension", &T::tension, Always},
                                                DocumentField{"continuity", &T::continuity, Always},
                                                DocumentField{"bias", &T::bias, Always},
                                                DocumentField{"easeIn", &T::easeIn, Always},
                                                DocumentField{"easeOut", &T::easeOut, Always}}},
        DocumentField{"loop", &T::loop, Optional},
        DocumentField{"drives", &T::drives, Optional}};
}

constexpr auto FieldsOf(const doc::MapSlot*) {
    using enum Presence;
    using T = doc::MapSlot;
    return std::tuple{
        DocumentField{"slot", &T::slot, Required, field_kind::MapSlot{}},
        DocumentField{"map", &T::map, Required, field_kind::Reference<doc::Map>{true}},
        DocumentField{"amount", &T::amount, Always}};
}

constexpr auto FieldsOf(const doc::Material*) {
    using enum Presence;
    using T = doc::Material;
    using enum doc::MaterialType;
    constexpr field_kind::Plain kPlain;
    constexpr std::uint32_t kStandard = TypesOf(Standard);
    return std::tuple{
        DocumentField{"id", &T::id, Optional,
                      field_kind::EntryId{"/materials, which are shared by it"}},
        DocumentField{"type", &T::type, Always, field_kind::EntryType<kMaterialTypeNames>{}},
        DocumentField{"name", &T::name, Always},
        DocumentField{"ambient", &T::ambient, Optional, kPlain, kStandard},
        DocumentField{"diffuse", &T::diffuse, Optional, kPlain, kStandard},
        DocumentField{"specular", &T::specular, Optional, kPlain, kStandard},
        DocumentField{"shininess", &T::shininess, Optional, kPlain, kStandard},
        DocumentField{"shininessStrength", &T::shininessStrength, Optional, kPlain, kStandard},
        DocumentField{"selfIllumination", &T::selfIllumination, Optional, kPlain, kStandard},
        DocumentField{"transparency", &T::transparency, Optional, kPlain, kStandard},
        DocumentField{"transparencyType", &T::transparencyType, Optional,
                      field_kind::Named<kTransparencyTypeNames>{}, kStandard},
        DocumentField{"maps", &T::maps, Optional, kPlain, kStandard},
        DocumentField{"subMaterials", &T::subMaterials, Always,
                      field_kind::Reference<doc::Material>{true}, TypesOf(Multi)}};
}

constexpr auto FieldsOf(const doc::Map*) {
    using enum Presence;
    using T = doc::Map;
    using enum doc::MapType;
    constexpr std::uint32_t kBitmap = TypesOf(Bitmap);
    return std::tuple{
        DocumentField{"id", &T::id, Optional, field_kind::EntryId{"/maps, which are shared by it"}},
        DocumentField{"type", &T::type, Always, field_kind::EntryType<kMapTypeNames>{}},
        DocumentField{"file", &T::file, Always, field_kind::Plain{}, kBitmap},
        DocumentField{"image", &T::image, Optional, field_kind::Plain{}, kBitmap},
        DocumentField{"tiling", &T::uTiling, Optional, field_kind::FloatPair<T>{&T::vTiling},
                      kBitmap},
        DocumentField{"maps", &T::subMaps, Always, field_kind::MapList{TypesOf(RGBMultiply)},
                      TypesOf(RGBMultiply, Other)},
        DocumentField{"map", &T::subMaps, Always, field_kind::MapAt{0}, TypesOf(Mask)},
        DocumentField{"mask", &T::subMaps, Always, field_kind::MapAt{1}, TypesOf(Mask)}};
}

// The sphere primitive's segment range.
inline constexpr int kMinSphereSegments = 4;
inline constexpr int kMaxSphereSegments = 200;
// Material ids are 16-bit in the host's meshes.
inline constexpr std::uint32_t kMaxMaterialId = 0xffff;

constexpr auto FieldsOf(const doc::Object*) {
    using enum Presence;
    using T = doc::Object;
    using M = doc::MeshData;
    using enum doc::ObjectType;
    constexpr field_kind::Plain kPlain;
    constexpr std::uint32_t kMesh = TypesOf(Mesh);
    constexpr std::uint32_t kSphere = TypesOf(Sphere);
    constexpr std::uint32_t kBoxes = TypesOf(Box, CollBox);
    constexpr std::uint32_t kCollBox = TypesOf(CollBox);
    return std::tuple{
        DocumentField{"id", &T::id, Optional,
                      field_kind::EntryId{"/objects, which nodes share by it"}},
        DocumentField{"type", &T::type, Always, field_kind::EntryType<kObjectTypeNames>{}},
        DocumentField{"vertices", MemberPath{&T::mesh, &M::vertices}, Always, kPlain, kMesh},
        DocumentField{"faces", MemberPath{&T::mesh, &M::faces}, Always, kPlain, kMesh},
        DocumentField{"smoothing", MemberPath{&T::mesh, &M::smoothing}, Optional,
                      field_kind::Words{std::numeric_limits<std::uint32_t>::max(), true}, kMesh},
        DocumentField{"materialIds", MemberPath{&T::mesh, &M::materialIds}, Optional,
                      field_kind::Words{kMaxMaterialId, false}, kMesh},
        DocumentField{"uvVertices", MemberPath{&T::mesh, &M::uvVertices}, Optional,
                      field_kind::UvArray{MemberPath{&T::mesh, &M::uvHasW}}, kMesh},
        DocumentField{"uvFaces", MemberPath{&T::mesh, &M::uvFaces}, Optional, kPlain, kMesh},
        DocumentField{"radius", &T::radius, Always, kPlain, kSphere},
        DocumentField{"segments", &T::segments, Always,
                      field_kind::Integer{kMinSphereSegments, kMaxSphereSegments}, kSphere},
        DocumentField{"length", &T::length, Always, kPlain, kBoxes},
        DocumentField{"width", &T::width, Always, kPlain, kBoxes},
        DocumentField{"height", &T::height, Always, kPlain, kBoxes},
        DocumentField{"widthSegments", &T::widthSegments, Always, kPlain, kCollBox},
        DocumentField{"lengthSegments", &T::lengthSegments, Always, kPlain, kCollBox},
        DocumentField{"heightSegments", &T::heightSegments, Always, kPlain, kCollBox},
        DocumentField{"mapping", &T::mapping, Always, kPlain, kCollBox}};
}

// A morph channel: the bank has 100 channels, each given at most once.
inline constexpr int kMorphChannels = 100;

constexpr auto FieldsOf(const doc::MorphChannelData*) {
    using enum Presence;
    using T = doc::MorphChannelData;
    return std::tuple{
        DocumentField{"index", &T::index, Required, field_kind::Integer{0, kMorphChannels - 1}},
        DocumentField{"name", &T::name, Optional},
        DocumentField{"flags", &T::hasData, Always, field_kind::FlagPair<T>{&T::enabled}},
        DocumentField{"points", &T::points, Always},
        DocumentField{"deltas", &T::deltas, Always},
        DocumentField{"weight", &T::weight, Always}};
}

constexpr auto FieldsOf(const doc::Modifier*) {
    using enum Presence;
    using T = doc::Modifier;
    using enum doc::ModifierType;
    constexpr field_kind::Plain kPlain;
    constexpr std::uint32_t kPhysique = TypesOf(Physique);
    return std::tuple{
        DocumentField{"id", &T::id, Optional,
                      field_kind::EntryId{"/modifiers, which nodes share by it"}},
        DocumentField{"type", &T::type, Always, field_kind::EntryType<kModifierTypeNames>{}},
        DocumentField{"vertices", &T::skinVertices, Always, kPlain, kPhysique},
        DocumentField{"skinInitialTransform", &T::skinInitialTransform, Optional, kPlain,
                      kPhysique},
        DocumentField{"boneInitialTransforms", &T::boneInitialTransforms, Optional, kPlain,
                      kPhysique},
        DocumentField{"exportInterface", &T::exportInterface, Optional, kPlain, kPhysique},
        DocumentField{"context", &T::context, Optional, kPlain, kPhysique},
        DocumentField{"channels", &T::channels, Always, kPlain, TypesOf(Morpher)},
        DocumentField{"name", &T::name, Always, kPlain, TypesOf(Inert)}};
}

constexpr auto FieldsOf(const doc::LinkTarget*) {
    using enum Presence;
    using T = doc::LinkTarget;
    return std::tuple{
        DocumentField{"target", &T::node, Required, field_kind::Reference<doc::Node>{true}},
        DocumentField{"time", &T::time, Always}};
}

constexpr auto FieldsOf(const doc::Node*) {
    using enum Presence;
    using T = doc::Node;
    constexpr field_kind::Tree kTree;
    return std::tuple{
        DocumentField{"id", &T::id, Optional, kTree},
        DocumentField{"name", &T::name, Always, kTree},
        DocumentField{"object", &T::object, Optional, field_kind::Reference<doc::Object>{true}},
        DocumentField{"modifiers", &T::modifiers, Optional,
                      field_kind::Reference<doc::Modifier>{false}},
        DocumentField{"material", &T::material, Optional,
                      field_kind::Reference<doc::Material>{true}},
        DocumentField{"hidden", &T::hidden, Optional},
        DocumentField{"selected", &T::selected, Optional},
        DocumentField{"transform", &T::transform, Optional},
        DocumentField{"position", &T::position, Optional},
        DocumentField{"rotation", &T::rotation, Optional},
        DocumentField{"scale", &T::scale, Optional},
        DocumentField{"link", &T::link, Optional},
        DocumentField{"visibility", &T::visibility, Optional},
        DocumentField{"pivot", &T::pivot, Optional},
        DocumentField{"selectedFaces", &T::selectedFaces, Optional},
        DocumentField{"children", &T::children, Optional, kTree}};
}

// A node's pivot: the offset of its object from the node, each part optional.
constexpr auto FieldsOf(const doc::Pivot*) {
    using enum Presence;
    using T = doc::Pivot;
    return std::tuple{DocumentField{"position", &T::position, Optional},
                      DocumentField{"rotation", &T::rotation, Optional},
                      DocumentField{"scale", &T::scale, Optional}};
}

// Keys of controllers and float tracks: every key has its time and value.
constexpr auto FieldsOf(const doc::PositionKey*) {
    using enum Presence;
    using T = doc::PositionKey;
    return std::tuple{DocumentField{"time", &T::time, Required},
                      DocumentField{"value", &T::value, Required},
                      DocumentField{"inTangent", &T::inTangent, Optional},
                      DocumentField{"outTangent", &T::outTangent, Optional}};
}
template <typename Key>
requires(std::is_same_v<Key, doc::RotationKey> || std::is_same_v<Key, doc::ScaleKey> ||
         std::is_same_v<Key, doc::FloatKey>) constexpr auto FieldsOf(const Key*) {
    using enum Presence;
    return std::tuple{DocumentField{"time", &Key::time, Required},
                      DocumentField{"value", &Key::value, Required}};
}

// A keyed controller: its kind is required; a procedural one has no keys (checked by the reader).
template <typename Key>
constexpr auto FieldsOf(const doc::Controller<Key>*) {
    using enum Presence;
    using T = doc::Controller<Key>;
    return std::tuple{
        DocumentField{"controller", &T::kind, Required, field_kind::Named<kControllerKindNames>{}},
        DocumentField{"keys", &T::keys, Optional, field_kind::Keys{}}};
}

// A float track in its object form; a constant is spelt as a plain number instead, which the
// reader and writer handle before this table.
constexpr auto FieldsOf(const doc::FloatTrack*) {
    using enum Presence;
    using T = doc::FloatTrack;
    return std::tuple{DocumentField{"interpolation", &T::step, Optional,
                                    field_kind::Named<kInterpolationNames>{}},
                      DocumentField{"keys", &T::keys, Always, field_kind::Keys{}}};
}

template <typename S>
concept DescribedDocumentStruct = requires {
    FieldsOf(static_cast<const S*>(nullptr));
};

template <DescribedDocumentStruct S>
inline constexpr auto kFieldsOf = FieldsOf(static_cast<const S*>(nullptr));

// The JSON names of a tuple of fields, in order.
template <typename Fields>
constexpr auto NamesOf(const Fields& fields) {
    return std::apply(
        [](const auto&... field) {
            return std::array<std::string_view, sizeof...(field)>{field.name...};
        },
        fields);
}

template <DescribedDocumentStruct S>
inline constexpr auto kFieldNamesOf = NamesOf(kFieldsOf<S>);

// Calls visit(field) for field `index` of a tuple of fields.
template <typename Fields, typename Visit>
void VisitField(const Fields& fields, std::size_t index, Visit&& visit) {
    std::apply(
        [&](const auto&... field) {
            std::size_t i = 0;
            ((i++ == index ? visit(field) : void()), ...);
        },
        fields);
}

// Calls visit(field) for every field of a tuple of fields, in order.
template <typename Fields, typename Visit>
void ForEachField(const Fields& fields, Visit&& visit) {
    std::apply([&](const auto&... field) { (visit(field), ...); }, fields);
}

// Calls visit(name, access) for every member that the fields of S fill, groups opened
// and the second member of a pair included: what a comparison of two values of S compares.
template <DescribedDocumentStruct S, typename Visit>
void ForEachDescribedMember(Visit&& visit) {
    auto visitFields = [&](const auto& fields, const auto& self) -> void {
        ForEachField(fields, [&](const auto& field) {
            using Field = std::decay_t<decltype(field)>;
            if constexpr (kIsGroup<Field>) {
                self(field.fields, self);
            } else {
                visit(field.name, field.member);
                if constexpr (requires { field.kind.second; }) {
                    visit(field.name, field.kind.second);
                } else if constexpr (requires { field.kind.hasW; }) {
                    visit(field.name, field.kind.hasW);
                }
            }
        });
    };
    visitFields(kFieldsOf<S>, visitFields);
}

}  // namespace pellucid::standalone
