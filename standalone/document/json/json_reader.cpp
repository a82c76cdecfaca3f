#include "standalone/document/json/json_reader.h"

#include <cmath>
#include <limits>

#include <fmt/format.h>

#include "standalone/document/json/nearest_name.h"
#include "standalone/document/scene_document_io.h"

namespace pellucid::standalone {

using simdjson::dom::element_type;

std::string_view DescribeJsonType(JsonElement value) {
    switch (value.type()) {
        case element_type::ARRAY:
            return "an array";
        case element_type::OBJECT:
            return "an object";
        case element_type::INT64:
        case element_type::UINT64:
        case element_type::DOUBLE:
            return "a number";
        case element_type::STRING:
            return "a string";
        case element_type::BOOL:
            return "a boolean";
        case element_type::NULL_VALUE:
            return "null";
    }
    return "a value";
}

void JsonReader::Fail(const JsonPath& path, std::string_view message) const {
    std::string pointer = path.Pointer();
    if (pointer.empty()) {
        pointer.push_back('/');
    }
    // Keys and names come from the document and may hold line breaks: keep the message one line.
    std::string line;
    for (char c : fmt::format("{}: {}: {}", fileName_, pointer, message)) {
        if (static_cast<unsigned char>(c) < 0x20) {
            line += fmt::format("\\u{:04x}", static_cast<unsigned>(c));
        } else {
            line += c;
        }
    }
    throw DocumentError(line);
}

simdjson::dom::object JsonReader::Object(JsonElement value, const JsonPath& path) const {
    if (value.type() != element_type::OBJECT) {
        Fail(path, fmt::format("expected an object, found {}", DescribeJsonType(value)));
    }
    return value.get_object().value_unsafe();
}

simdjson::dom::array JsonReader::Array(JsonElement value, const JsonPath& path) const {
    if (value.type() != element_type::ARRAY) {
        Fail(path, fmt::format("expected an array, found {}", DescribeJsonType(value)));
    }
    return value.get_array().value_unsafe();
}

std::string_view JsonReader::String(JsonElement value, const JsonPath& path) const {
    if (value.type() != element_type::STRING) {
        Fail(path, fmt::format("expected a string, found {}", DescribeJsonType(value)));
    }
    return value.get_string().value_unsafe();
}

bool JsonReader::Bool(JsonElement value, const JsonPath& path) const {
    if (value.type() != element_type::BOOL) {
        Fail(path, fmt::format("expected true or false, found {}", DescribeJsonType(value)));
    }
    return value.get_bool().value_unsafe();
}

float JsonReader::Float(JsonElement value, const JsonPath& path) const {
    switch (value.type()) {
        case element_type::INT64:
            return static_cast<float>(value.get_int64().value_unsafe());
        case element_type::UINT64:
            return static_cast<float>(value.get_uint64().value_unsafe());
        case element_type::DOUBLE: {
            const double d = value.get_double().value_unsafe();
            // Doubles from here on round to infinity as floats.
            constexpr double kFloatOverflow = 340282356779733661637539395458142568448.0;
            if (std::fabs(d) >= kFloatOverflow) {
                Fail(path, "number out of the 32-bit float range");
            }
            return static_cast<float>(d);
        }
        case element_type::STRING: {
            const std::string_view s = value.get_string().value_unsafe();
            if (s == "NaN") {
                return std::numeric_limits<float>::quiet_NaN();
            }
            if (s == "Infinity") {
                return std::numeric_limits<float>::infinity();
            }
            if (s == "-Infinity") {
                return -std::numeric_limits<float>::infinity();
            }
            Fail(path, "expected a number (or \"NaN\", \"Infinity\", \"-Infinity\")");
        }
        default:
            Fail(path, fmt::format("expected a number, found {}", DescribeJsonType(value)));
    }
}

std::int64_t JsonReader::Integer(JsonElement value, const JsonPath& path, std::int64_t min,
                                 std::int64_t max) const {
    bool inRange = false;
    std::int64_t result = 0;
    if (value.type() == element_type::INT64) {
        result = value.get_int64().value_unsafe();
        inRange = result >= min && result <= max;
    } else if (value.type() == element_type::UINT64) {
        // Only integers beyond the signed range are stored unsigned.
        inRange = false;
    } else {
        Fail(path, fmt::format("expected an integer, found {}", DescribeJsonType(value)));
    }
    if (!inRange) {
        Fail(path, fmt::format("expected an integer from {} to {}", min, max));
    }
    return result;
}

int JsonReader::Int(JsonElement value, const JsonPath& path) const {
    return static_cast<int>(
        Integer(value, path, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void JsonReader::Floats(JsonElement value, const JsonPath& path, std::span<float> out) const {
    const simdjson::dom::array array = Array(value, path);
    std::size_t index = 0;
    for (JsonElement item : array) {
        if (index == out.size()) {
            break;
        }
        out[index] = Float(item, path.Item(index));
        ++index;
    }
    if (index != out.size() || array.size() != out.size()) {
        Fail(path, fmt::format("expected an array of {} numbers", out.size()));
    }
}

Point3 JsonReader::Point(JsonElement value, const JsonPath& path) const {
    float xyz[3];
    Floats(value, path, xyz);
    return Point3(xyz[0], xyz[1], xyz[2]);
}

int JsonReader::FieldIndex(std::span<const std::string_view> names, std::string_view key,
                           std::uint64_t& seen, const JsonPath& fieldPath) const {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == key) {
            const std::uint64_t bit = std::uint64_t{1} << i;
            if ((seen & bit) != 0) {
                Fail(fieldPath, fmt::format("field \"{}\" given twice", key));
            }
            seen |= bit;
            return static_cast<int>(i);
        }
    }
    NearestName nearest(key);
    nearest.OfferAll(names);
    Fail(fieldPath, fmt::format("unknown field \"{}\"{}", key, nearest.Hint()));
}

void JsonReader::Require(std::uint64_t seen, std::span<const std::string_view> names, int index,
                         const JsonPath& path) const {
    if ((seen & (std::uint64_t{1} << index)) == 0) {
        Fail(path, fmt::format("missing required field \"{}\"", names[index]));
    }
}

bool JsonReader::FindField(JsonElement object, std::string_view name, JsonElement& value) {
    if (object.type() != element_type::OBJECT) {
        return false;
    }
    const simdjson::dom::object fields = object.get_object().value_unsafe();
    for (simdjson::dom::key_value_pair field : fields) {
        if (field.key == name) {
            value = field.value;
            return true;
        }
    }
    return false;
}

std::string_view JsonReader::RequiredString(JsonElement object, const JsonPath& path,
                                            std::string_view name) const {
    Object(object, path);
    JsonElement value;
    if (!FindField(object, name, value)) {
        Fail(path, fmt::format("missing required field \"{}\"", name));
    }
    return String(value, path.Field(name));
}

void JsonReader::CheckFieldTaken(bool takes, const JsonPath& fieldPath, std::string_view name,
                                 std::string_view kind) const {
    if (!takes) {
        Fail(fieldPath, fmt::format("unknown field \"{}\" for {}", name, kind));
    }
}

}  // namespace pellucid::standalone
