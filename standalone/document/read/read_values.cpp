// Values of a scene document: colours, rotations, transforms, times, float tracks and keyed
// controllers.
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

constexpr std::string_view kTrackFields[] = {"interpolation", "keys"};
enum TrackField { kInterpolation, kTrackKeys };

constexpr std::string_view kControllerFields[] = {"controller", "keys"};
enum ControllerField { kController, kKeys };

float Radians(float degrees) {
    return static_cast<float>(static_cast<double>(degrees) * std::numbers::pi / 180.0);
}

Matrix3 Compose(const Point3& position, const Quat& rotation, const Point3& scale) {
    return ScaleMatrix(scale) * QuatToMatrix(rotation) * TransMatrix(position);
}

// Refuses a key whose time is not after the previous key's.
void CheckKeyOrder(const JsonReader& reader, std::size_t index, int time, int previous,
                   const JsonPath& keyPath) {
    if (index > 0 && time <= previous) {
        reader.Fail(keyPath.Field("time"),
                    fmt::format("expected a time after the previous key's ({})", previous));
    }
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
    ForEachField(value, path, kTrackFields, [&](int field, JsonElement v, const JsonPath& p) {
        if (field == kInterpolation) {
            const std::string_view name = String(v, p);
            if (name != "linear" && name != "step") {
                Fail(p, "expected \"linear\" or \"step\"");
            }
            track.step = name == "step";
            return;
        }
        track.keys.reserve(Array(v, p).size());
        ForEachItem(v, p, [&](std::size_t index, JsonElement item, const JsonPath& keyPath) {
            doc::FloatKey key;
            ReadDescribed(*this, item, keyPath, key);
            CheckKeyOrder(*this, index, key.time, index > 0 ? track.keys.back().time : 0, keyPath);
            track.keys.push_back(key);
        });
    });
    return track;
}

namespace {

doc::ControllerKind ParseControllerKind(const JsonReader& reader, JsonElement value,
                                        const JsonPath& path) {
    const auto* named = FindTypeName(kControllerKindNames, reader.String(value, path));
    if (named == nullptr) {
        reader.Fail(path, fmt::format("expected {}", ListOfNames(kControllerKindNames, "\"")));
    }
    return named->value;
}

// Reads {"controller", "keys"}.
template <typename Key>
doc::Controller<Key> ReadController(const SceneDocumentReader& reader, JsonElement value,
                                    const JsonPath& path) {
    doc::Controller<Key> controller;
    JsonElement keys;
    const std::uint64_t seen = reader.ForEachField(
        value, path, kControllerFields, [&](int field, JsonElement v, const JsonPath& p) {
            if (field == kController) {
                controller.kind = ParseControllerKind(reader, v, p);
            } else {
                reader.Array(v, p);
                keys = v;
            }
        });
    reader.Require(seen, kControllerFields, kController, path);
    if ((seen & (1u << kKeys)) == 0) {
        return controller;
    }
    const JsonPath keysPath = path.Field("keys");
    const simdjson::dom::array array = reader.Array(keys, keysPath);
    if (controller.kind == doc::ControllerKind::Procedural && array.size() != 0) {
        reader.Fail(keysPath, "a procedural controller has no keys");
    }
    controller.keys.reserve(array.size());
    reader.ForEachItem(keys, keysPath,
                       [&](std::size_t index, JsonElement item, const JsonPath& keyPath) {
                           Key key;
                           ReadDescribed(reader, item, keyPath, key);
                           CheckKeyOrder(reader, index, key.time,
                                         index > 0 ? controller.keys.back().time : 0, keyPath);
                           controller.keys.push_back(key);
                       });
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
