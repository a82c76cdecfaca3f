#include "script/script_writers.h"

#include <cmath>
#include <initializer_list>
#include <limits>

int ScriptIntegerPart(float value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double truncated = std::trunc(static_cast<double>(value));
    if (truncated >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (truncated <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(truncated);
}

void AppendCoordinate(std::string& text, float value, const TextStream& out) {
    if (out.floatOutputMode() != 0) {
        AppendFloat(text, value, out.floatFormat());
    } else {
        AppendInteger(text, ScriptIntegerPart(value));
    }
}

namespace {

// The values joined by ",", each written straight into the stream's buffer.
void WriteCoordinates(TextStream& out, std::initializer_list<float> values) {
    bool first = true;
    for (const float value : values) {
        if (!first) {
            out << ',';
        }
        first = false;
        if (out.floatOutputMode() != 0) {
            out << static_cast<double>(value);
        } else {
            out << ScriptIntegerPart(value);
        }
    }
}

}  // namespace

void WritePoint(TextStream& out, const Point3& p) {
    WriteCoordinates(out, {p.x, p.y, p.z});
}

void WriteQuat(TextStream& out, const Quat& q) {
    WriteCoordinates(out, {-q.x, -q.y, -q.z, q.w});
}

void WriteColor(TextStream& out, const Color& c) {
    out << c.r << "," << c.g << "," << c.b;
}

void WriteColor(TextStream& out, const Point3& c) {
    out << c.x << "," << c.y << "," << c.z;
}
