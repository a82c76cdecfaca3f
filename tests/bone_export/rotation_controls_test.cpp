// The control quaternions of the rotation entries, checked against a computation of their own in
// double precision: keys about different axes (whose turns do not commute, so the order of every
// product and logarithm shows), unevenly spaced, with non-zero tension, continuity and bias.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "bone_test_support.h"

namespace {

using namespace bone_test;

// A quaternion in the host's convention (a right-handed turn has the negated vector part), with
// the Hamilton product; written here again so that the check does not lean on the library's.
struct Q {
    double x = 0, y = 0, z = 0, w = 1;
};

Q Mul(const Q& a, const Q& b) {
    return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y + a.y * b.w + a.z * b.x - a.x * b.z,
            a.w * b.z + a.z * b.w + a.x * b.y - a.y * b.x,
            a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}

Q Conjugate(const Q& q) {
    return {-q.x, -q.y, -q.z, q.w};
}

// The logarithm of a unit quaternion: its axis times half its turn (w is 0).
Q Log(const Q& q) {
    const double s = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z);
    if (s == 0) {
        return {0, 0, 0, 0};
    }
    const double f = std::atan2(s, q.w) / s;
    return {q.x * f, q.y * f, q.z * f, 0};
}

Q ExpOf(const Q& v) {
    const double t = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    const double f = t == 0 ? 1 : std::sin(t) / t;
    return {v.x * f, v.y * f, v.z * f, std::cos(t)};
}

// The turn from a to b, as a logarithm: Log(a⁻¹ b).
Q LogBetween(const Q& a, const Q& b) {
    return Log(Mul(Conjugate(a), b));
}

Q Turn(double degrees, double ax, double ay, double az) {
    const double n = std::sqrt(ax * ax + ay * ay + az * az);
    const double h = degrees * M_PI / 360.0;
    return {-ax / n * std::sin(h), -ay / n * std::sin(h), -az / n * std::sin(h), std::cos(h)};
}

struct Tcb {
    double tension, continuity, bias;
};

// The two controls of entry e, computed from the entry rotations and times.
std::pair<Q, Q> Controls(const std::vector<Q>& q, const std::vector<int>& t, size_t e, bool cyclic,
                         int rangeLength, const Tcb& p) {
    const size_t m = q.size();
    const auto nearSide = [&](Q n) {
        if (n.x * q[e].x + n.y * q[e].y + n.z * q[e].z + n.w * q[e].w < 0) {
            n = {-n.x, -n.y, -n.z, -n.w};
        }
        return n;
    };
    const bool hasPrevious = e > 0 || cyclic;
    const bool hasNext = e + 1 < m || cyclic;
    Q lnP{0, 0, 0, 0}, lnN{0, 0, 0, 0};
    if (hasPrevious) {
        lnP = LogBetween(nearSide(q[e > 0 ? e - 1 : m - 1]), q[e]);
    }
    if (hasNext) {
        lnN = LogBetween(q[e], nearSide(q[e + 1 < m ? e + 1 : 0]));
    }
    if (!hasPrevious) {
        lnP = lnN;
    }
    if (!hasNext) {
        lnN = lnP;
    }
    double fp = 1, fn = 1;
    if (cyclic || (e > 0 && e + 1 < m)) {
        const double dP = e > 0 ? t[e] - t[e - 1] : rangeLength + t[0] - t[m - 1];
        const double dN = e + 1 < m ? t[e + 1] - t[e] : rangeLength - t[m - 1] + t[0];
        const double k = std::fabs(p.continuity);
        fp = dP / ((dP + dN) / 2) * (1 - k) + k;
        fn = dN / ((dP + dN) / 2) * (1 - k) + k;
    }
    const double tm = (1 - p.tension) / 2;
    const double cm = 1 - p.continuity, cp = 1 + p.continuity;
    const double bm = 1 - p.bias, bp = 1 + p.bias;
    // Incoming control: the outgoing turn weighted against the incoming one, and the reverse.
    const double inP = tm * cp * bp * fn, inN = tm * cm * bm * fn - 1;
    const double outP = 1 - tm * cm * bp * fp, outN = -tm * cp * bm * fp;
    const auto blend = [](const Q& a, double fa, const Q& b, double fb) {
        return Q{(fa * a.x + fb * b.x) / 2, (fa * a.y + fb * b.y) / 2, (fa * a.z + fb * b.z) / 2,
                 (fa * a.w + fb * b.w) / 2};
    };
    return {Mul(q[e], ExpOf(blend(lnP, inP, lnN, inN))),
            Mul(q[e], ExpOf(blend(lnP, outP, lnN, outN)))};
}

struct Entry {
    int time = 0;
    Q rotation, a, b;
};

