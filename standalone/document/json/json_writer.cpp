#include "standalone/document/json/json_writer.h"

#include <charconv>
#include <cmath>

#include <fmt/format.h>
#include <simdjson.h>

#include "standalone/document/json/json_path.h"

namespace pellucid::standalone {

namespace {

// The parser's own check, so that the writer refuses exactly the text that readers would.
bool IsValidUtf8(std::string_view text) {
    return simdjson::validate_utf8(text.data(), text.size());
}

void AppendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    out += fmt::format("\\u{:04x}", static_cast<unsigned>(c));
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

}  // namespace

void AppendShortestFloat(std::string& out, float value) {
    if (value == 0.0f && std::signbit(value)) {
        out += "-0.0";
        return;
    }
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    // Readers parse numbers as doubles; make sure the double rounds back to this float.
    double parsed = 0.0;
    std::from_chars(buffer, result.ptr, parsed);
    if (static_cast<float>(parsed) != value) {
        result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value));
    }
    out.append(buffer, result.ptr);
}

void JsonWriter::Newline(std::size_t depth) {
    out_ += '\n';
    out_.append(2 * depth, ' ');
}

void JsonWriter::BeforeValue() {
    if (depth_ == 0) {
        return;
    }
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    Frame& frame = frames_[depth_ - 1];
    if (frame.count > 0) {
        out_ += ',';
    }
    if (!frame.inlineArray) {
        Newline(depth_);
    }
    ++frame.count;
}

void JsonWriter::Open(char bracket, bool object, bool inlineArray) {
    if (depth_ == maxDepth_) {
        Fail(fmt::format("nested more deeply than {} levels, which readers refuse", maxDepth_));
    }
    BeforeValue();
    if (frames_.size() == depth_) {
        frames_.emplace_back();
    }
    Frame& frame = frames_[depth_];
    frame.object = object;
    frame.inlineArray = inlineArray;
    frame.count = 0;
    frame.key.clear();
    ++depth_;
    out_ += bracket;
}

void JsonWriter::Close(char bracket) {
    const Frame& frame = frames_[depth_ - 1];
    if (!frame.inlineArray && frame.count > 0) {
        Newline(depth_ - 1);
    }
    out_ += bracket;
    --depth_;
}

void JsonWriter::BeginObject() {
    Open('{', true, false);
}
void JsonWriter::EndObject() {
    Close('}');
}
void JsonWriter::BeginArray() {
    Open('[', false, false);
}
void JsonWriter::EndArray() {
    Close(']');
}
void JsonWriter::BeginInlineArray() {
    Open('[', false, true);
}

void JsonWriter::Key(std::string_view key) {
    Frame& frame = frames_[depth_ - 1];
    frame.key.assign(key);
    if (!IsValidUtf8(key)) {
        Fail("a field name is not valid UTF-8 text");
    }
    if (frame.count > 0) {
        out_ += ',';
    }
    Newline(depth_);
    ++frame.count;
    AppendQuoted(out_, key);
    out_ += ": ";
    afterKey_ = true;
}

void JsonWriter::String(std::string_view text) {
    if (!IsValidUtf8(text)) {
        Fail("text that is not valid UTF-8");
    }
    BeforeValue();
    AppendQuoted(out_, text);
}

void JsonWriter::Float(float value) {
    BeforeValue();
    if (std::isnan(value)) {
        out_ += "\"NaN\"";
    } else if (std::isinf(value)) {
        out_ += value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
    } else {
        AppendShortestFloat(out_, value);
    }
}

void JsonWriter::Int(std::int64_t value) {
    BeforeValue();
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    out_ += "null";
}

void JsonWriter::StringField(std::string_view key, std::string_view text) {
    Key(key);
    String(text);
}

void JsonWriter::IntField(std::string_view key, std::int64_t value) {
    Key(key);
    Int(value);
}

void JsonWriter::BoolField(std::string_view key, bool value) {
    Key(key);
    Bool(value);
}

void JsonWriter::Floats(std::span<const float> values) {
    BeginInlineArray();
    for (float v : values) {
        Float(v);
    }
    EndInlineArray();
}

void JsonWriter::Point(const Point3& p) {
    const float xyz[3] = {p.x, p.y, p.z};
    Floats(xyz);
}

std::string JsonWriter::CurrentPointer() const {
    std::string pointer;
    for (std::size_t i = 0; i < depth_; ++i) {
        const Frame& frame = frames_[i];
        const bool innermost = i + 1 == depth_;
        if (frame.object) {
            if (innermost && !afterKey_) {
                break;
            }
            pointer += '/';
            AppendPointerToken(pointer, frame.key);
        } else {
            // The innermost array's next element, or the element that holds the next frame.
            const std::size_t index = innermost ? frame.count : frame.count - 1;
            pointer += '/';
            pointer += std::to_string(index);
        }
    }
    return pointer;
}

void JsonWriter::Fail(const std::string& message) const {
    throw JsonWriteError(CurrentPointer(), message);
}

}  // namespace pellucid::standalone
