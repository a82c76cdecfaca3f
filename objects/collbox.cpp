#include "objects/collbox.h"

#include <iterator>

#include "host/object_load.h"
#include "host/param_map.h"
#include "objects/collbox_mesh.h"
#include "objects/collbox_parts.h"
#include "resources/resource_ids.h"
#include "resources/string_ids.h"
#include "services/get_string.h"
#include "services/module_handle.h"

namespace {

constexpr DWORD kParamBlockVersion = 1;

// Sizes and segment counts are animatable; the mapping flag is not.
const ParamBlockDescID kParamBlockDesc[] = {
    {TYPE_FLOAT, nullptr, TRUE, 0}, {TYPE_FLOAT, nullptr, TRUE, 1}, {TYPE_FLOAT, nullptr, TRUE, 2},
    {TYPE_INT, nullptr, TRUE, 3},   {TYPE_INT, nullptr, TRUE, 4},   {TYPE_INT, nullptr, TRUE, 5},
    {TYPE_INT, nullptr, FALSE, 6},
};
constexpr int kParamCount = static_cast<int>(std::size(kParamBlockDesc));

// The first version of the block had no mapping flag.
const ParamVersionDesc kOldVersions[] = {{kParamBlockDesc, 6, 0}};
const ParamVersionDesc kCurrentVersion = {kParamBlockDesc, kParamCount, kParamBlockVersion};

// The three size spinners of the parameter page.
ParamUIDesc kSpinnerDesc[] = {
    {PB_LENGTH, EDITTYPE_UNIVERSE, IDC_LENGTHEDIT, IDC_LENSPINNER, 0.0f, 1.0e30f, -1.0f},
    {PB_WIDTH, EDITTYPE_UNIVERSE, IDC_WIDTHEDIT, IDC_WIDTHSPINNER, 0.0f, 1.0e30f, -1.0f},
    {PB_HEIGHT, EDITTYPE_UNIVERSE, IDC_HEIGHTEDIT, IDC_HEIGHTSPINNER, -1.0e30f, 1.0e30f, -1.0f},
};

// Values shared by every box: what the next new box starts with, and the creation values.
struct ClassState {
    int widthSegs = 1;
    int lengthSegs = 1;
    int heightSegs = 1;
    int createMethod = 0;
    Point3 keyboardPosition;
    float createLength = 0.0f;
    float createWidth = 0.0f;
    float createHeight = 0.0f;
    Interface* ip = nullptr;
    IParamMap* pmap = nullptr;
};

ClassState& State() {
    static ClassState state;
    return state;
}

// Creation values addressed through the box's parameter array.
constexpr int kCreateMethod = 0;
constexpr int kKeyboardPosition = 1;
constexpr int kCreateLength = 2;
constexpr int kCreateWidth = 3;
constexpr int kCreateHeight = 4;

float* CreationSize(int i) {
    switch (i) {
        case kCreateLength:
            return &State().createLength;
        case kCreateWidth:
            return &State().createWidth;
        case kCreateHeight:
            return &State().createHeight;
        default:
            return nullptr;
    }
}

}  // namespace

CollBox::CollBox() {
    const ClassState& state = State();
    pblock = CreateParameterBlock(kParamBlockDesc, kParamCount, kParamBlockVersion);
    pblock->SetValue(PB_LENGTH, 0, state.createLength);
    pblock->SetValue(PB_WIDTH, 0, state.createWidth);
    pblock->SetValue(PB_HEIGHT, 0, state.createHeight);
    pblock->SetValue(PB_WSEGS, 0, state.widthSegs);
    pblock->SetValue(PB_LSEGS, 0, state.lengthSegs);
    pblock->SetValue(PB_HSEGS, 0, state.heightSegs);
    pblock->SetValue(PB_GENUV, 0, 0);
}

const char* CollBox::GetObjectName() {
    return GetString(IDS_COLLBOX);
}

void CollBox::GetClassName(CStr& s) {
    s = GetString(IDS_COLLBOX);
}

