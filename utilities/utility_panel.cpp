#include "utilities/utility_panel.h"

void UtilityPanel::BeginEditParams(Interface* ip, IUtil*) {
    ip_ = ip;
}

void UtilityPanel::EndEditParams(Interface*, IUtil*) {
    ip_ = nullptr;
}

void UtilityPanel::DeleteThis() {
    delete this;
}
