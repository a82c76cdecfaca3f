// Reading the structs described in document_fields.h: each field by its kind, or by its member's
// type where the kind is plain.
#pragma once

#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <fmt/format.h>

#include "standalone/document/document_fields.h"
#include "standalone/document/read/read_context.h"

namespace pellucid::standalone {

// What the fields of an entry of a typed list (objects, modifiers, materials, maps) depend on.
struct EntryContext {
    bool shared = false;                 // an entry of a shared list, which may have an id
    std::uint32_t typeBit = kEveryType;  // the entry's type, to pick the fields it takes
    std::string_view kind;               // what messages call the entry
};

template <typename T>
inline constexpr bool kIsVector = false;
template <typename T>
inline constexpr bool kIsVector<std::vector<T>> = true;
template <typename T>
inline constexpr bool kIsOptional = false;
template <typename T>
inline constexpr bool kIsOptional<std::optional<T>> = true;

template <typename Reader, DescribedDocumentStruct S>
void ReadDescribed(Reader& reader, JsonElement value, const JsonPath& path, S& out,
                   const EntryContext* entry = nullptr);

// One reference of the document's list of Entry.
template <typename Entry, typename Reader>
int ReadReferenceTo(Reader& reader, JsonElement value, const JsonPath& path, bool allowNull) {
    if constexpr (std::is_same_v<Entry, doc::Material>) {
        return reader.ReadMaterialReference(value, path, allowNull);
    } else if constexpr (std::is_same_v<Entry, doc::Map>) {
        return reader.ReadMapReference(value, path, allowNull);
    } else if constexpr (std::is_same_v<Entry, doc::Object>) {
        return reader.ReadObjectReference(value, path, allowNull);
    } else if constexpr (std::is_same_v<Entry, doc::Modifier>) {
        return reader.ReadModifierReference(value, path);
    } else {
        static_assert(std::is_same_v<Entry, doc::Node>);
        return reader.ReadNodeReference(value, path, allowNull);
    }
}

// A value spelt by its C++ type.
template <typename Reader, typename M>
void ReadPlain(Reader& reader, JsonElement value, const JsonPath& path, M& out) {
    if constexpr (std::is_same_v<M, int>) {
        out = reader.ReadTime(value, path);
    } else if constexpr (std::is_same_v<M, float>) {
        out = reader.Float(value, path);
    } else if constexpr (std::is_same_v<M, bool>) {
        out = reader.Bool(value, path);
    } else if constexpr (std::is_same_v<M, Point3>) {
        out = reader.Point(value, path);
    } else if constexpr (std::is_same_v<M, Quat>) {
        out = reader.ReadRotation(value, path);
    } else if constexpr (std::is_same_v<M, Color>) {
        out = reader.ReadColor(value, path);
    } else if constexpr (kIsOptional<M>) {
        ReadPlain(reader, value, path, out.emplace());
    } else if constexpr (std::is_same_v<M, doc::FloatTrack>) {
        // Before the described structs: these add a form or a check to their tables.
        out = reader.ReadFloatTrack(value, path);
    } else if constexpr (std::is_same_v<M, doc::Controller<doc::PositionKey>>) {
        out = reader.ReadPositionController(value, path);
    } else if constexpr (std::is_same_v<M, doc::Controller<doc::RotationKey>>) {
        out = reader.ReadRotationController(value, path);
    } else if constexpr (std::is_same_v<M, doc::Controller<doc::ScaleKey>>) {
        out = reader.ReadScaleController(value, path);
    } else if constexpr (DescribedDocumentStruct<M>) {
        ReadDescribed(reader, value, path, out);
    } else if constexpr (std::is_same_v<M, doc::Image>) {
        out = reader.ReadImage(value, path);
    } else if constexpr (std::is_same_v<M, doc::Transform>) {
        out = reader.ReadTransform(value, path);
    } else if constexpr (std::is_same_v<M, Matrix3>) {
        out = reader.ReadTransform(value, path).matrix;
    } else if constexpr (std::is_same_v<M, std::vector<std::optional<doc::SkinVertex>>>) {
        reader.ReadSkinVertices(value, path, out);
    } else if constexpr (std::is_same_v<M, std::vector<std::pair<int, Matrix3>>>) {
        reader.ReadBoneInitialTransforms(value, path, out);
    } else if constexpr (std::is_same_v<M, std::vector<doc::MorphChannelData>>) {
        reader.ReadMorphChannels(value, path, out);
    } else if constexpr (std::is_same_v<M, std::vector<Point3>>) {
        reader.ReadPointArray(value, path, out);
    } else if constexpr (std::is_same_v<M, std::vector<std::array<std::uint32_t, 3>>>) {
        reader.ReadTriangleArray(value, path, out);
    } else if constexpr (std::is_same_v<M, std::vector<int>>) {
        reader.ReadIndexArray(value, path, out);
    } else if constexpr (std::is_same_v<M, std::vector<float>>) {
        reader.ReadFloatArray(value, path, out);
    } else if constexpr (kIsVector<M>) {
        out.reserve(reader.Array(value, path).size());
        reader.ForEachItem(value, path, [&](std::size_t, JsonElement item, const JsonPath& p) {
            ReadDescribed(reader, item, p, out.emplace_back());
        });
    } else {
        static_assert(std::is_same_v<M, std::string>);
        out = reader.String(value, path);
    }
}

// One field of a described struct into `out`.
template <typename Reader, typename S, typename M, typename Kind, typename Access>
void ReadField(Reader& reader, const DocumentField<S, M, Kind, Access>& field, JsonElement value,
               const JsonPath& path, S& out, const EntryContext* entry) {
    M& member = MemberOf(out, field.member);
    if constexpr (std::is_same_v<Kind, field_kind::Plain>) {
        ReadPlain(reader, value, path, member);
    } else if constexpr (std::is_same_v<Kind, field_kind::Integer>) {
        member = static_cast<M>(reader.Integer(value, path, field.kind.min, field.kind.max));
    } else if constexpr (std::is_same_v<Kind, field_kind::Tree>) {
        // read with the node tree
    } else if constexpr (std::is_same_v<Kind, field_kind::EntryId>) {
        if (entry == nullptr || !entry->shared) {
            reader.Fail(path, fmt::format("an id is only for entries of {}", field.kind.sharedBy));
        }
        member = reader.String(value, path);
    } else if constexpr (requires { Kind::readFirst; }) {
        // read with the entry's type, before its fields
    } else if constexpr (requires { Kind::names; }) {
        const auto* named = FindTypeName(Kind::names, reader.String(value, path));
        if (named == nullptr) {
            reader.Fail(path, fmt::format("expected {}", ListOfNames(Kind::names, "\"")));
        }
        member = named->value;
    } else if constexpr (std::is_same_v<Kind, field_kind::TimeRange<S>>) {
        reader.ReadTimeRange(value, path, member, out.*field.kind.second);
    } else if constexpr (std::is_same_v<Kind, field_kind::FloatPair<S>>) {
        float pair[2];
        reader.Floats(value, path, pair);
        member = pair[0];
        out.*field.kind.second = pair[1];
    } else if constexpr (std::is_same_v<Kind, field_kind::FlagPair<S>>) {
        reader.ReadFlagPair(value, path, member, out.*field.kind.second);
    } else if constexpr (std::is_same_v<Kind, field_kind::MapSlot>) {
        member = reader.ReadMapSlot(value, path);
    } else if constexpr (std::is_same_v<Kind, field_kind::Words>) {
        reader.ReadWordArray(value, path, field.kind.max, field.kind.bitsAsGiven, member);
    } else if constexpr (std::is_same_v<Kind, field_kind::Keys>) {
        member.reserve(reader.Array(value, path).size());
        reader.ForEachItem(
            value, path, [&](std::size_t index, JsonElement item, const JsonPath& p) {
                typename M::value_type key;
                ReadDescribed(reader, item, p, key);
                if (index > 0 && key.time <= member.back().time) {
                    reader.Fail(p.Field("time"),
                                fmt::format("expected a time after the previous key's ({})",
                                            member.back().time));
                }
                member.push_back(key);
            });
    } else if constexpr (requires { field.kind.hasW; }) {
        reader.ReadUvArray(value, path, member, MemberOf(out, field.kind.hasW));
    } else if constexpr (std::is_same_v<Kind, field_kind::MapAt>) {
        member[field.kind.index] = reader.ReadMapReference(value, path, true);
    } else if constexpr (std::is_same_v<Kind, field_kind::MapList>) {
        const std::size_t count = reader.Array(value, path).size();
        if (entry != nullptr && (entry->typeBit & field.kind.pairFor) != 0 && count != 2) {
            reader.Fail(path, fmt::format("expected 2 {}, found {}", field.name, count));
        }
        member.reserve(count);
        reader.ForEachItem(value, path, [&](std::size_t, JsonElement item, const JsonPath& p) {
            member.push_back(reader.ReadMapReference(item, p, true));
        });
    } else if constexpr (kIsVector<M>) {
        static_assert(std::is_same_v<M, std::vector<int>>);
        member.reserve(reader.Array(value, path).size());
        reader.ForEachItem(value, path, [&](std::size_t, JsonElement item, const JsonPath& p) {
            member.push_back(
                ReadReferenceTo<typename Kind::Entry>(reader, item, p, field.kind.allowNull));
        });
    } else {
        member = ReadReferenceTo<typename Kind::Entry>(reader, value, path, field.kind.allowNull);
    }
}

// The fields of an object by a tuple of field descriptions, the required ones refused when
// missing and, for an entry, those its type does not take refused when given.
template <typename Reader, typename S, typename Fields>
void ReadFieldTuple(Reader& reader, JsonElement value, const JsonPath& path, S& out,
                    const Fields& fields, std::span<const std::string_view> names,
                    const EntryContext* entry) {
    const std::uint64_t seen =
        reader.ForEachField(value, path, names, [&](int index, JsonElement v, const JsonPath& p) {
            VisitField(fields, static_cast<std::size_t>(index), [&](const auto& field) {
                if (entry != nullptr) {
                    reader.CheckFieldTaken((field.types & entry->typeBit) != 0, p, field.name,
                                           entry->kind);
                }
                using Field = std::decay_t<decltype(field)>;
                if constexpr (kIsGroup<Field>) {
                    ReadFieldTuple(reader, v, p, out, field.fields, NamesOf(field.fields), nullptr);
                } else {
                    ReadField(reader, field, v, p, out, entry);
                }
            });
        });
    int index = 0;
    ForEachField(fields, [&](const auto& field) {
        if (field.presence == Presence::Required) {
            reader.Require(seen, names, index, path);
        }
        ++index;
    });
}

template <typename Reader, DescribedDocumentStruct S>
void ReadDescribed(Reader& reader, JsonElement value, const JsonPath& path, S& out,
                   const EntryContext* entry) {
    ReadFieldTuple(reader, value, path, out, kFieldsOf<S>, kFieldNamesOf<S>, entry);
}

// An entry of a typed list (object, modifier, material, map): its type first, then `prepare(out)`,
// then the fields that its type takes.
template <typename Reader, typename Entry, typename Enum, std::size_t N,
          typename Prepare = void (*)(Entry&)>
void ReadTypedEntry(
    Reader& reader, JsonElement value, const JsonPath& path, bool shared,
    std::string_view entryName, const TypeName<Enum> (&names)[N], Entry& out,
    Prepare prepare = [](Entry&) {}) {
    std::string kind;
    out.type = ReadEntryType(reader, value, path, entryName, names, kind);
    prepare(out);
    EntryContext entry;
    entry.shared = shared;
    entry.typeBit = TypeBit(out.type);
    entry.kind = kind;
    ReadDescribed(reader, value, path, out, &entry);
}

}  // namespace pellucid::standalone
