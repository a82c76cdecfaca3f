#include "bone_export/trigger_time.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "host/control.h"

namespace {

bool VisibleAt(INode* node, TimeValue t) {
    return node->GetVisibility(t) > 0.0f;
}

TimeValue ScanTickByTick(INode* node, TimeValue start, TimeValue end) {
    for (TimeValue t = start; t < end; ++t) {
        if (VisibleAt(node, t)) {
            return t;
        }
    }
    return end;
}

// The first visible tick of [first, last], where visibility cannot go from shown to hidden and
// back inside the span: a piece between two keys of a linear or step track.
std::optional<TimeValue> FirstVisibleInPiece(INode* node, TimeValue first, TimeValue last) {
    if (VisibleAt(node, first)) {
        return first;
    }
    if (last <= first || !VisibleAt(node, last)) {
        return std::nullopt;
    }
    // Hidden at `hidden`, visible at `shown`; the change lies between them.
    std::int64_t hidden = first;
    std::int64_t shown = last;
    while (shown - hidden > 1) {
        const std::int64_t middle = hidden + (shown - hidden) / 2;
        if (VisibleAt(node, static_cast<TimeValue>(middle))) {
            shown = middle;
        } else {
            hidden = middle;
        }
    }
    return static_cast<TimeValue>(shown);
}

}  // namespace

TimeValue FirstVisibleTick(INode* node, TimeValue start, TimeValue end) {
    if (start >= end) {
        return start;
    }
    Control* track = node->GetVisController();
    if (track == nullptr) {
        return VisibleAt(node, start) ? start : end;
    }
    IKeyControl* keys = GetKeyControlInterface(track);
    const Class_ID kind = track->ClassID();
    if (keys == nullptr || (kind != linearFloatClassID && kind != onOffFloatClassID)) {
        return ScanTickByTick(node, start, end);
    }

    // The pieces begin at the start of the range and at every key inside it; between two of
    // them the track is a straight line or a constant.
    const TimeValue last = end - 1;
    std::vector<TimeValue> pieceStarts{start};
    const int keyCount = keys->GetNumKeys();
    for (int i = 0; i < keyCount; ++i) {
        IBezFloatKey key;
        keys->GetKey(i, &key);
        if (key.time > start && key.time <= last) {
            pieceStarts.push_back(key.time);
        }
    }
    std::sort(pieceStarts.begin(), pieceStarts.end());
    pieceStarts.erase(std::unique(pieceStarts.begin(), pieceStarts.end()), pieceStarts.end());

    for (size_t i = 0; i < pieceStarts.size(); ++i) {
        const TimeValue pieceLast = i + 1 < pieceStarts.size() ? pieceStarts[i + 1] - 1 : last;
        if (const auto found = FirstVisibleInPiece(node, pieceStarts[i], pieceLast)) {
            return *found;
        }
    }
    return end;
}
