// One script line built in memory and handed to the stream in one piece: the command, the
// arguments joined by ",", then ");" and the line end. Numbers take the stream's float format and
// points its floatOutputMode, through the same number writer as the stream, so a line reads
// exactly as if its parts had been streamed one by one; the sections with a line per vertex, face
// or normal use it for speed.
#pragma once

#include <string>
#include <string_view>

#include "host/point3.h"
#include "host/text_stream.h"

class ScriptLine {
  public:
    explicit ScriptLine(TextStream& out) : out_(out) {}

    // Starts a new line with its command, such as "Vertex(".
    ScriptLine& Start(std::string_view command);
    ScriptLine& Int(long long value);
    ScriptLine& Float(double value);
    // Three values as WritePoint writes them.
    ScriptLine& Point(const Point3& p);
    // Three values as WriteColor writes them.
    ScriptLine& Colour(const Point3& c);
    ScriptLine& Colour(const Color& c);
    // Writes the line with ");" and `tail` (such as a comment) before the line end.
    void End(std::string_view tail = "");

  private:
    void Separate();

    TextStream& out_;
    std::string text_;
    bool first_ = true;
};
