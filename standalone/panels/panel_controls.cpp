#include "standalone/panels/panel_controls.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace pellucid::standalone::panels {

namespace {

// Copies at most size - 1 characters and a terminator, as the host's GetText does.
void CopyOut(const std::string& text, char* out, int size) {
    if (out == nullptr || size <= 0) {
        return;
    }
    const size_t n = std::min(text.size(), static_cast<size_t>(size) - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

}  // namespace

void ButtonControl::SetTooltip(BOOL onOff, const char* t) {
    tooltipOn = onOff != FALSE;
    tooltip = t != nullptr ? t : "";
}

void StatusControl::GetText(char* out, int size) {
    CopyOut(text, out, size);
}

void EditControl::GetText(char* out, int size) {
    CopyOut(text, out, size);
}

void SpinnerControl::SetValue(float v, int) {
    if (std::isnan(v)) {
        return;
    }
    value = std::clamp(v, low, high);
    if (integer) {
        value = std::round(value);
    }
}

void SpinnerControl::SetLimits(float lo, float hi, int limitCurValue) {
    low = std::min(lo, hi);
    high = std::max(lo, hi);
    if (limitCurValue) {
        value = std::clamp(value, low, high);
    }
}

float SpinnerControl::Step() const {
    if (integer) {
        return scale > 1.0f ? std::round(scale) : 1.0f;
    }
    if (scale > 0.0f) {
        return scale;
    }
    // An automatic step: a hundredth of the value's size, at least a thousandth of a unit.
    return std::max(std::fabs(value) / 100.0f, 0.001f);
}

}  // namespace pellucid::standalone::panels
