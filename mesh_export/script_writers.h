// Writers of the script values that the mesh, bone and exchange scripts share.
#pragma once

#include "host/point3.h"
#include "host/quat.h"
#include "host/text_stream.h"

// 0 when the library is loaded; every exporter sets it to 1 before it writes.
extern int floatOutputMode;

// x,y,z as floats joined by ",".
void WritePoint(TextStream& out, const Point3& p);
// r,g,b (or the components of a vector) as floats joined by ",".
void WriteColor(TextStream& out, const Color& c);
void WriteColor(TextStream& out, const Point3& c);
// -x,-y,-z,w.
void WriteQuat(TextStream& out, const Quat& q);

// What WritePoint and WriteQuat write for one value while floatOutputMode is 0: its integer part,
// truncated toward zero and held within the int range, NaN as 0.
int ScriptIntegerPart(float value);
