// Reading the structs described in document_fields.h: each field by its member's type.
#pragma once

#include <string>
#include <type_traits>

#include "standalone/document/document_fields.h"
#include "standalone/document/read/read_context.h"

namespace pellucid::standalone {

// One value of a described struct, read by the type of its member.
template <typename M>
void ReadMember(const SceneDocumentReader& reader, JsonElement value, const JsonPath& path,
                M& out) {
    if constexpr (std::is_same_v<M, int>) {
        out = reader.ReadTime(value, path);
    } else if constexpr (std::is_same_v<M, float>) {
        out = reader.Float(value, path);
    } else if constexpr (std::is_same_v<M, Point3>) {
        out = reader.Point(value, path);
    } else if constexpr (std::is_same_v<M, Quat>) {
        out = reader.ReadRotation(value, path);
    } else {
        static_assert(std::is_same_v<M, std::string>);
        out = reader.String(value, path);
    }
}

// An object into a described struct: its fields by the struct's table, the required ones
// refused when missing.
template <DescribedDocumentStruct S>
void ReadDescribed(const SceneDocumentReader& reader, JsonElement value, const JsonPath& path,
                   S& out) {
    constexpr const auto& names = kFieldNamesOf<S>;
    const std::uint64_t seen =
        reader.ForEachField(value, path, names, [&](int index, JsonElement v, const JsonPath& p) {
            VisitField<S>(static_cast<std::size_t>(index),
                          [&](const auto& field) { ReadMember(reader, v, p, out.*field.member); });
        });
    int index = 0;
    ForEachDocumentField<S>([&](const auto& field) {
        if (field.required) {
            reader.Require(seen, names, index, path);
        }
        ++index;
    });
}

}  // namespace pellucid::standalone
