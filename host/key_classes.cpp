#include "host/key_classes.h"

namespace {

template <typename Key>
std::unique_ptr<IKey> MakeKey() {
    return std::make_unique<Key>();
}

struct KeyOfClass {
    Class_ID controller;
    std::unique_ptr<IKey> (*make)();
};

constexpr KeyOfClass kKeysOfClasses[] = {
    {bezierPositionClassID, MakeKey<IBezPoint3Key>},
    {linearPositionClassID, MakeKey<ILinPoint3Key>},
    {tcbPositionClassID, MakeKey<ITCBPoint3Key>},
    {bezierRotationClassID, MakeKey<IBezQuatKey>},
    {linearRotationClassID, MakeKey<ILinRotKey>},
    {tcbRotationClassID, MakeKey<ITCBRotKey>},
    {bezierScaleClassID, MakeKey<IBezScaleKey>},
    {linearScaleClassID, MakeKey<ILinScaleKey>},
    {tcbScaleClassID, MakeKey<ITCBScaleKey>},
    {bezierFloatClassID, MakeKey<IBezFloatKey>},
    {linearFloatClassID, MakeKey<IBezFloatKey>},
    {onOffFloatClassID, MakeKey<IBezFloatKey>},
};

}  // namespace

std::unique_ptr<IKey> NewKeyOfClass(const Class_ID& controller) {
    for (const KeyOfClass& entry : kKeysOfClasses) {
        if (entry.controller == controller) {
            return entry.make();
        }
    }
    return nullptr;
}
