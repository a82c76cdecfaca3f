// Copying one bone onto another: its node transform and the raw keys of its position, rotation
// and scale controllers.
#include <memory>

#include "host/control.h"
#include "utilities/copy_bones.h"

namespace {

template <typename Key>
std::unique_ptr<IKey> MakeKey() {
    return std::make_unique<Key>();
}

struct KeyKind {
    Class_ID controller;
    std::unique_ptr<IKey> (*make)();
};

// The keyframe controllers whose keys the copy knows, with the key type each holds.
constexpr KeyKind kKeyKinds[] = {
    {bezierPositionClassID, MakeKey<IBezPoint3Key>},
    {linearPositionClassID, MakeKey<ILinPoint3Key>},
    {tcbPositionClassID, MakeKey<ITCBPoint3Key>},
    {bezierRotationClassID, MakeKey<IBezQuatKey>},
    {linearRotationClassID, MakeKey<ILinRotKey>},
    {tcbRotationClassID, MakeKey<ITCBRotKey>},
    {bezierScaleClassID, MakeKey<IBezScaleKey>},
    {linearScaleClassID, MakeKey<ILinScaleKey>},
    {tcbScaleClassID, MakeKey<ITCBScaleKey>},
};

// A key of the type that a keyframe controller of this class holds, or null for a controller
// whose keys this copy does not know.
std::unique_ptr<IKey> KeyFor(Control* control) {
    const Class_ID id = control->ClassID();
    for (const KeyKind& kind : kKeyKinds) {
        if (id == kind.controller) {
            return kind.make();
        }
    }
    return nullptr;
}

// D's key list becomes S's: its count, then every key.
void CopyKeys(Control* from, Control* to) {
    if (from == nullptr || to == nullptr) {
        return;
    }
    IKeyControl* source = GetKeyControlInterface(from);
    IKeyControl* target = GetKeyControlInterface(to);
    std::unique_ptr<IKey> key = KeyFor(from);
    if (source == nullptr || target == nullptr || key == nullptr) {
        return;
    }
    const int count = source->GetNumKeys();
    target->SetNumKeys(count);
    for (int i = 0; i < count; ++i) {
        source->GetKey(i, key.get());
        target->SetKey(i, key.get());
    }
}

}  // namespace

void CopyBone(INode* from, INode* to, const BoneCopyOptions& options) {
    if (options.nodeData) {
        Matrix3 tm = from->GetNodeTM(0);
        if (!options.position) {
            tm.SetTrans(to->GetNodeTM(0).GetTrans());
        }
        to->SetNodeTM(0, tm);
    }
    Control* fromTM = from->GetTMController();
    Control* toTM = to->GetTMController();
    if (fromTM == nullptr || toTM == nullptr) {
        return;
    }
    if (options.rotation) {
        CopyKeys(fromTM->GetRotationController(), toTM->GetRotationController());
    }
    if (options.position) {
        CopyKeys(fromTM->GetPositionController(), toTM->GetPositionController());
    }
    if (options.scale) {
        CopyKeys(fromTM->GetScaleController(), toTM->GetScaleController());
    }
}
