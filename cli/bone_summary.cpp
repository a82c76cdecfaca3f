#include "cli/bone_summary.h"

#include <fmt/format.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "bone_export/enum_bone.h"
#include "bone_export/key_times.h"
#include "cli/scene_survey.h"
#include "host/name_helpers.h"

namespace pellucid::cli {

namespace {

// Every node whose name starts with ATTACH, in the host's walk order: the worker keeps the first
// 16 of them, the summary names the others as left out.
class AttachNodeWalk : public ITreeEnumProc {
  public:
    int callback(INode* node) override {
        if (UpperPrefix(node->GetName(), 6) == "ATTACH") {
            nodes.push_back(node);
        }
        return TREE_CONTINUE;
    }
    std::vector<INode*> nodes;
};

// How the script names the node an attached object hangs on.
std::string Holder(const BoneTree& tree, INode* node) {
    if (node == nullptr) {
        return "the world";
    }
    const int bone = tree.IndexOfNode(node);
    if (bone < 0) {
        return fmt::format("\"{}\" (not a bone: -1)", node->GetName());
    }
    return fmt::format("bone {} \"{}\"", bone, node->GetName());
}

// The rotation section's entries for these key times: the keys, and a rest entry at time 0
// unless a key sits there.
size_t RotationEntries(const std::vector<TimeValue>& keys) {
    const bool keyAtZero = std::find(keys.begin(), keys.end(), 0) != keys.end();
    return keys.size() + (keyAtZero ? 0 : 1);
}

std::string CyclicText(bool cyclic, bool keysPastRange) {
    if (cyclic) {
        return "cyclic (keys past the range, the loop option on)";
    }
    if (keysPastRange) {
        return "not cyclic (keys past the range, but the loop option is off: --loop exports it "
               "cyclic)";
    }
    return "not cyclic (no key past the range)";
}

// One line per bone: its keys and the rotation entries they give; true when any key lies past
// the range.
bool PrintBones(std::ostream& out, const BoneTree& tree, TimeValue lastTick) {
    bool anyPast = false;
    bool tableFull = false;
    for (int b = 0; b < tree.boneCount; ++b) {
        INode* node = tree.bones[static_cast<size_t>(b)].node;
        const std::vector<TimeValue> rotation = ControllerKeyTimes(NodeRotationController(node));
        const std::vector<TimeValue> position = ControllerKeyTimes(NodePositionController(node));
        const auto past = [lastTick](TimeValue t) { return t > lastTick; };
        const auto pastCount =
            static_cast<size_t>(std::count_if(rotation.begin(), rotation.end(), past) +
                                std::count_if(position.begin(), position.end(), past));
        anyPast = anyPast || pastCount > 0;
        const size_t entries = RotationEntries(rotation);
        std::string line = fmt::format("  bone {} \"{}\": {} ({}), {}", b, node->GetName(),
                                       Counted(rotation.size(), "rotation key", "rotation keys"),
                                       Counted(entries, "entry", "entries"),
                                       Counted(position.size(), "position key", "position keys"));
        if (pastCount > 0) {
            line += fmt::format(", {} past the range", pastCount);
        }
        if (!tableFull && entries > static_cast<size_t>(MAX_ROTATION_ENTRIES)) {
            tableFull = true;
            line += fmt::format(
                ": more than {} entries, the rotation keys of this bone and the "
                "bones after it are left out",
                MAX_ROTATION_ENTRIES);
        }
        out << line << "\n";
    }
    return anyPast;
}

void PrintAttachedObject(std::ostream& out, const BoneTree& tree, int j, INode* node) {
    std::string line = fmt::format("  attached object {} \"{}\" (\"{}\"): ", j, node->GetName(),
                                   AttachedObjectName(node->GetName()).data());
    ILinkCtrl* link = LinkConstraintOf(node);
    if (link == nullptr || link->GetNumTargets() == 0) {
        line += fmt::format("on {}", Holder(tree, node->GetParentNode()));
    } else {
        line += "linked to ";
        for (int i = 0; i < link->GetNumTargets(); ++i) {
            line += fmt::format("{}{} from {}", i > 0 ? ", " : "", Holder(tree, link->GetNode(i)),
                                link->GetLinkTime(i));
        }
    }
    const std::vector<TimeValue> times = AttachedObjectTimes(node);
    if (times.size() > 1) {
        line += fmt::format("; {} from {} to {}", Counted(times.size(), "key frame", "key frames"),
                            times.front(), times.back());
    } else {
        line += "; no key frames";
    }
    out << line << "\n";
}

}  // namespace

void PrintBoneScriptSummary(std::ostream& out, standalone::StandaloneHost& host,
                            const BoneTree& tree) {
    if (tree.boneCount == 0) {
        return;
    }
    // The exporter's own worker collects the attached objects and puts them in script order.
    EnumBone_t worker(nullptr, nullptr, "", &host);
    IScene* scene = host.GetExpInterface()->theScene;
    AttachNodeWalk attachWalk;
    scene->EnumTree(&attachWalk);
    scene->EnumTree(&worker);
    worker.SortAttachedObjects();

    // The header line's range length; keys are compared with it as times from 0.
    const Interval range = host.GetAnimRange();
    const auto rangeLength = static_cast<int>(
        static_cast<std::uint32_t>(static_cast<std::int64_t>(range.End()) - range.Start() + 1));
    std::ostringstream bones;
    const bool keysPastRange = PrintBones(bones, tree, rangeLength - 1);
    const bool cyclic = keysPastRange && host.GetLoopOption() != FALSE;
    out << fmt::format("bone script: ticks {} to {} ({} long), {}\n", range.Start(), range.End(),
                       rangeLength, CyclicText(cyclic, keysPastRange));
    out << bones.str();
    for (int j = 0; j < worker.attachCount; ++j) {
        PrintAttachedObject(out, tree, j, worker.attachNodes[static_cast<size_t>(j)]);
    }
    for (INode* node : attachWalk.nodes) {
        if (std::find(worker.attachNodes.begin(), worker.attachNodes.end(), node) ==
            worker.attachNodes.end()) {
            out << fmt::format(
                "  \"{}\": left out (the bone script takes the first {} attached "
                "objects)\n",
                node->GetName(), MAX_BONE_ATTACH);
        }
    }
}

}  // namespace pellucid::cli
