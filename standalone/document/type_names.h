// How documents spell the kinds of their entries and values: one table per enumeration, which
// the reader looks names up in and the writer writes from.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "standalone/document/scene_document.h"

namespace pellucid::standalone {

template <typename Enum>
struct TypeName {
    std::string_view name;
    Enum value;
};

inline constexpr TypeName<doc::ObjectType> kObjectTypeNames[] = {
    {"mesh", doc::ObjectType::Mesh},      {"sphere", doc::ObjectType::Sphere},
    {"box", doc::ObjectType::Box},        {"bone", doc::ObjectType::Bone},
    {"dummy", doc::ObjectType::Dummy},    {"light", doc::ObjectType::Light},
    {"camera", doc::ObjectType::Camera},  {"shape", doc::ObjectType::Shape},
    {"CollBox", doc::ObjectType::CollBox}};

inline constexpr TypeName<doc::ModifierType> kModifierTypeNames[] = {
    {"physique", doc::ModifierType::Physique},
    {"morpher", doc::ModifierType::Morpher},
    {"GameInfluence", doc::ModifierType::GameInfluence},
    {"ZUTMorph", doc::ModifierType::ZUTMorph},
    {"inert", doc::ModifierType::Inert}};

inline constexpr TypeName<doc::MaterialType> kMaterialTypeNames[] = {
    {"standard", doc::MaterialType::Standard},
    {"multi", doc::MaterialType::Multi},
    {"other", doc::MaterialType::Other}};

inline constexpr TypeName<doc::MapType> kMapTypeNames[] = {
    {"bitmap", doc::MapType::Bitmap},
    {"rgbMultiply", doc::MapType::RGBMultiply},
    {"mask", doc::MapType::Mask},
    {"other", doc::MapType::Other}};

inline constexpr TypeName<doc::TransparencyType> kTransparencyTypeNames[] = {
    {"filter", doc::TransparencyType::Filter},
    {"subtractive", doc::TransparencyType::Subtractive},
    {"additive", doc::TransparencyType::Additive}};

inline constexpr TypeName<doc::ControllerKind> kControllerKindNames[] = {
    {"bezier", doc::ControllerKind::Bezier},
    {"linear", doc::ControllerKind::Linear},
    {"tcb", doc::ControllerKind::Tcb},
    {"procedural", doc::ControllerKind::Procedural}};

// A float track's interpolation: "step" sets `FloatTrack::step`, "linear" leaves it clear.
inline constexpr TypeName<bool> kInterpolationNames[] = {{"linear", false}, {"step", true}};

// The entry named `name`, or null.
template <typename Enum, std::size_t N>
const TypeName<Enum>* FindTypeName(const TypeName<Enum> (&names)[N], std::string_view name) {
    for (const TypeName<Enum>& entry : names) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

template <typename Enum, std::size_t N>
std::string_view NameOf(const TypeName<Enum> (&names)[N], Enum value) {
    for (const TypeName<Enum>& entry : names) {
        if (entry.value == value) {
            return entry.name;
        }
    }
    return names[0].name;
}

// "a, b or c", each name in `quote` marks, for messages that list what is expected.
template <typename Enum, std::size_t N>
std::string ListOfNames(const TypeName<Enum> (&names)[N], std::string_view quote) {
    std::string list;
    for (std::size_t i = 0; i < N; ++i) {
        list += i == 0 ? "" : i + 1 == N ? " or " : ", ";
        list.append(quote).append(names[i].name).append(quote);
    }
    return list;
}

}  // namespace pellucid::standalone
