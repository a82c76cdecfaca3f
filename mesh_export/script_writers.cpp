#include "mesh_export/script_writers.h"

#include <cmath>
#include <limits>

int floatOutputMode = 0;

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

namespace {

void WriteValue(TextStream& out, float value) {
    if (floatOutputMode != 0) {
        out << value;
    } else {
        out << ScriptIntegerPart(value);
    }
}

}  // namespace

void WritePoint(TextStream& out, const Point3& p) {
    WriteValue(out, p.x);
    out << ",";
    WriteValue(out, p.y);
    out << ",";
    WriteValue(out, p.z);
}

void WriteColor(TextStream& out, const Color& c) {
    out << c.r << "," << c.g << "," << c.b;
}

void WriteColor(TextStream& out, const Point3& c) {
    out << c.x << "," << c.y << "," << c.z;
}

void WriteQuat(TextStream& out, const Quat& q) {
    WriteValue(out, -q.x);
    out << ",";
    WriteValue(out, -q.y);
    out << ",";
    WriteValue(out, -q.z);
    out << ",";
    WriteValue(out, q.w);
}
