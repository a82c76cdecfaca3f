#include "document_equality.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <tuple>
#include <type_traits>

#include <fmt/format.h>

#include "standalone/document/document_fields.h"

namespace pellucid::standalone::test {

namespace {

// One member of a document struct, by name.
template <typename S, typename M>
struct Member {
    const char* name;
    M S::*pointer;
};
template <typename S, typename M>
Member(const char*, M S::*) -> Member<S, M>;

// Every member of the value types that the document's field tables do not describe (points,
// transforms, images, the document itself), one table per type. The described structs compare by
// their field tables (document_fields.h), and by the members listed here that a table leaves out.
constexpr auto MembersOf(const Point3*) {
    return std::tuple{Member{"x", &Point3::x}, Member{"y", &Point3::y}, Member{"z", &Point3::z}};
}
constexpr auto MembersOf(const Color*) {
    return std::tuple{Member{"r", &Color::r}, Member{"g", &Color::g}, Member{"b", &Color::b}};
}
constexpr auto MembersOf(const Quat*) {
    return std::tuple{Member{"x", &Quat::x}, Member{"y", &Quat::y}, Member{"z", &Quat::z},
                      Member{"w", &Quat::w}};
}
constexpr auto MembersOf(const doc::Transform*) {
    using T = doc::Transform;
    return std::tuple{Member{"matrix", &T::matrix}, Member{"fromParts", &T::fromParts},
                      Member{"position", &T::position}, Member{"rotation", &T::rotation},
                      Member{"scale", &T::scale}};
}
// A float track's table leaves out the flag of its number form.
constexpr auto MembersOf(const doc::FloatTrack*) {
    return std::tuple{Member{"constant", &doc::FloatTrack::constant}};
}
constexpr auto MembersOf(const doc::SkinVertex*) {
    using T = doc::SkinVertex;
    return std::tuple{Member{"bones", &T::bones}, Member{"weights", &T::weights},
                      Member{"type", &T::type}};
}
constexpr auto MembersOf(const doc::Image*) {
    using T = doc::Image;
    return std::tuple{Member{"kind", &T::kind},
                      Member{"path", &T::path},
                      Member{"fileMissing", &T::fileMissing},
                      Member{"width", &T::width},
                      Member{"height", &T::height},
                      Member{"fill", &T::fill},
                      Member{"pixels", &T::pixels}};
}
constexpr auto MembersOf(const doc::Document*) {
    using T = doc::Document;
    return std::tuple{
        Member{"settings", &T::settings},   Member{"materials", &T::materials},
        Member{"maps", &T::maps},           Member{"objects", &T::objects},
        Member{"modifiers", &T::modifiers}, Member{"nodes", &T::nodes},
        Member{"rootNodes", &T::rootNodes}, Member{"baseDirectory", &T::baseDirectory}};
}

template <typename T>
concept Described = requires {
    MembersOf(static_cast<const T*>(nullptr));
};

// Walks both values side by side and keeps the first difference.
class Comparer {
  public:
    explicit Comparer(bool compareBaseDirectory) : compareBaseDirectory_(compareBaseDirectory) {}

    std::string difference;

    template <typename T>
    void Same(const std::string& path, const T& a, const T& b) {
        if (!difference.empty()) {
            return;
        }
        if constexpr (DescribedDocumentStruct<T>) {
            // The structs whose fields the reader and writer take from a table compare by it.
            ForEachDescribedMember<T>([&](std::string_view name, auto access) {
                SameMember(path, name, MemberOf(a, access), MemberOf(b, access));
            });
            if constexpr (Described<T>) {
                SameListed(path, a, b);
            }
        } else if constexpr (Described<T>) {
            SameListed(path, a, b);
        } else if constexpr (std::is_enum_v<T>) {
            Same(path, static_cast<int>(a), static_cast<int>(b));
        } else if constexpr (std::is_same_v<T, float>) {
            const bool equal = (std::isnan(a) && std::isnan(b)) ||
                               std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
            if (!equal) {
                difference = fmt::format("{}: {} != {}", path, a, b);
            }
        } else if (!(a == b)) {
            difference = fmt::format("{}: {} != {}", path, Show(a), Show(b));
        }
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

  private:
    template <typename T>
    void SameListed(const std::string& path, const T& a, const T& b) {
        std::apply(
            [&](const auto&... member) {
                (SameMember(path, member.name, a.*member.pointer, b.*member.pointer), ...);
            },
            MembersOf(static_cast<const T*>(nullptr)));
    }

    template <typename M>
    void SameMember(const std::string& path, std::string_view name, const M& a, const M& b) {
        if (path.empty() && name == "baseDirectory" && !compareBaseDirectory_) {
            return;
        }
        const std::string memberPath =
            path.empty() ? std::string(name) : path + "." + std::string(name);
        Same(memberPath, a, b);
    }

    template <typename T>
    static std::string Show(const T& value) {
        if constexpr (std::is_arithmetic_v<T> || std::is_same_v<T, std::string>) {
            return fmt::format("{}", value);
        } else {
            return "(differs)";
        }
    }

    bool compareBaseDirectory_;
};

}  // namespace

std::string DescribeDocumentDifference(const doc::Document& a, const doc::Document& b,
                                       bool compareBaseDirectory) {
    Comparer c(compareBaseDirectory);
    c.Same("", a, b);
    return c.difference;
}

}  // namespace pellucid::standalone::test
