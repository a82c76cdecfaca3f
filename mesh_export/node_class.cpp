#include "mesh_export/node_class.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "host/cstr.h"

namespace {

// The first `count` characters of the name upper-cased; a shorter name gives a shorter text.
std::string UpperPrefix(const char* name, int count) {
    CStr prefix = CStr(name).Substr(0, count);
    prefix.toUpper();
    return prefix.str();
}

}  // namespace

int NameNumber(const char* name, int start, int count) {
    const int length = static_cast<int>(std::strlen(name));
    std::string digits;
    if (start < length) {
        digits.assign(name + start, static_cast<size_t>(std::min(count, length - start)));
    }
    size_t i = 0;
    while (i < digits.size() && (digits[i] == ' ' || digits[i] == '\t' || digits[i] == '\n' ||
                                 digits[i] == '\v' || digits[i] == '\f' || digits[i] == '\r')) {
        ++i;
    }
    bool negative = false;
    if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) {
        negative = digits[i] == '-';
        ++i;
    }
    long value = 0;
    for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
        value = value * 10 + (digits[i] - '0');
    }
    return static_cast<int>(negative ? -value : value);
}

MeshNodeClassification ClassifyMeshNode(INode* node, Object* object) {
    MeshNodeClassification result;
    if (object == nullptr || object->SuperClassID() != GEOMOBJECT_CLASS_ID ||
        !object->CanConvertToType(triObjectClassID)) {
        return result;
    }
    const char* name = node->GetName();
    const bool sphere = object->CanConvertToType(sphereClassID) != 0;
    if (sphere && UpperPrefix(name, 5) == "MAGIC") {
        result.nodeClass = MeshNodeClass::MagicVertex;
    } else if (sphere && UpperPrefix(name, 4) == "GLOW") {
        result.nodeClass = MeshNodeClass::GlowPoint;
    } else if (UpperPrefix(name, 6) == "ATTACH") {
        result.nodeClass = MeshNodeClass::AttachedObject;
        result.attachNumber = NameNumber(name, 6, 3);
    } else if (UpperPrefix(name, 7) == "TRIGGER") {
        result.nodeClass = MeshNodeClass::Trigger;
    } else if (node->IsHidden(0, FALSE) != 0) {
        result.nodeClass = MeshNodeClass::Hidden;
    } else {
        result.nodeClass = MeshNodeClass::MainObject;
    }
    return result;
}
