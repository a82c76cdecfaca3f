// Translation keys of the root bone, with the motion of a MOVE parent folded in.
#include <cstdint>

#include "bone_export/enum_bone.h"
#include "bone_export/key_times.h"
#include "host/cstr.h"
#include "script/script_writers.h"

namespace {

bool IsMoveNode(INode* node) {
    if (node == nullptr) {
        return false;
    }
    CStr name = node->GetName();
    name.toUpper();
    return name == "MOVE";
}

TimeValue Tick(std::int64_t t) {
    return static_cast<TimeValue>(static_cast<std::uint32_t>(t));
}

}  // namespace

void EnumBone_t::OutputTranslationKeys() {
    INode* root = tree->bones[0].node;
    Control* position = NodePositionController(root);
    IKeyControl* keys = GetKeyControlInterface(position);
    const std::vector<TimeValue> keyTimes = ControllerKeyTimes(position);
    const int n = static_cast<int>(keyTimes.size());
    const int count = n > 0 ? n : 1;
    *out << "TranslationKeyFrameInit(" << 0 << "," << count << ");" << endl;

    INode* parent = root->GetParentNode();
    const bool underMove = IsMoveNode(parent);
    std::vector<TimeValue> times(static_cast<size_t>(count), 0);
    std::vector<Point3> positions(static_cast<size_t>(count));
    std::vector<Point3> velocities(static_cast<size_t>(count));
    for (size_t e = 0; e < times.size(); ++e) {
        const TimeValue t = n > 0 ? keyTimes[e] : 0;
        times[e] = t;
        if (underMove) {
            // The MOVE node's velocity around t, from the ticks next to it inside the range.
            std::int64_t t0, t1;
            if (t <= 0) {
                t0 = t;
                t1 = std::int64_t{t} + 1;
            } else if (t < std::int64_t{rangeEnd} - 1) {
                t0 = std::int64_t{t} - 1;
                t1 = std::int64_t{t} + 1;
            } else {
                t0 = std::int64_t{rangeEnd} - 2;
                t1 = std::int64_t{rangeEnd} - 1;
            }
            const Point3 travel =
                parent->GetNodeTM(Tick(t1)).GetTrans() - parent->GetNodeTM(Tick(t0)).GetTrans();
            velocities[e] = travel / static_cast<float>(t1 - t0);
            positions[e] = (root->GetNodeTM(t) * Inverse(parent->GetParentTM(t))).GetTrans();
        } else {
            positions[e] = (root->GetNodeTM(t) * Inverse(root->GetParentTM(t))).GetTrans();
        }
    }

    if (n == 0) {
        WriteTranslationKey(0, 0, nullptr, positions, times, Point3(), 0);
    } else if (position->ClassID() == bezierPositionClassID) {
        for (int e = 0; e < n; ++e) {
            IBezPoint3Key key;
            keys->GetKey(e, &key);
            WriteTranslationKey(0, e, &key, positions, times, velocities[static_cast<size_t>(e)],
                                n);
        }
    } else {
        MessageBoxA(host->GetMAXHWnd(), "Translation controller not supported.", "Error", MB_OK);
    }
}

void EnumBone_t::WriteTranslationKey(int bone, int e, const IBezPoint3Key* key,
                                     const std::vector<Point3>& positions,
                                     const std::vector<TimeValue>& times, const Point3& velocity,
                                     int count) {
    const TimeValue time = key != nullptr ? key->time : 0;
    const Point3 in = key != nullptr ? key->intan : Point3();
    const Point3 outTangent = key != nullptr ? key->outtan : Point3();
    *out << "TranslationKeyFrameData(" << bone << "," << e << "," << time << ",";
    WritePoint(*out, positions[static_cast<size_t>(e)]);
    *out << ",";
    WritePoint(*out, in - velocity);
    *out << ",";
    WritePoint(*out, outTangent + velocity);
    *out << ");" << endl;
}