// The script writes a quaternion as -x, -y, -z, w.
Q ScriptQuat(const std::vector<std::string>& row, size_t first) {
    return {-Number(row[first]), -Number(row[first + 1]), -Number(row[first + 2]),
            Number(row[first + 3])};
}

std::vector<Entry> Entries(const BoneExport& result) {
    std::vector<Entry> entries;
    for (const std::string& line : LinesStartingWith(result.lines, "RotationKeyFrameData(0,")) {
        const auto row = LineArguments(line);
        entries.push_back(
            {std::stoi(row.at(2)), ScriptQuat(row, 3), ScriptQuat(row, 7), ScriptQuat(row, 11)});
    }
    return entries;
}

void ExpectNear(const Q& actual, const Q& expected, double tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
    EXPECT_NEAR(actual.w, expected.w, tolerance);
}

struct Key {
    int time;
    double degrees, ax, ay, az;
};

BoneExport ExportKeys(const std::vector<Key>& keys, const std::string& settings) {
    std::string json = R"({"name": "Hip", "object": {"type": "bone"},
                           "rotation": {"controller": "tcb", "keys": [)";
    for (size_t i = 0; i < keys.size(); ++i) {
        const Key& k = keys[i];
        json += (i > 0 ? ", " : "") + std::string(R"({"time": )") + std::to_string(k.time) +
                R"(, "value": {"axisAngle": [)" + std::to_string(k.ax) + ", " +
                std::to_string(k.ay) + ", " + std::to_string(k.az) + ", " +
                std::to_string(k.degrees) + "]}}";
    }
    return ExportBonesJson(SceneJson(json + "]}}", settings));
}

const Tcb kTcb{0.25, -0.5, 0.75};
const char* const kTcbSettings =
    R"("tcbDefaults": {"tension": 0.25, "continuity": -0.5, "bias": 0.75})";

// Keys 100, 300, 150 and 800 ticks apart, each about another axis.
const std::vector<Key> kKeys = {{0, 20, 1, 0, 0},
                                {100, 60, 0, 0, 1},
                                {400, 45, 0, 1, 0},
                                {550, 90, 1, 1, 0},
                                {1350, 30, 0, 1, 1}};

TEST(RotationControls, KeysAboutDifferentAxesOnUnevenIntervalsWithTcbDefaults) {
    const BoneExport result =
        ExportKeys(kKeys, std::string(R"("animationRange": [0, 1600], )") + kTcbSettings);
    ASSERT_TRUE(result.messages.empty());
    EXPECT_EQ(result.lines.front(), "AnimInit(\"Anim name\",1,1601,0);");
    const std::vector<Entry> entries = Entries(result);
    ASSERT_EQ(entries.size(), kKeys.size());
    std::vector<Q> rotations;
    std::vector<int> times;
    for (size_t e = 0; e < entries.size(); ++e) {
        SCOPED_TRACE(e);
        // The bone sits at each key's rotation at the key's time.
        const Key& k = kKeys[e];
        ASSERT_EQ(entries[e].time, k.time);
        ExpectNear(entries[e].rotation, Turn(k.degrees, k.ax, k.ay, k.az), 1e-6);
        rotations.push_back(entries[e].rotation);
        times.push_back(entries[e].time);
    }
    for (size_t e = 0; e < entries.size(); ++e) {
        SCOPED_TRACE(e);
        const auto [a, b] = Controls(rotations, times, e, false, 1601, kTcb);
        ExpectNear(entries[e].a, a, 2e-6);
        ExpectNear(entries[e].b, b, 2e-6);
    }
}

TEST(RotationControls, CyclicAnimationWrapsTheEndEntriesRoundTheLoop) {
    // The last key lies a tick past the range, so the loop option makes the animation cyclic:
    // the first entry's previous neighbour is the last one, 1 tick away across the loop. The
    // factors stay moderate here, so the check can still be fairly close.
    std::vector<Key> keys = kKeys;
    keys.back().time = 1601;
    const BoneExport result = ExportKeys(
        keys, std::string(R"("animationRange": [0, 1600], "loop": true, )") + kTcbSettings);
    EXPECT_EQ(result.lines.front(), "AnimInit(\"Anim name\",1,1601,1);");
    const std::vector<Entry> entries = Entries(result);
    ASSERT_EQ(entries.size(), keys.size());
    std::vector<Q> rotations;
    std::vector<int> times;
    for (const Entry& entry : entries) {
        rotations.push_back(entry.rotation);
        times.push_back(entry.time);
    }
    for (size_t e = 0; e < entries.size(); ++e) {
        SCOPED_TRACE(e);
        const auto [a, b] = Controls(rotations, times, e, true, 1601, kTcb);
        ExpectNear(entries[e].a, a, 1e-5);
        ExpectNear(entries[e].b, b, 1e-5);
    }
}

}  // namespace
