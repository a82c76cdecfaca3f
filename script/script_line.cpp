#include "script/script_line.h"

#include "script/script_writers.h"

ScriptLine& ScriptLine::Start(std::string_view command) {
    text_.assign(command);
    first_ = true;
    return *this;
}

void ScriptLine::Separate() {
    if (!first_) {
        text_ += ',';
    }
    first_ = false;
}

ScriptLine& ScriptLine::Int(long long value) {
    Separate();
    AppendInteger(text_, value);
    return *this;
}

ScriptLine& ScriptLine::Float(double value) {
    Separate();
    AppendFloat(text_, value, out_.floatFormat());
    return *this;
}

ScriptLine& ScriptLine::Point(const Point3& p) {
    for (int axis = 0; axis < 3; ++axis) {
        Separate();
        AppendCoordinate(text_, p[axis], out_);
    }
    return *this;
}

ScriptLine& ScriptLine::Colour(const Point3& c) {
    return Float(c.x).Float(c.y).Float(c.z);
}

ScriptLine& ScriptLine::Colour(const Color& c) {
    return Float(c.r).Float(c.g).Float(c.b);
}

void ScriptLine::End(std::string_view tail) {
    text_ += ");";
    text_.append(tail);
    out_ << std::string_view(text_) << endl;
}
