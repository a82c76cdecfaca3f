// A location inside a JSON document, kept as a chain of links on the caller's stack so that
// walking a large document builds no strings; the RFC 6901 pointer is made only when needed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pellucid::standalone {

class JsonPath {
  public:
    // The whole document.
    JsonPath() = default;

    // The value of field `key` of the object at this path; `key` must outlive the result.
    JsonPath Field(std::string_view key) const { return JsonPath(this, key, kNoIndex); }
    // Element `index` of the array at this path.
    JsonPath Item(std::size_t index) const { return JsonPath(this, {}, index); }

    // The RFC 6901 pointer ("/nodes/3/name"); the whole document is "".
    std::string Pointer() const;

  private:
    static constexpr std::size_t kNoIndex = static_cast<std::size_t>(-1);

    JsonPath(const JsonPath* parent, std::string_view key, std::size_t index)
        : parent_(parent), key_(key), index_(index) {}

    const JsonPath* parent_ = nullptr;
    std::string_view key_;
    std::size_t index_ = kNoIndex;
};

// One pointer token with "~" and "/" escaped as RFC 6901 asks.
void AppendPointerToken(std::string& out, std::string_view token);

}  // namespace pellucid::standalone