void CollBox::BeginEditParams(Interface* ip, ULONG flags, Animatable* prev) {
    SimpleObject::BeginEditParams(ip, flags, prev);
    ClassState& state = State();
    state.ip = ip;
    if (state.pmap == nullptr) {
        state.pmap = CreateCPParamMap(kSpinnerDesc, static_cast<int>(std::size(kSpinnerDesc)),
                                      pblock, ip, hInstance, MAKEINTRESOURCE(IDD_COLLBOX_PARAMS),
                                      GetString(IDS_RB_PARAMETERS), 0);
    } else {
        state.pmap->SetParamBlock(pblock);
    }
}

void CollBox::EndEditParams(Interface* ip, ULONG flags, Animatable* next) {
    SimpleObject::EndEditParams(ip, flags, next);
    ClassState& state = State();
    state.ip = nullptr;
    if (flags & END_EDIT_REMOVEUI) {
        DestroyCPParamMap(state.pmap);
        state.pmap = nullptr;
    }
    const TimeValue t = ip ? ip->GetTime() : 0;
    Interval valid = FOREVER;
    pblock->GetValue(PB_WSEGS, t, state.widthSegs, valid);
    pblock->GetValue(PB_LSEGS, t, state.lengthSegs, valid);
    pblock->GetValue(PB_HSEGS, t, state.heightSegs, valid);
}

void CollBox::BuildMesh(TimeValue t) {
    ivalid = FOREVER;
    float length = 0.0f, width = 0.0f, height = 0.0f;
    int widthSegs = 1, lengthSegs = 1, heightSegs = 1, mapping = 0;
    pblock->GetValue(PB_LENGTH, t, length, ivalid);
    pblock->GetValue(PB_WIDTH, t, width, ivalid);
    pblock->GetValue(PB_HEIGHT, t, height, ivalid);
    pblock->GetValue(PB_WSEGS, t, widthSegs, ivalid);
    pblock->GetValue(PB_LSEGS, t, lengthSegs, ivalid);
    pblock->GetValue(PB_HSEGS, t, heightSegs, ivalid);
    pblock->GetValue(PB_GENUV, t, mapping, ivalid);
    BuildCollBoxMesh(mesh, length, width, height, widthSegs, lengthSegs, heightSegs, mapping != 0);
}

const char* CollBox::GetParameterName(int i) {
    // String ids of the parameters, in parameter-block order (length, width, height, then the
    // width, length and height segments).
    constexpr int kNameIds[] = {IDS_RB_LENGTH, IDS_RB_WIDTH, IDS_RB_HEIGHT,
                                IDS_RB_WSEGS,  IDS_RB_LSEGS, IDS_RB_HSEGS};
    static_assert(PB_LENGTH == 0 && PB_WIDTH == 1 && PB_HEIGHT == 2 && PB_WSEGS == 3 &&
                  PB_LSEGS == 4 && PB_HSEGS == 5);
    return i >= 0 && i < static_cast<int>(std::size(kNameIds)) ? GetString(kNameIds[i]) : "";
}

CollBox::ParamDimension CollBox::GetParameterDim(int i) {
    if (i >= PB_LENGTH && i <= PB_HEIGHT) {
        return ParamDimension::World;
    }
    if (i >= PB_WSEGS && i <= PB_HSEGS) {
        return ParamDimension::Segments;
    }
    return ParamDimension::Default;
}

void CollBox::SetParams(float width, float height, float length, int wsegs, int lsegs, int hsegs,
                        BOOL genUV) {
    pblock->SetValue(PB_WIDTH, 0, width);
    pblock->SetValue(PB_HEIGHT, 0, height);
    pblock->SetValue(PB_LENGTH, 0, length);
    pblock->SetValue(PB_WSEGS, 0, wsegs);
    pblock->SetValue(PB_LSEGS, 0, lsegs);
    pblock->SetValue(PB_HSEGS, 0, hsegs);
    pblock->SetValue(PB_GENUV, 0, genUV);
    // Our parameter block tells no dependents of a change, so the cached mesh is dropped here.
    ivalid.SetEmpty();
}

