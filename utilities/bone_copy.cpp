// Copying one bone onto another: its node transform and the raw keys of its position, rotation
// and scale controllers.
#include <memory>

#include "host/key_classes.h"
#include "utilities/copy_bones.h"

namespace {

// D's key list becomes S's: its count, then every key.
void CopyKeys(Control* from, Control* to) {
    if (from == nullptr || to == nullptr) {
        return;
    }
    IKeyControl* source = GetKeyControlInterface(from);
    IKeyControl* target = GetKeyControlInterface(to);
    std::unique_ptr<IKey> key = NewKeyOfClass(from->ClassID());
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
