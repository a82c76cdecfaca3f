#include "host/parameters.h"

IParamBlock::IParamBlock(const ParamBlockDescID* desc, int count, DWORD version)
    : version_(version) {
    for (int i = 0; i < count; ++i) {
        Param p;
        p.type = desc[i].type;
        params_.push_back(p);
    }
}

BOOL IParamBlock::SetValue(int i, TimeValue, float v) {
    if (i < 0 || i >= NumParams()) {
        return FALSE;
    }
    Param& p = params_[static_cast<size_t>(i)];
    if (p.type == TYPE_FLOAT) {
        p.f = v;
    } else if (p.type == TYPE_INT || p.type == TYPE_BOOL) {
        p.i = static_cast<int>(v);
    } else {
        return FALSE;
    }
    ++changes_;
    return TRUE;
}

BOOL IParamBlock::SetValue(int i, TimeValue, int v) {
    if (i < 0 || i >= NumParams()) {
        return FALSE;
    }
    Param& p = params_[static_cast<size_t>(i)];
    if (p.type == TYPE_INT || p.type == TYPE_BOOL) {
        p.i = v;
    } else if (p.type == TYPE_FLOAT) {
        p.f = static_cast<float>(v);
    } else {
        return FALSE;
    }
    ++changes_;
    return TRUE;
}

BOOL IParamBlock::SetValue(int i, TimeValue, Point3& v) {
    if (i < 0 || i >= NumParams()) {
        return FALSE;
    }
    Param& p = params_[static_cast<size_t>(i)];
    if (p.type != TYPE_POINT3 && p.type != TYPE_RGBA) {
        return FALSE;
    }
    p.p = v;
    ++changes_;
    return TRUE;
}

BOOL IParamBlock::GetValue(int i, TimeValue, float& v, Interval&) {
    if (i < 0 || i >= NumParams()) {
        return FALSE;
    }
    const Param& p = params_[static_cast<size_t>(i)];
    if (p.type == TYPE_FLOAT) {
        v = p.f;
    } else if (p.type == TYPE_INT || p.type == TYPE_BOOL) {
        v = static_cast<float>(p.i);
    } else {
        return FALSE;
    }
    return TRUE;
}

BOOL IParamBlock::GetValue(int i, TimeValue, int& v, Interval&) {
    if (i < 0 || i >= NumParams()) {
        return FALSE;
    }
    const Param& p = params_[static_cast<size_t>(i)];
    if (p.type == TYPE_INT || p.type == TYPE_BOOL) {
        v = p.i;
    } else if (p.type == TYPE_FLOAT) {
        v = static_cast<int>(p.f);
    } else {
        return FALSE;
    }
    return TRUE;
}

BOOL IParamBlock::GetValue(int i, TimeValue, Point3& v, Interval&) {
    if (i < 0 || i >= NumParams()) {
        return FALSE;
    }
    const Param& p = params_[static_cast<size_t>(i)];
    if (p.type != TYPE_POINT3 && p.type != TYPE_RGBA) {
        return FALSE;
    }
    v = p.p;
    return TRUE;
}

IParamBlock* CreateParameterBlock(const ParamBlockDescID* desc, int count, DWORD version) {
    return new IParamBlock(desc, count, version);
}
