#include "services/control_init.h"

namespace {

ControlInitialisations& Counts() {
    static ControlInitialisations counts;
    return counts;
}

}  // namespace

void InitCustomControls(HINSTANCE) {
    ++Counts().customControls;
}

void InitCommonControls() {
    ++Counts().commonControls;
}

ControlInitialisations GetControlInitialisations() {
    return Counts();
}

void ResetControlInitialisations() {
    Counts() = ControlInitialisations();
}
