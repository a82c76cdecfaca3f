#include "host/object_load.h"

IParamBlock* UpdateParameterBlock(const ParamBlockDescID* oldDesc, int oldCount, IParamBlock* old,
                                  const ParamBlockDescID* newDesc, int newCount, DWORD newVersion) {
    auto* block = new IParamBlock(newDesc, newCount, newVersion);
    for (int n = 0; n < newCount; ++n) {
        for (int o = 0; o < oldCount && o < old->NumParams(); ++o) {
            if (oldDesc[o].id != newDesc[n].id) {
                continue;
            }
            Interval valid = FOREVER;
            if (newDesc[n].type == TYPE_FLOAT) {
                float v = 0.0f;
                old->GetValue(o, 0, v, valid);
                block->SetValue(n, 0, v);
            } else if (newDesc[n].type == TYPE_INT || newDesc[n].type == TYPE_BOOL) {
                int v = 0;
                old->GetValue(o, 0, v, valid);
                block->SetValue(n, 0, v);
            } else {
                Point3 v;
                old->GetValue(o, 0, v, valid);
                block->SetValue(n, 0, v);
            }
            break;
        }
    }
    return block;
}

void ParamBlockPLCB::proc(ILoad*) {
    auto* block =
        target_ != nullptr ? dynamic_cast<IParamBlock*>(target_->GetReference(refNum_)) : nullptr;
    if (block != nullptr && block->GetVersion() != current_->version) {
        for (int i = 0; i < count_; ++i) {
            if (versions_[i].version == block->GetVersion()) {
                target_->SetReference(
                    refNum_,
                    UpdateParameterBlock(versions_[i].desc, versions_[i].count, block,
                                         current_->desc, current_->count, current_->version));
                break;
            }
        }
    }
    // The host's post-load callbacks free themselves once they have run.
    delete this;
}
