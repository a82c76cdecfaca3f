// Building scene documents in code for the scene-model tests, and comparing transforms.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "standalone/document/scene_document.h"
#include "standalone/host/standalone_host.h"

namespace pellucid::standalone::testing {

// A name made of a prefix and a number ("N12").
inline std::string Numbered(const char* prefix, size_t number) {
    std::string name(prefix);
    name += std::to_string(number);
    return name;
}

// Appends a node under `parent` (-1: the scene root) and answers its index.
inline int AddNode(doc::Document& document, const std::string& name, int parent = -1) {
    doc::Node node;
    node.name = name;
    document.nodes.push_back(node);
    const int index = static_cast<int>(document.nodes.size()) - 1;
    if (parent < 0) {
        document.rootNodes.push_back(index);
    } else {
        document.nodes[static_cast<size_t>(parent)].children.push_back(index);
    }
    return index;
}

inline int AddObject(doc::Document& document, doc::Object object) {
    document.objects.push_back(std::move(object));
    return static_cast<int>(document.objects.size()) - 1;
}

inline doc::Object ObjectOfType(doc::ObjectType type) {
    doc::Object object;
    object.type = type;
    return object;
}

// A mesh of one triangle, or of the given vertices and faces.
inline doc::Object TriangleMesh() {
    doc::Object object;
    object.type = doc::ObjectType::Mesh;
    object.mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    object.mesh.faces = {{0, 1, 2}};
    return object;
}

// A linear position track from `from` at t0 to `to` at t1.
inline doc::Controller<doc::PositionKey> LinearMove(TimeValue t0, const Point3& from, TimeValue t1,
                                                    const Point3& to) {
    doc::Controller<doc::PositionKey> track;
    track.kind = doc::ControllerKind::Linear;
    track.keys = {{t0, from, {}, {}}, {t1, to, {}, {}}};
    return track;
}

// A morpher of one channel that moves `points` by `deltas`, its weight rising from 0 at tick 0
// to 100 at tick `full`.
inline doc::Modifier Morpher(std::vector<int> points, std::vector<Point3> deltas, TimeValue full) {
    doc::MorphChannelData channel;
    channel.points = std::move(points);
    channel.deltas = std::move(deltas);
    channel.weight.keys = {{0, 0.0f}, {full, 100.0f}};
    doc::Modifier morpher;
    morpher.type = doc::ModifierType::Morpher;
    morpher.channels.push_back(std::move(channel));
    return morpher;
}

inline doc::Transform Translation(float x, float y, float z) {
    doc::Transform transform;
    transform.matrix = TransMatrix(Point3(x, y, z));
    return transform;
}

inline doc::Transform Matrix(const Matrix3& m) {
    doc::Transform transform;
    transform.matrix = m;
    return transform;
}

// A turn by `degrees` about an axis, right-handed, in the host's convention.
inline Quat Turn(float degrees, const Point3& axis) {
    return QFromAngAxis(degrees * 3.14159265358979f / 180.0f, axis);
}

inline Matrix3 TurnMatrix(float degrees, const Point3& axis) {
    return QuatToMatrix(Turn(degrees, axis));
}

// A host made from `document`, quiet on standard error.
inline std::unique_ptr<StandaloneHost> MakeHost(doc::Document document) {
    auto host = std::make_unique<StandaloneHost>(std::move(document));
    host->SetEchoMessages(false);
    return host;
}

inline ::testing::AssertionResult PointsNear(const Point3& a, const Point3& b,
                                             float tolerance = 1e-4f) {
    for (int i = 0; i < 3; ++i) {
        if (!(std::fabs(a[i] - b[i]) <= tolerance)) {
            return ::testing::AssertionFailure()
                   << "(" << a.x << ", " << a.y << ", " << a.z << ") vs (" << b.x << ", " << b.y
                   << ", " << b.z << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult MatricesNear(const Matrix3& a, const Matrix3& b,
                                               float tolerance = 1e-4f) {
    for (int row = 0; row < 4; ++row) {
        if (!PointsNear(a[row], b[row], tolerance)) {
            return ::testing::AssertionFailure()
                   << "row " << row << ": " << PointsNear(a[row], b[row], tolerance).message();
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace pellucid::standalone::testing
