#include "host/parameters.h"

IParamBlock::IParamBlock(const ParamBlockDescID* desc, int count, DWORD version)
    : version_(version) {
    for (int i = 0; i < count; ++i) {
        Param p;
        p.type = desc[i].type;
        params_.push_back(p);
    }
}

namespace {

bool IsNumber(ParamType type) {
    return type == TYPE_FLOAT || type == TYPE_INT || type == TYPE_BOOL;
}

bool IsPoint(ParamType type) {
    return type == TYPE_POINT3 || type == TYPE_RGBA;
}

// Stores a number in a float, int or bool parameter, converting as the host does.
template <class Param, class T>
BOOL SetNumber(Param* p, T v) {
    if (p == nullptr || !IsNumber(p->type)) {
        return FALSE;
    }
    if (p->type == TYPE_FLOAT) {
        p->f = static_cast<float>(v);
    } else {
        p->i = static_cast<int>(v);
    }
    return TRUE;
}

template <class Param, class T>
BOOL GetNumber(const Param* p, T& v) {
    if (p == nullptr || !IsNumber(p->type)) {
        return FALSE;
    }
    v = p->type == TYPE_FLOAT ? static_cast<T>(p->f) : static_cast<T>(p->i);
    return TRUE;
}

}  // namespace

IParamBlock::Param* IParamBlock::At(int i) {
    return i >= 0 && i < NumParams() ? &params_[static_cast<size_t>(i)] : nullptr;
}

BOOL IParamBlock::Counted(BOOL set) {
    if (set) {
        ++changes_;
    }
    return set;
}

BOOL IParamBlock::SetValue(int i, TimeValue, float v) {
    return Counted(SetNumber(At(i), v));
}

BOOL IParamBlock::SetValue(int i, TimeValue, int v) {
    return Counted(SetNumber(At(i), v));
}

BOOL IParamBlock::SetValue(int i, TimeValue, Point3& v) {
    Param* p = At(i);
    if (p == nullptr || !IsPoint(p->type)) {
        return FALSE;
    }
    p->p = v;
    return Counted(TRUE);
}

BOOL IParamBlock::GetValue(int i, TimeValue, float& v, Interval&) {
    return GetNumber(At(i), v);
}

BOOL IParamBlock::GetValue(int i, TimeValue, int& v, Interval&) {
    return GetNumber(At(i), v);
}

BOOL IParamBlock::GetValue(int i, TimeValue, Point3& v, Interval&) {
    const Param* p = At(i);
    if (p == nullptr || !IsPoint(p->type)) {
        return FALSE;
    }
    v = p->p;
    return TRUE;
}

IParamBlock* CreateParameterBlock(const ParamBlockDescID* desc, int count, DWORD version) {
    return new IParamBlock(desc, count, version);
}
