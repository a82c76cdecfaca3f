// The morph modifier of the exchange format: animates an object from its rest shape into its
// frame-10 shape over the first ten frames, each frame-10 point starting from the rest point
// nearest to it.
#pragma once

#include "objects/geometry_modifier.h"

constexpr Class_ID ZUTMORPH_CLASS_ID(0x06385f7d, 0x27760920);

class ZUTMorph : public GeometryModifier {
  public:
    ZUTMorph();

    void ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) override;
};

// The point of the object nearest to `point`, of equally near ones the first in index order;
// `point` itself when no point of the object is at a finite distance (such as an object without
// points), so that a point without a rest position stands still.
Point3 FindNearestPoint(ObjectState* os, const Point3& point);

// a + (b - a) * (k / n) in double precision, each coordinate rounded to a float once.
Point3 LerpPoint(const Point3& a, const Point3& b, double k, double n);
