// Checked reading of JSON values from a parsed document: every accessor either returns the value
// or throws DocumentError naming the file, the JSON pointer and what was expected.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include <simdjson.h>

#include "host/point3.h"
#include "standalone/document/json/json_path.h"

namespace pellucid::standalone {

using JsonElement = simdjson::dom::element;

class JsonReader {
  public:
    explicit JsonReader(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& FileName() const { return fileName_; }

    // Throws DocumentError "<file>: <pointer>: <message>"; the whole document shows as "/".
    [[noreturn]] void Fail(const JsonPath& path, std::string_view message) const;

    simdjson::dom::object Object(JsonElement value, const JsonPath& path) const;
    simdjson::dom::array Array(JsonElement value, const JsonPath& path) const;
    std::string_view String(JsonElement value, const JsonPath& path) const;
    bool Bool(JsonElement value, const JsonPath& path) const;
    // A number, or one of the strings "NaN", "Infinity", "-Infinity"; finite numbers must fit
    // the 32-bit float range.
    float Float(JsonElement value, const JsonPath& path) const;
    // An integer (no fraction or exponent) from `min` to `max`.
    std::int64_t Integer(JsonElement value, const JsonPath& path, std::int64_t min,
                         std::int64_t max) const;
    int Int(JsonElement value, const JsonPath& path) const;  // the 32-bit range
    // An array of exactly `out.size()` floats.
    void Floats(JsonElement value, const JsonPath& path, std::span<float> out) const;
    Point3 Point(JsonElement value, const JsonPath& path) const;

    // Calls visit(index, item, itemPath) for each element of an array.
    template <typename Visit>
    void ForEachItem(JsonElement value, const JsonPath& path, Visit&& visit) const {
        std::size_t index = 0;
        for (JsonElement item : Array(value, path)) {
            const JsonPath itemPath = path.Item(index);
            visit(index, item, itemPath);
            ++index;
        }
    }

    // Calls visit(fieldIndex, value, fieldPath) for each field of an object, where fieldIndex is
    // the position of the field's name in `names`; refuses unknown and repeated fields. Returns
    // the set of fields seen, bit i for names[i].
    template <typename Visit>
    std::uint64_t ForEachField(JsonElement value, const JsonPath& path,
                               std::span<const std::string_view> names, Visit&& visit) const {
        std::uint64_t seen = 0;
        for (simdjson::dom::key_value_pair field : Object(value, path)) {
            const JsonPath fieldPath = path.Field(field.key);
            const int index = FieldIndex(names, field.key, seen, fieldPath);
            visit(index, field.value, fieldPath);
        }
        return seen;
    }
    // Refuses an object that lacks names[index].
    void Require(std::uint64_t seen, std::span<const std::string_view> names, int index,
                 const JsonPath& path) const;

    // Finds field `name` of an object; false when the value is not an object or lacks it.
    static bool FindField(JsonElement object, std::string_view name, JsonElement& value);
    // The string of field `name`, which the object must have ("type" of an entry).
    std::string_view RequiredString(JsonElement object, const JsonPath& path,
                                    std::string_view name) const;
    // Refuses a field that the object's kind does not take: "unknown field "radius" for ...".
    void CheckFieldTaken(bool takes, const JsonPath& fieldPath, std::string_view name,
                         std::string_view kind) const;

  private:
    int FieldIndex(std::span<const std::string_view> names, std::string_view key,
                   std::uint64_t& seen, const JsonPath& fieldPath) const;

    std::string fileName_;
};

// "an object", "a string", ... for messages.
std::string_view DescribeJsonType(JsonElement value);

}  // namespace pellucid::standalone
