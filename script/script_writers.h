// Writers of the script values that the mesh, bone and exchange scripts share. The components of
// points and quaternions follow the stream's floatOutputMode: floats while it is non-zero (every
// exporter sets 1 on its stream before it writes), their integer parts while it is 0.
#pragma once

#include <string>

#include "host/point3.h"
#include "host/quat.h"
#include "host/text_stream.h"

// x,y,z as floats joined by ",".
void WritePoint(TextStream& out, const Point3& p);
// r,g,b (or the components of a vector) as floats joined by ","; floatOutputMode is not read.
void WriteColor(TextStream& out, const Color& c);
void WriteColor(TextStream& out, const Point3& c);
// -x,-y,-z,w.
void WriteQuat(TextStream& out, const Quat& q);

// Appends one component of a point or quaternion as WritePoint writes it to `out`.
void AppendCoordinate(std::string& text, float value, const TextStream& out);

// What WritePoint and WriteQuat write for one value while floatOutputMode is 0: its integer part,
// truncated toward zero and held within the int range, NaN as 0.
int ScriptIntegerPart(float value);
