// The bone worker's walk, its section order, and the two sections that open the script: the
// header line with the cyclic flag, and the skeleton block that the mesh script reuses.
#include "bone_export/enum_bone.h"

#include <cstdint>
#include <utility>

#include "bone_export/key_times.h"
#include "host/name_helpers.h"
#include "script/script_writers.h"

EnumBone_t::EnumBone_t(TextStream* stream, TextStream* stream2, const char* fileName, Interface* ip)
    : out(stream), out2(stream2), host(ip) {
    attachNodes.reserve(MAX_BONE_ATTACH);
    attachIds.reserve(MAX_BONE_ATTACH);
}

EnumBone_t::~EnumBone_t() = default;

int EnumBone_t::callback(INode* node) {
    const char* name = node->GetName();
    if (UpperPrefix(name, 6) == "ATTACH" && attachCount < MAX_BONE_ATTACH) {
        attachNodes.push_back(node);
        attachIds.push_back(NameNumber(name, 6, 3));
        ++attachCount;
    }
    return TREE_CONTINUE;
}

void EnumBone_t::BuildTree() {
    INode* root = host != nullptr ? host->GetRootNode() : nullptr;
    if (root != nullptr) {
        tree = std::make_unique<BoneTree>(root, host);
    } else {
        tree.reset();
    }
}

void EnumBone_t::SortAttachedObjects() {
    // An exchange sort that steps back after each swap: stable, and short lists only (16 at most).
    int i = 0;
    while (i < attachCount - 1) {
        const auto here = static_cast<size_t>(i);
        if (attachIds[here] > attachIds[here + 1]) {
            std::swap(attachIds[here], attachIds[here + 1]);
            std::swap(attachNodes[here], attachNodes[here + 1]);
            if (i > 0) {
                --i;
            }
        } else {
            ++i;
        }
    }
}

void EnumBone_t::Run() {
    if (tree == nullptr || tree->boneCount == 0) {
        return;
    }
    SortAttachedObjects();
    OutputAnimInit();
    OutputHierarchy();
    OutputAttachObjects();
    OutputAttachKeys();
    OutputRotationKeys();
    OutputTranslationKeys();
    OutputTriggers();
}

void EnumBone_t::OutputAnimInit() {
    const Interval range = host->GetAnimRange();
    // Extreme ranges wrap around rather than overflow.
    const std::int64_t start = range.Start();
    const std::int64_t end = range.End();
    rangeStart = range.Start();
    rangeEnd = static_cast<int>(static_cast<std::uint32_t>(end + 1));
    rangeLength = static_cast<int>(static_cast<std::uint32_t>(end - start + 1));
    cyclic = IsCyclic();
    *out << "AnimInit(\"Anim name\"," << tree->boneCount << "," << rangeLength << ","
         << (cyclic ? 1 : 0) << ");" << endl;
}

bool EnumBone_t::IsCyclic() {
    // A key past the end of the range shows an animation that runs on into its own start.
    const auto beyondRange = [this](Control* controller) {
        for (const TimeValue time : ControllerKeyTimes(controller)) {
            if (time > rangeLength - 1) {
                return true;
            }
        }
        return false;
    };
    bool any = false;
    for (int b = 0; b < tree->boneCount; ++b) {
        any = beyondRange(NodeRotationController(tree->bones[static_cast<size_t>(b)].node)) || any;
    }
    for (int b = 0; b < tree->boneCount; ++b) {
        any = beyondRange(NodePositionController(tree->bones[static_cast<size_t>(b)].node)) || any;
    }
    return any && host->GetLoopOption() != FALSE;
}

void EnumBone_t::OutputBones() {
    for (int i = 0; i < tree->boneCount; ++i) {
        const Bone_t& bone = tree->bones[static_cast<size_t>(i)];
        Point3 position;
        tree->GetBonePosition(position, i, 0);
        // Under a mirrored parent the engine sees the offset through the parent's mirroring.
        const int sign = bone.parent >= 0 ? tree->bones[static_cast<size_t>(bone.parent)].sign : 1;
        position *= static_cast<float>(sign);
        const char* name = bone.node->GetName();
        *out << "Bone(" << i << ",\"" << (name ? name : "") << "\"," << bone.parent << ",";
        WritePoint(*out, position);
        *out << ");" << endl;
    }
}

void EnumBone_t::OutputHierarchy() {
    OutputBones();
    *out << "BuildHierarchy();\n";
}
