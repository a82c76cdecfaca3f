// Writing the structs described in document_fields.h: each field by its kind, or by its member's
// type where the kind is plain; an optional field only when it differs from the struct's default.
#pragma once

#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "standalone/document/document_fields.h"
#include "standalone/document/map_slots.h"
#include "standalone/document/type_names.h"
#include "standalone/document/write/write_context.h"

namespace pellucid::standalone {

// A default-made struct, for "is this field at its default".
template <typename S>
inline const S kDefaultOf{};

inline bool IsDefaultValue(int value, int defaultValue) {
    return value == defaultValue;
}
inline bool IsDefaultValue(bool value, bool defaultValue) {
    return value == defaultValue;
}
inline bool IsDefaultValue(const std::string& value, const std::string& defaultValue) {
    return value == defaultValue;
}
inline bool IsDefaultValue(const doc::Image& value, const doc::Image&) {
    return value.kind == doc::Image::Kind::None;
}
inline bool IsDefaultValue(const doc::Transform& value, const doc::Transform&) {
    return !value.fromParts && SameBits(value.matrix, Matrix3());
}
template <typename T>
bool IsDefaultValue(const std::optional<T>& value, const std::optional<T>&) {
    return !value.has_value();
}
template <typename T>
bool IsDefaultValue(const std::vector<T>& value, const std::vector<T>& defaultValue) {
    return value.empty() && defaultValue.empty();
}
template <typename T>
requires std::is_enum_v<T>
bool IsDefaultValue(T value, T defaultValue) {
    return value == defaultValue;
}
template <typename T>
requires(!std::is_enum_v<T>) bool IsDefaultValue(const T& value, const T& defaultValue) {
    if constexpr (requires { SameBits(value, defaultValue); }) {
        return SameBits(value, defaultValue);
    } else {
        return false;  // a value without a default (a float track) is always written
    }
}

// Whether a field (or group) of `value` holds the struct's default in every member it fills.
template <typename S, typename Field>
bool FieldIsDefault(const Field& field, const S& value) {
    if constexpr (kIsGroup<Field>) {
        bool all = true;
        ForEachField(field.fields, [&](const auto& f) { all = all && FieldIsDefault(f, value); });
        return all;
    } else {
        const S& defaults = kDefaultOf<S>;
        bool same = IsDefaultValue(MemberOf(value, field.member), MemberOf(defaults, field.member));
        if constexpr (requires { field.kind.second; }) {
            same = same && IsDefaultValue(value.*field.kind.second, defaults.*field.kind.second);
        }
        return same;
    }
}

// Whether every field of S holds its default, so that a writer may leave the whole struct out.
template <DescribedDocumentStruct S>
bool AllFieldsDefault(const S& value) {
    bool all = true;
    ForEachField(kFieldsOf<S>, [&](const auto& field) {
        all = all && field.presence == Presence::Optional && FieldIsDefault(field, value);
    });
    return all;
}

template <typename Entry>
void SceneDocumentWriter::WriteReferenceTo(int index) {
    if constexpr (std::is_same_v<Entry, doc::Material>) {
        WriteMaterialReference(index);
    } else if constexpr (std::is_same_v<Entry, doc::Map>) {
        WriteMapReference(index);
    } else if constexpr (std::is_same_v<Entry, doc::Object>) {
        WriteObjectReference(index);
    } else if constexpr (std::is_same_v<Entry, doc::Modifier>) {
        WriteModifierReference(index);
    } else {
        static_assert(std::is_same_v<Entry, doc::Node>);
        WriteNodeReference(index);
    }
}

template <typename M>
void SceneDocumentWriter::WritePlain(const M& value) {
    if constexpr (std::is_same_v<M, int>) {
        json_.Int(value);
    } else if constexpr (std::is_same_v<M, float>) {
        json_.Float(value);
    } else if constexpr (std::is_same_v<M, bool>) {
        json_.Bool(value);
    } else if constexpr (std::is_same_v<M, Point3>) {
        json_.Point(value);
    } else if constexpr (std::is_same_v<M, Quat>) {
        WriteRotation(value);
    } else if constexpr (std::is_same_v<M, Color>) {
        const float rgb[3] = {value.r, value.g, value.b};
        json_.Floats(rgb);
    } else if constexpr (std::is_same_v<M, std::string>) {
        json_.String(value);
    } else if constexpr (requires { value.has_value(); }) {
        WritePlain(*value);
    } else if constexpr (std::is_same_v<M, doc::FloatTrack>) {
        // Before the described structs: a constant track is written as a number.
        WriteFloatTrack(value);
    } else if constexpr (DescribedDocumentStruct<M>) {
        WriteDescribed(value);
    } else if constexpr (std::is_same_v<M, doc::Image>) {
        WriteImage(value);
    } else if constexpr (std::is_same_v<M, doc::Transform>) {
        WriteTransform(value);
    } else if constexpr (std::is_same_v<M, Matrix3>) {
        doc::Transform transform;
        transform.matrix = value;
        WriteTransform(transform);
    } else if constexpr (std::is_same_v<M, std::vector<std::optional<doc::SkinVertex>>>) {
        WriteSkinVertices(value);
    } else if constexpr (std::is_same_v<M, std::vector<std::pair<int, Matrix3>>>) {
        WriteBoneInitialTransforms(value);
    } else if constexpr (std::is_same_v<M, std::vector<Point3>>) {
        json_.BeginArray();
        for (const Point3& point : value) {
            json_.Point(point);
        }
        json_.EndArray();
    } else if constexpr (std::is_same_v<M, std::vector<std::array<std::uint32_t, 3>>>) {
        json_.BeginArray();
        for (const auto& triangle : value) {
            json_.Ints(triangle);
        }
        json_.EndArray();
    } else if constexpr (std::is_same_v<M, std::vector<int>>) {
        json_.Ints(value);
    } else if constexpr (std::is_same_v<M, std::vector<float>>) {
        json_.Floats(value);
    } else {
        json_.BeginArray();
        for (const auto& item : value) {
            WriteDescribed(item);
        }
        json_.EndArray();
    }
}

template <typename S, typename M, typename Kind, typename Access>
void SceneDocumentWriter::WriteFieldValue(const DocumentField<S, M, Kind, Access>& field,
                                          const S& value) {
    const M& member = MemberOf(value, field.member);
    if constexpr (std::is_same_v<Kind, field_kind::Plain> ||
                  std::is_same_v<Kind, field_kind::Integer>) {
        WritePlain(member);
    } else if constexpr (requires { Kind::names; }) {
        json_.String(NameOf(Kind::names, member));
    } else if constexpr (std::is_same_v<Kind, field_kind::TimeRange<S>> ||
                         std::is_same_v<Kind, field_kind::FlagPair<S>>) {
        json_.BeginInlineArray();
        json_.Int(member);
        json_.Int(value.*field.kind.second);
        json_.EndInlineArray();
    } else if constexpr (std::is_same_v<Kind, field_kind::FloatPair<S>>) {
        const float pair[2] = {member, value.*field.kind.second};
        json_.Floats(pair);
    } else if constexpr (std::is_same_v<Kind, field_kind::Words>) {
        json_.Ints(member);
    } else if constexpr (std::is_same_v<Kind, field_kind::Keys>) {
        json_.BeginArray();
        for (std::size_t i = 0; i < member.size(); ++i) {
            if (i > 0 && member[i].time <= member[i - 1].time) {
                json_.Fail("keys out of time order, which readers refuse");
            }
            WriteDescribed(member[i]);
        }
        json_.EndArray();
    } else if constexpr (requires { field.kind.hasW; }) {
        const bool hasW = MemberOf(value, field.kind.hasW);
        json_.BeginArray();
        for (const Point3& uv : member) {
            json_.BeginInlineArray();
            json_.Float(uv.x);
            json_.Float(uv.y);
            if (hasW) {
                json_.Float(uv.z);
            }
            json_.EndInlineArray();
        }
        json_.EndArray();
    } else if constexpr (std::is_same_v<Kind, field_kind::MapAt>) {
        WriteMapReference(member.size() > field.kind.index ? member[field.kind.index] : -1);
    } else if constexpr (std::is_same_v<Kind, field_kind::MapList>) {
        json_.BeginArray();
        for (int index : member) {
            WriteMapReference(index);
        }
        json_.EndArray();
    } else if constexpr (std::is_same_v<Kind, field_kind::MapSlot>) {
        if (member < 0 || member >= kMapSlotCount) {
            json_.Fail("map slot out of range");
        }
        json_.String(MapSlotName(member));
    } else if constexpr (std::is_same_v<Kind, field_kind::EntryId> ||
                         std::is_same_v<Kind, field_kind::Tree>) {
        // not written from the table (WriteFieldTuple)
    } else if constexpr (std::is_same_v<M, std::vector<int>>) {
        json_.BeginArray();
        for (int index : member) {
            WriteReferenceTo<typename Kind::Entry>(index);
        }
        json_.EndArray();
    } else {
        WriteReferenceTo<typename Kind::Entry>(member);
    }
}

template <typename S, typename Fields>
void SceneDocumentWriter::WriteFieldTuple(const S& value, const Fields& fields,
                                          std::uint32_t typeBit) {
    ForEachField(fields, [&](const auto& field) {
        using Field = std::decay_t<decltype(field)>;
        if constexpr (!kIsGroup<Field>) {
            using Kind = std::decay_t<decltype(field.kind)>;
            if constexpr (std::is_same_v<Kind, field_kind::EntryId> ||
                          std::is_same_v<Kind, field_kind::Tree>) {
                return;  // written by WriteEntry, which may make one up, or with the node tree
            }
        }
        if ((field.types & typeBit) == 0 ||
            (field.presence == Presence::Optional && FieldIsDefault(field, value))) {
            return;
        }
        json_.Key(field.name);
        if constexpr (kIsGroup<Field>) {
            json_.BeginObject();
            WriteFieldTuple(value, field.fields, kEveryType);
            json_.EndObject();
        } else {
            WriteFieldValue(field, value);
        }
    });
}

template <typename S>
void SceneDocumentWriter::WriteDescribed(const S& value, std::uint32_t typeBit) {
    json_.BeginObject();
    WriteFieldTuple(value, kFieldsOf<S>, typeBit);
    json_.EndObject();
}

}  // namespace pellucid::standalone
