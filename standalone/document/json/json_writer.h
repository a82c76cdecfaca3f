// Building JSON text in memory: objects and arrays one element per line with two-space indents,
// short arrays of numbers ("inline" arrays) on one line. Floats are written in the shortest form
// that reads back to the same float; NaN and infinities as the strings "NaN", "Infinity" and
// "-Infinity". The writer knows where it is, for messages: CurrentPointer().
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/point3.h"

namespace pellucid::standalone {

// A value that JSON cannot hold as asked: `pointer` says where (RFC 6901).
class JsonWriteError : public std::runtime_error {
  public:
    JsonWriteError(std::string pointer, const std::string& message)
        : std::runtime_error(message), pointer_(std::move(pointer)) {}
    const std::string& Pointer() const { return pointer_; }

  private:
    std::string pointer_;
};

class JsonWriter {
  public:
    // Containers nested more deeply than `maxDepth` are refused (JsonWriteError), so that every
    // text written can be read back.
    explicit JsonWriter(std::size_t maxDepth) : maxDepth_(maxDepth) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // An array written on one line, for short lists of numbers.
    void BeginInlineArray();
    void EndInlineArray() { EndArray(); }

    // The next value is field `key` of the current object.
    void Key(std::string_view key);

    // Refuses text that is not valid UTF-8, which no reader would accept.
    void String(std::string_view text);
    void Float(float value);
    void Int(std::int64_t value);
    void Bool(bool value);
    void Null();

    // A whole field of the current object: its key, then its value.
    void StringField(std::string_view key, std::string_view text);
    void IntField(std::string_view key, std::int64_t value);
    void BoolField(std::string_view key, bool value);

    void Floats(std::span<const float> values);
    // An inline array of the integers in `values` (any range of integers).
    template <typename Integers>
    void Ints(const Integers& values) {
        BeginInlineArray();
        for (const auto value : values) {
            Int(value);
        }
        EndInlineArray();
    }
    void Point(const Point3& p);

    // The pointer of the value about to be written (or of the container just opened).
    std::string CurrentPointer() const;
    [[noreturn]] void Fail(const std::string& message) const;

    std::string& Text() { return out_; }

  private:
    struct Frame {
        bool object = false;
        bool inlineArray = false;
        std::size_t count = 0;  // elements or fields written so far
        std::string key;        // object: the key of the field being written
    };

    // Separator and indentation before a value (or before a key in an object).
    void BeforeValue();
    void Open(char bracket, bool object, bool inlineArray);
    void Close(char bracket);
    void Newline(std::size_t depth);

    std::string out_;
    std::vector<Frame> frames_;
    std::size_t depth_ = 0;  // frames in use; frames_ keeps its strings for reuse
    std::size_t maxDepth_;
    bool afterKey_ = false;
};

// Appends the shortest text of `value` that reads back (through double) to the same float;
// -0 is written "-0.0" so that its sign survives. NaN and infinities are not numbers in JSON and
// are left to the caller.
void AppendShortestFloat(std::string& out, float value);

}  // namespace pellucid::standalone
