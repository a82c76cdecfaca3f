// Locating the first syntax error of a JSON text, for the message of a document that the JSON
// parser refused (the parser says what went wrong but not where).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pellucid::standalone {

struct JsonSyntaxError {
    std::size_t offset = 0;  // byte offset of the offending character
    std::string message;     // "expected ',' or ']'"
};

// The first place where `text` stops being one JSON value nested at most `maxDepth` levels deep
// (with the parser's rules: strict UTF-8, 64-bit integers, finite numbers), or nullopt when the
// text is valid.
std::optional<JsonSyntaxError> FindJsonSyntaxError(std::string_view text, std::size_t maxDepth);

struct TextPosition {
    std::size_t line = 1;    // 1-based
    std::size_t column = 1;  // 1-based, in bytes
};
TextPosition PositionOfOffset(std::string_view text, std::size_t offset);

}  // namespace pellucid::standalone
