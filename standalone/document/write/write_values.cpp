// Values: rotations, matrices, transforms and the number form of float tracks.
#include <type_traits>

#include "standalone/document/write/write_described.h"

namespace pellucid::standalone {

namespace {

const Point3 kOrigin;
const Point3 kUnitScale(1.0f, 1.0f, 1.0f);

}  // namespace

void SceneDocumentWriter::WriteRotation(const Quat& rotation) {
    json_.BeginObject();
    json_.Key("quat");
    const float q[4] = {rotation.x, rotation.y, rotation.z, rotation.w};
    json_.Floats(q);
    json_.EndObject();
}

void SceneDocumentWriter::WriteMatrix(const Matrix3& matrix) {
    json_.BeginInlineArray();
    for (int row = 0; row < 4; ++row) {
        json_.Point(matrix[row]);
    }
    json_.EndInlineArray();
}

void SceneDocumentWriter::WriteTransform(const doc::Transform& transform) {
    json_.BeginObject();
    if (!transform.fromParts) {
        json_.Key("matrix");
        WriteMatrix(transform.matrix);
        json_.EndObject();
        return;
    }
    if (!SameBits(transform.position, kOrigin)) {
        json_.Key("position");
        json_.Point(transform.position);
    }
    if (!SameBits(transform.rotation, Quat())) {
        json_.Key("rotation");
        WriteRotation(transform.rotation);
    }
    if (!SameBits(transform.scale, kUnitScale)) {
        json_.Key("scale");
        json_.Point(transform.scale);
    }
    json_.EndObject();
}

void SceneDocumentWriter::WriteFloatTrack(const doc::FloatTrack& track) {
    if (track.constant && track.keys.size() == 1 && track.keys[0].time == 0) {
        json_.Float(track.keys[0].value);
        return;
    }
    WriteDescribed(track);
}

}  // namespace pellucid::standalone
