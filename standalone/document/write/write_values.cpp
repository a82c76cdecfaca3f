// Values: rotations, matrices, transforms, pivots, float tracks and keyed controllers.
#include <type_traits>

#include "standalone/document/document_fields.h"
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
    WriteDescribed(pivot);
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
    WriteKeys(track.keys);
    json_.EndObject();
}

namespace {

// A default-made struct, for "is this field at its default".
template <typename S>
const S kDefaultOf{};

bool SameValue(int a, int b) {
    return a == b;
}
bool SameValue(const std::string& a, const std::string& b) {
    return a == b;
}
template <typename T>
bool SameValue(const T& a, const T& b) {
    return SameBits(a, b);
}

}  // namespace

template <typename S>
void SceneDocumentWriter::WriteDescribed(const S& value) {
    json_.BeginObject();
    ForEachDocumentField<S>([&](const auto& field) {
        const auto& member = value.*field.member;
        if (!field.required && SameValue(member, kDefaultOf<S>.*field.member)) {
            return;
        }
        json_.Key(field.name);
        using Member = std::decay_t<decltype(member)>;
        if constexpr (std::is_same_v<Member, int>) {
            json_.Int(member);
        } else if constexpr (std::is_same_v<Member, float>) {
            json_.Float(member);
        } else if constexpr (std::is_same_v<Member, Point3>) {
            json_.Point(member);
        } else if constexpr (std::is_same_v<Member, Quat>) {
            WriteRotation(member);
        } else {
            static_assert(std::is_same_v<Member, std::string>);
            json_.String(member);
        }
    });
    json_.EndObject();
}

template <typename Key>
void SceneDocumentWriter::WriteKeys(const std::vector<Key>& keys) {
    json_.BeginArray();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i > 0 && keys[i].time <= keys[i - 1].time) {
            json_.Fail("keys out of time order, which readers refuse");
        }
        WriteDescribed(keys[i]);
    }
    json_.EndArray();
}

template <typename Key>
void SceneDocumentWriter::WriteController(const doc::Controller<Key>& controller) {
    json_.BeginObject();
    json_.Key("controller");
    json_.String(NameOf(kControllerKindNames, controller.kind));
    if (!controller.keys.empty()) {
        json_.Key("keys");
        WriteKeys(controller.keys);
    }
    json_.EndObject();
}

template void SceneDocumentWriter::WriteDescribed(const doc::Drive&);
template void SceneDocumentWriter::WriteController(const doc::Controller<doc::PositionKey>&);
template void SceneDocumentWriter::WriteController(const doc::Controller<doc::RotationKey>&);
template void SceneDocumentWriter::WriteController(const doc::Controller<doc::ScaleKey>&);

}  // namespace pellucid::standalone
