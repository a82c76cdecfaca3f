#include "exchange/zut_morph.h"

#include <vector>

#include "exchange/nearest_vertex.h"
#include "host/interface.h"
#include "resources/string_ids.h"

namespace {

std::vector<Point3> PointsOf(Object* object) {
    std::vector<Point3> points(static_cast<size_t>(object->NumPoints()));
    for (size_t i = 0; i < points.size(); ++i) {
        points[i] = object->GetPoint(static_cast<int>(i));
    }
    return points;
}

}  // namespace

ZUTMorph::ZUTMorph() : GeometryModifier(ZUTMORPH_CLASS_ID, IDS_ZUTMORPH) {}

Point3 FindNearestPoint(ObjectState* os, const Point3& point) {
    const std::vector<Point3> points = PointsOf(os->obj);
    const int nearest = FindNearestByScan(point, points);
    return nearest < 0 ? point : points[static_cast<size_t>(nearest)];
}

Point3 LerpPoint(const Point3& a, const Point3& b, double k, double n) {
    const double f = k / n;
    Point3 result;
    for (int axis = 0; axis < 3; ++axis) {
        const double from = a[axis];
        result[axis] = static_cast<float>(from + (static_cast<double>(b[axis]) - from) * f);
    }
    return result;
}

void ZUTMorph::ModifyObject(TimeValue t, ModContext&, ObjectState* os, INode*) {
    const TimeValue end = 10 * GetTicksPerFrame();
    const TimeValue tc = t > end ? end : t;
    if (os == nullptr || os->obj == nullptr) {
        return;
    }
    ObjectState rest = os->obj->Eval(0);
    ObjectState posed = os->obj->Eval(end);
    if (rest.obj == nullptr || posed.obj == nullptr) {
        return;
    }
    // The same answers as FindNearestPoint, from an index over the rest points.
    const std::vector<Point3> restPoints = PointsOf(rest.obj);
    const NearestVertexIndex nearest(restPoints);
    const int count = posed.obj->NumPoints();
    for (int i = 0; i < count; ++i) {
        const Point3 p = posed.obj->GetPoint(i);
        const int j = nearest.Find(p);
        const Point3 q = j < 0 ? p : restPoints[static_cast<size_t>(j)];
        os->obj->SetPoint(i, LerpPoint(q, p, tc, end));
    }
    PointsChanged(os->obj);
}
