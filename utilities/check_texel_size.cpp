#include "utilities/check_texel_size.h"

#include <cstdio>
#include <map>
#include <memory>
#include <new>
#include <vector>

#include "host/interface.h"
#include "host/material.h"
#include "mesh_export/materials.h"
#include "resources/resource_ids.h"
#include "utilities/check_helpers.h"
#include "utilities/single_colour.h"

namespace {

const PanelButton kButtons[] = {{IDC_CHECK_TEXELSIZE, "Check texelsize"}};
const int kStatusLines[] = {IDC_TEXELSIZE_STATUS, IDC_TEXELSIZE_STATUS2};
const PanelDescription kPanel = {IDD_CHECKTEXELSIZE, "Check Texelsize", kButtons, kStatusLines};

// One walk keeps one single-colour test per bitmap, so a bitmap's index is built once.
class TexelWalk {
  public:
    void MeasureNode(INode* node, TexelFindings& findings);

  private:
    SingleColourTest& TestFor(Bitmap* bitmap) {
        auto& test = tests_[bitmap];
        if (!test) {
            test = std::make_unique<SingleColourTest>(bitmap);
        }
        return *test;
    }
    std::map<Bitmap*, std::unique_ptr<SingleColourTest>> tests_;
};

float Dot(const Point2& a, const Point2& b) {
    return a.x * b.x + a.y * b.y;
}

void TexelWalk::MeasureNode(INode* node, TexelFindings& findings) {
    EvaluatedMesh evaluated(node);
    Mesh* mesh = evaluated.GetMesh();
    if (mesh == nullptr) {
        return;
    }
    const auto verts = static_cast<DWORD>(mesh->getNumVerts());
    const auto tverts = static_cast<DWORD>(mesh->getNumTVerts());
    for (int f = 0; f < mesh->getNumFaces(); ++f) {
        Mtl* material = GetMaterialPtr(node, mesh, f);
        if (material == nullptr) {
            continue;
        }
        auto* texture = dynamic_cast<BitmapTex*>(FindBitmapTexture(material));
        if (texture == nullptr) {
            continue;
        }
        float su = 1.0f;
        float sv = 1.0f;
        if (auto* uvGen = dynamic_cast<StdUVGen*>(texture->GetTheUVGen())) {
            su = uvGen->GetUScl(0);
            sv = uvGen->GetVScl(0);
        }
        // Faces without texture coordinates, or whose texture face is missing, are skipped.
        if (tverts == 0 || static_cast<size_t>(f) >= mesh->tvFace.size()) {
            continue;
        }
        const TVFace& tf = mesh->tvFace[static_cast<size_t>(f)];
        const Face& face = mesh->faces[static_cast<size_t>(f)];
        if (tf.t[0] >= tverts || tf.t[1] >= tverts || tf.t[2] >= tverts || face.v[0] >= verts ||
            face.v[1] >= verts || face.v[2] >= verts) {
            continue;
        }
        Point2 t[3];
        for (int k = 0; k < 3; ++k) {
            const UVVert& uv = mesh->getTVert(static_cast<int>(tf.t[k]));
            t[k] = Point2(su * uv.x, sv * uv.y);
        }
        // A map whose image did not load has no bitmap: its faces are skipped.
        Bitmap* bitmap = texture->GetBitmap(0);
        if (bitmap == nullptr) {
            continue;
        }
        if (TestFor(bitmap).IsSingleColour(t[0], t[1], t[2])) {
            ++findings.SCT;
            continue;
        }
        const int width = bitmap->Width();
        const int height = bitmap->Height();
        if (width == 0 || height == 0) {
            assert1(378, "checktexelsize");
            continue;
        }
        const Point3 p0 = mesh->getVert(static_cast<int>(face.v[0]));
        const Point3 e1 = mesh->getVert(static_cast<int>(face.v[1])) - p0;
        const Point3 e2 = mesh->getVert(static_cast<int>(face.v[2])) - p0;
        const Point3 n = Normalize(e1);
        const Point3 h = n * (e2 % n) - e2;
        const float areaInSpace = 0.5f * Length(e1) * Length(h);
        const auto w = static_cast<float>(width);
        const auto hh = static_cast<float>(height);
        const Point2 d1(w * (t[1].x - t[0].x), hh * (t[1].y - t[0].y));
        const Point2 d2(w * (t[2].x - t[0].x), hh * (t[2].y - t[0].y));
        const Point2 m = Normalize(d1);
        const Point2 g = m * Dot(d2, m) - d2;
        const float areaInTexels = 0.5f * d1.Length() * g.Length();
        // A face without area in space has no density to show.
        if (areaInSpace == 0.0f) {
            continue;
        }
        const float ratio = areaInTexels / areaInSpace;
        ++findings.measuredFaces;
        if (ratio > findings.max) {
            findings.max = ratio;
        }
        if (ratio < findings.min) {
            findings.min = ratio;
        }
    }
}

}  // namespace

Texmap* FindBitmapTexture(Mtl* material) {
    MtlBase* current = material;
    // A chain of RGB-multiply maps that leads back to itself would never end: each map is
    // followed once.
    std::vector<MtlBase*> seen;
    while (current != nullptr) {
        Texmap* texture = current->GetSubTexmap(1);
        if (texture == nullptr) {
            return nullptr;
        }
        if (texture->ClassID() == bmTexClassID) {
            return texture;
        }
        if (texture->ClassID() != rgbMultClassID) {
            return nullptr;
        }
        for (MtlBase* s : seen) {
            if (s == texture) {
                return nullptr;
            }
        }
        seen.push_back(texture);
        current = texture;
    }
    return nullptr;
}

TexelFindings CheckTexelNode(INode* node) {
    TexelFindings findings;
    TexelWalk walk;
    std::vector<INode*> pending{node};
    while (!pending.empty()) {
        INode* next = pending.back();
        pending.pop_back();
        if (next == nullptr) {
            continue;
        }
        walk.MeasureNode(next, findings);
        for (int i = next->NumberOfChildren() - 1; i >= 0; --i) {
            pending.push_back(next->GetChildNode(i));
        }
    }
    return findings;
}

std::string TexelRangeText(const TexelFindings& findings) {
    if (!findings.Measured()) {
        return "";
    }
    char text[128];
    std::snprintf(text, sizeof text, "Min: %.1f Max: %.1f", static_cast<double>(findings.min),
                  static_cast<double>(findings.max));
    return text;
}

std::string TexelCountText(const TexelFindings& findings) {
    if (!findings.Measured()) {
        return "";
    }
    char text[64];
    std::snprintf(text, sizeof text, "# SCT: %d", findings.SCT);
    return text;
}

CheckTexelSizeDlgProc::CheckTexelSizeDlgProc(UtilityPanel* owner)
    : UtilityDlgProc(owner, owner->Description()) {}

void CheckTexelSizeDlgProc::ButtonDown(int id) {
    if (id != IDC_CHECK_TEXELSIZE || GetInterface() == nullptr) {
        return;
    }
    findings_ = CheckTexelNode(GetInterface()->GetRootNode());
    SetStatusText(IDC_TEXELSIZE_STATUS, TexelRangeText(findings_).c_str());
    SetStatusText(IDC_TEXELSIZE_STATUS2, TexelCountText(findings_).c_str());
}

CheckTexelSize::CheckTexelSize() : UtilityPanel(kPanel) {}

ParamMapUserDlgProc* CheckTexelSize::CreateDlgProc() {
    return new (std::nothrow) CheckTexelSizeDlgProc(this);
}
