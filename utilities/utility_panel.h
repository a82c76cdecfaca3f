// What the seven utility panels share: the host's utility object with a parameter array through
// which a panel's values are read and written, and the host interface kept while it is open.
#pragma once

#include "host/plugin_classes.h"

class UtilityPanel : public UtilityObj, public IParamArray {
  public:
    void BeginEditParams(Interface* ip, IUtil* iu) override;
    void EndEditParams(Interface* ip, IUtil* iu) override;
    // Frees the panel; the class descriptor made it with new.
    void DeleteThis() override;

    // The host interface while the panel is open, else null.
    Interface* GetInterface() const { return ip_; }

  private:
    Interface* ip_ = nullptr;
};
