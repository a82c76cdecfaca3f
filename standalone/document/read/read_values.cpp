// Values of a scene document: colours, rotations, transforms, times, the number form of float
// tracks and the checks of keyed controllers that span their fields.
#include <cmath>
#include <numbers>

#include <fmt/format.h>

#include "standalone/document/read/read_described.h"

namespace pellucid::standalone {

using simdjson::dom::element_type;

namespace {

constexpr std::string_view kRotationFields[] = {"axisAngle", "euler", "quat", "matrix"};
enum RotationField { kAxisAngle, kEuler, kQuat, kRotationMatrix };

constexpr std::string_view kTransformFields[] = {"matrix", "position", "rotation", "scale"};
enum TransformField { kMatrix, kPosition, kRotation, kScale };

float Radians(float degrees) {
    return static_cast<float>(static_cast<double>(degrees) * std::numbers::pi / 180.0);
}

Matrix3 Compose(const Point3& position, const Quat& rotation, const Point3& scale) {
    return ScaleMatrix(scale) * QuatToMatrix(rotation) * TransMatrix(position);
}

}  // namespace

Color SceneDocumentReader::ReadColor(JsonElement value, const JsonPath& path) const {
    float rgb[3];
    Floats(value, path, rgb);
    return Color(rgb[0], rgb[1], rgb[2]);
}

Quat SceneDocumentReader::ReadRotation(JsonElement value, const JsonPath& path) const {
    Quat rotation;
    int forms = 0;
    ForEachField(value, path, kRotationFields, [&](int field, JsonElement v, const JsonPath& p) {
        if (++forms > 1) {
            Fail(p, "a rotation takes only one of \"axisAngle\", \"euler\", \"quat\", \"matrix\"");
        }
        switch (field) {
            case kAxisAngle: {
                float a[4];
                Floats(v, p, a);
                const Point3 axis(a[0], a[1], a[2]);
                if (axis == Point3()) {
                    if (a[3] != 0.0f) {
                        Fail(p, "the axis of a turn must not be zero");
                    }
                    rotation = Quat();
                } else {
                    rotation = QFromAngAxis(Radians(a[3]), axis);
                }
                break;
            }
            case kEuler: {
                float e[3];
                Floats(v, p, e);
                rotation = QFromAngAxis(Radians(e[0]), Point3(1, 0, 0)) *
                           QFromAngAxis(Radians(e[1]), Point3(0, 1, 0)) *
                           QFromAngAxis(Radians(e[2]), Point3(0, 0, 1));
                break;
            }
            case kQuat: {
                float q[4];
                Floats(v, p, q);
                rotation = Quat(q[0], q[1], q[2], q[3]);
                break;
            }
            case kRotationMatrix:
                rotation = Quat(ReadMatrixRows(v, p, 3));
                break;
        }
    });
    if (forms == 0) {
        Fail(path, "expected a rotation: one of \"axisAngle\", \"euler\", \"quat\", \"matrix\"");
    }
    return rotation;
}

Matrix3 SceneDocumentReader::ReadMatrixRows(JsonElement value, const JsonPath& path,
                                            int rows) const {
    Matrix3 matrix;
    int row = 0;
    const simdjson::dom::array array = Array(value, path);
    for (JsonElement item : array) {
        if (row == rows) {
            break;
        }
        matrix[row] = Point(item, path.Item(static_cast<std::size_t>(row)));
        ++row;
    }
    if (row != rows || array.size() != static_cast<std::size_t>(rows)) {
        Fail(path, fmt::format("expected {} rows of 3 numbers", rows));
    }
    return matrix;
}

doc::Transform SceneDocumentReader::ReadTransform(JsonElement value, const JsonPath& path) const {
    doc::Transform transform;
    const std::uint64_t seen = ForEachField(value, path, kTransformFields,
                                            [&](int field, JsonElement v, const JsonPath& p) {
                                                switch (field) {
                                                    case kMatrix:
                                                        transform.matrix = ReadMatrixRows(v, p, 4);
                                                        break;
                                                    case kPosition:
                                                        transform.position = Point(v, p);
                                                        break;
                                                    case kRotation:
                                                        transform.rotation = ReadRotation(v, p);
                                                        break;
                                                    case kScale:
                                                        transform.scale = Point(v, p);
                                                        break;
                                                }
                                            });
    if ((seen & (1u << kMatrix)) != 0) {
        if (seen != (1u << kMatrix)) {
            Fail(path,
                 "\"matrix\" cannot be combined with \"position\", \"rotation\" or \"scale\"");
        }
        return transform;
    }
    transform.fromParts = true;
    transform.matrix = Compose(transform.position, transform.rotation, transform.scale);
    return transform;
}

int SceneDocumentReader::ReadTime(JsonElement value, const JsonPath& path) const {
    return Int(value, path);
}

doc::FloatTrack SceneDocumentReader::ReadFloatTrack(JsonElement value, const JsonPath& path) const {
    doc::FloatTrack track;
    if (value.type() != element_type::OBJECT) {
        track.constant = true;
        track.keys.push_back({0, Float(value, path)});
        return track;
    }
    ReadDescribed(*this, value, path, track);
    return track;
}

namespace {

// Reads a controller by its table, then refuses keys on a procedural one.
template <typename Key>
doc::Controller<Key> ReadController(const SceneDocumentReader& reader, JsonElement value,
                                    const JsonPath& path) {
    doc::Controller<Key> controller;
    ReadDescribed(reader, value, path, controller);
    if (controller.kind == doc::ControllerKind::Procedural && !controller.keys.empty()) {
        reader.Fail(path.Field("keys"), "a procedural controller has no keys");
    }
    return controller;
}

}  // namespace

doc::Controller<doc::PositionKey> SceneDocumentReader::ReadPositionController(
    JsonElement value, const JsonPath& path) const {
    return ReadController<doc::PositionKey>(*this, value, path);
}

doc::Controller<doc::RotationKey> SceneDocumentReader::ReadRotationController(
    JsonElement value, const JsonPath& path) const {
    return ReadController<doc::RotationKey>(*this, value, path);
}

doc::Controller<doc::ScaleKey> SceneDocumentReader::ReadScaleController(
    JsonElement value, const JsonPath& path) const {
    return ReadController<doc::ScaleKey>(*this, value, path);
}

}  // namespace pellucid::standalone
