// The fields of document structs, described once: the JSON name, the member it fills and whether
// a document must give it. The reader, the writer and the tests' comparison of documents all walk
// these tables, so a new field of a described struct is one line here. How a member is read and
// written follows from its type (an int is a time, a Point3 a point, a Quat a rotation, a float a
// number, a std::string a string); an optional field is written only when it differs from the
// struct's default.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <tuple>
#include <utility>

#include "standalone/document/scene_document.h"

namespace pellucid::standalone {

template <typename S, typename M>
struct DocumentField {
    std::string_view name;
    M S::*member;
    bool required = false;
};
template <typename S, typename M>
DocumentField(std::string_view, M S::*, bool) -> DocumentField<S, M>;

constexpr auto FieldsOf(const doc::Drive*) {
    using T = doc::Drive;
    return std::tuple{DocumentField{"root", &T::root, true},
                      DocumentField{"universalName", &T::universalName, false}};
}

// A node's pivot: the offset of its object from the node, each part optional.
constexpr auto FieldsOf(const doc::Pivot*) {
    using T = doc::Pivot;
    return std::tuple{DocumentField{"position", &T::position, false},
                      DocumentField{"rotation", &T::rotation, false},
                      DocumentField{"scale", &T::scale, false}};
}

// Keys of controllers and float tracks: every key has its time and value.
constexpr auto FieldsOf(const doc::PositionKey*) {
    using T = doc::PositionKey;
    return std::tuple{DocumentField{"time", &T::time, true},
                      DocumentField{"value", &T::value, true},
                      DocumentField{"inTangent", &T::inTangent, false},
                      DocumentField{"outTangent", &T::outTangent, false}};
}
constexpr auto FieldsOf(const doc::RotationKey*) {
    using T = doc::RotationKey;
    return std::tuple{DocumentField{"time", &T::time, true},
                      DocumentField{"value", &T::value, true}};
}
constexpr auto FieldsOf(const doc::ScaleKey*) {
    using T = doc::ScaleKey;
    return std::tuple{DocumentField{"time", &T::time, true},
                      DocumentField{"value", &T::value, true}};
}
constexpr auto FieldsOf(const doc::FloatKey*) {
    using T = doc::FloatKey;
    return std::tuple{DocumentField{"time", &T::time, true},
                      DocumentField{"value", &T::value, true}};
}

template <typename S>
concept DescribedDocumentStruct = requires {
    FieldsOf(static_cast<const S*>(nullptr));
};

template <DescribedDocumentStruct S>
inline constexpr auto kFieldsOf = FieldsOf(static_cast<const S*>(nullptr));

// The JSON names of a described struct's fields, in table order.
template <DescribedDocumentStruct S>
inline constexpr auto kFieldNamesOf = std::apply(
    [](const auto&... field) {
        return std::array<std::string_view, sizeof...(field)>{field.name...};
    },
    kFieldsOf<S>);

// Calls visit(field) for field `index` of the table of S.
template <DescribedDocumentStruct S, typename Visit>
void VisitField(std::size_t index, Visit&& visit) {
    std::apply(
        [&](const auto&... field) {
            std::size_t i = 0;
            ((i++ == index ? visit(field) : void()), ...);
        },
        kFieldsOf<S>);
}

// Calls visit(field) for every field of the table of S, in order.
template <DescribedDocumentStruct S, typename Visit>
void ForEachDocumentField(Visit&& visit) {
    std::apply([&](const auto&... field) { (visit(field), ...); }, kFieldsOf<S>);
}

}  // namespace pellucid::standalone
