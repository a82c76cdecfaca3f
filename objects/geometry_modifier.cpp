#include "objects/geometry_modifier.h"

#include "services/get_string.h"

GeometryModifier::GeometryModifier(Class_ID classID, int nameId)
    : classID_(classID), name_(GetString(nameId)) {}

void GeometryModifier::PointsChanged(Object* object) {
    object->UpdateValidity(GEOM_CHAN_NUM, FOREVER);
    object->PointsWereChanged();
}
