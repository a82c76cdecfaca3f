// Values: rotations, matrices, transforms, pivots, float tracks and keyed controllers.
#include "standalone/document/type_names.h"
#include "standalone/document/write/write_context.h"

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

void SceneDocumentWriter::WritePivot(const doc::Pivot& pivot) {
    doc::Transform parts;
    parts.fromParts = true;
    parts.position = pivot.position;
    parts.rotation = pivot.rotation;
    parts.scale = pivot.scale;
    WriteTransform(parts);
}

void SceneDocumentWriter::WriteFloatTrack(const doc::FloatTrack& track) {
    if (track.constant && track.keys.size() == 1 && track.keys[0].time == 0) {
        json_.Float(track.keys[0].value);
        return;
    }
    json_.BeginObject();
    if (track.step) {
        json_.Key("interpolation");
        json_.String("step");
    }
    json_.Key("keys");
    json_.BeginArray();
    for (std::size_t i = 0; i < track.keys.size(); ++i) {
        const doc::FloatKey& key = track.keys[i];
        if (i > 0 && key.time <= track.keys[i - 1].time) {
            json_.Fail("keys out of time order, which readers refuse");
        }
        json_.BeginObject();
        json_.Key("time");
        json_.Int(key.time);
        json_.Key("value");
        json_.Float(key.value);
        json_.EndObject();
    }
    json_.EndArray();
    json_.EndObject();
}

namespace {

// {"controller", "keys"} with writeValue(key) writing the fields of one key after its time.
template <typename Key, typename WriteValue>
void WriteController(JsonWriter& json, const doc::Controller<Key>& controller,
                     WriteValue writeValue) {
    json.BeginObject();
    json.Key("controller");
    json.String(NameOf(kControllerKindNames, controller.kind));
    if (!controller.keys.empty()) {
        json.Key("keys");
        json.BeginArray();
        for (std::size_t i = 0; i < controller.keys.size(); ++i) {
            const Key& key = controller.keys[i];
            if (i > 0 && key.time <= controller.keys[i - 1].time) {
                json.Fail("keys out of time order, which readers refuse");
            }
            json.BeginObject();
            json.Key("time");
            json.Int(key.time);
            writeValue(key);
            json.EndObject();
        }
        json.EndArray();
    }
    json.EndObject();
}

}  // namespace

void SceneDocumentWriter::WritePositionController(
    const doc::Controller<doc::PositionKey>& controller) {
    WriteController(json_, controller, [&](const doc::PositionKey& key) {
        json_.Key("value");
        json_.Point(key.value);
        if (!SameBits(key.inTangent, kOrigin)) {
            json_.Key("inTangent");
            json_.Point(key.inTangent);
        }
        if (!SameBits(key.outTangent, kOrigin)) {
            json_.Key("outTangent");
            json_.Point(key.outTangent);
        }
    });
}

void SceneDocumentWriter::WriteRotationController(
    const doc::Controller<doc::RotationKey>& controller) {
    WriteController(json_, controller, [&](const doc::RotationKey& key) {
        json_.Key("value");
        WriteRotation(key.value);
    });
}

void SceneDocumentWriter::WriteScaleController(const doc::Controller<doc::ScaleKey>& controller) {
    WriteController(json_, controller, [&](const doc::ScaleKey& key) {
        json_.Key("value");
        json_.Point(key.value);
    });
}

}  // namespace pellucid::standalone
