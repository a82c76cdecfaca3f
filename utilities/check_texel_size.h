// The texel-size check: the smallest and largest texel density (texture pixels per square scene
// unit) over every textured face of the scene, leaving out faces that cover a single colour of
// their bitmap, which are counted instead.
#pragma once

#include <string>

#include "utilities/utility_panel.h"

class Texmap;
class Mtl;

struct TexelFindings {
    static constexpr float kMinStart = 3.40282347e+38f;
    static constexpr float kMaxStart = 1.17549435e-38f;
    float min = kMinStart;
    float max = kMaxStart;
    // Faces counted as single-coloured, and faces whose ratio was taken.
    int SCT = 0;
    int measuredFaces = 0;
    // Whether any face changed the range (the status lines stay empty otherwise).
    bool Measured() const { return min != kMinStart; }
};

// Measures the faces of `node` and of the nodes below it.
TexelFindings CheckTexelNode(INode* node);
// The texts of status lines 1008 ("Min: %.1f Max: %.1f") and 1010 ("# SCT: %d"); both empty
// when nothing was measured.
std::string TexelRangeText(const TexelFindings& findings);
std::string TexelCountText(const TexelFindings& findings);

// The bitmap texture that the material's diffuse slot leads to, through RGB-multiply maps, or
// null.
Texmap* FindBitmapTexture(Mtl* material);

class CheckTexelSizeDlgProc : public UtilityDlgProc {
  public:
    explicit CheckTexelSizeDlgProc(UtilityPanel* owner);
    const TexelFindings& LastFindings() const { return findings_; }

  protected:
    void ButtonDown(int id) override;

  private:
    TexelFindings findings_;
};

class CheckTexelSize : public UtilityPanel {
  public:
    CheckTexelSize();

  protected:
    ParamMapUserDlgProc* CreateDlgProc() override;
};