CollBox* CollBox::Clone() {
    auto* box = new CollBox();
    box->SetReference(0, pblock->Clone());
    box->ivalid.SetEmpty();
    return box;
}

ReferenceTarget* CollBox::GetReference(int i) {
    return i == 0 ? pblock : nullptr;
}

void CollBox::SetReference(int i, ReferenceTarget* target) {
    if (i != 0) {
        return;
    }
    // Only a parameter block can take the place of the box's block.
    auto* block = dynamic_cast<IParamBlock*>(target);
    if (block == nullptr || block == pblock) {
        return;
    }
    // The box owns its block: the one it replaces goes.
    delete pblock;
    pblock = block;
    ivalid.SetEmpty();
}

Animatable* CollBox::SubAnim(int i) {
    return i == 0 ? pblock : nullptr;
}

BOOL CollBox::SetValue(int i, TimeValue, int v) {
    if (i == kCreateMethod) {
        State().createMethod = v;
    }
    return TRUE;
}

BOOL CollBox::SetValue(int i, TimeValue, float v) {
    if (float* size = CreationSize(i)) {
        *size = v;
    }
    return TRUE;
}

BOOL CollBox::SetValue(int i, TimeValue, Point3& v) {
    if (i == kKeyboardPosition) {
        State().keyboardPosition = v;
    }
    return TRUE;
}

BOOL CollBox::GetValue(int i, TimeValue, int& v, Interval&) {
    if (i == kCreateMethod) {
        v = State().createMethod;
    }
    return TRUE;
}

BOOL CollBox::GetValue(int i, TimeValue, float& v, Interval&) {
    if (const float* size = CreationSize(i)) {
        v = *size;
    }
    return TRUE;
}

BOOL CollBox::GetValue(int i, TimeValue, Point3& v, Interval&) {
    if (i == kKeyboardPosition) {
        v = State().keyboardPosition;
    }
    return TRUE;
}

void CollBox::ResetClassParams() {
    Interface* ip = State().ip;
    IParamMap* pmap = State().pmap;
    State() = ClassState();
    State().ip = ip;
    State().pmap = pmap;
}

int CollBox::CreationMethod() {
    return State().createMethod;
}

IParamMap* CollBox::ParamMap() {
    return State().pmap;
}

void CollBox::InvalidateUI() {
    if (State().pmap != nullptr) {
        State().pmap->Invalidate();
    }
}

int CollBox::Display(TimeValue t, INode* inode, ViewExp* vpt, int flags) {
    if (vpt == nullptr || !vpt->IsWire()) {
        return 0;
    }
    return SimpleObject::Display(t, inode, vpt, flags);
}

CreateMouseCallBack* CollBox::GetCreateMouseCallBack() {
    return CollBoxCreateCallBackFor(this);
}

int CollBox::CanConvertToType(Class_ID obtype) {
    return obtype == patchObjectClassID ? 1 : SimpleObject::CanConvertToType(obtype);
}

Object* CollBox::ConvertToType(TimeValue t, Class_ID obtype) {
    if (obtype == patchObjectClassID) {
        Interval valid = FOREVER;
        float length = 0.0f, width = 0.0f, height = 0.0f;
        int mapping = 0;
        pblock->GetValue(PB_LENGTH, t, length, valid);
        pblock->GetValue(PB_WIDTH, t, width, valid);
        pblock->GetValue(PB_HEIGHT, t, height, valid);
        pblock->GetValue(PB_GENUV, t, mapping, valid);
        auto* patch = new PatchObject();
        BuildCollBoxPatch(patch->patch, length, width, height, mapping != 0);
        patch->SetChannelValidity(TOPO_CHAN_NUM, valid);
        patch->SetChannelValidity(GEOM_CHAN_NUM, valid);
        patch->UnlockObject();
        return patch;
    }
    return SimpleObject::ConvertToType(t, obtype);
}

void CollBox::Load(ILoad* iload) {
    iload->RegisterPostLoadCallback(new ParamBlockPLCB(
        kOldVersions, static_cast<int>(std::size(kOldVersions)), &kCurrentVersion, this, 0));
}
