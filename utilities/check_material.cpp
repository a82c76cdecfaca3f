#include "utilities/check_material.h"

#include <string_view>

#include "mesh_export/materials.h"
#include "resources/resource_ids.h"

namespace {

const PanelButton kButtons[] = {{IDC_CHECK_MATERIAL, "Check material"}};
const int kStatusLines[] = {IDC_STATUS};
const PanelDescription kPanel = {IDD_CHECKMATERIAL, "Check Material", kButtons, kStatusLines};

// Tested in this order; each name is searched afresh for every face.
constexpr std::string_view kKeywords[] = {"_M", "LINE", "TRANSPARENT", "PORTAL"};

bool CheckMesh(INode* node, Mesh& mesh, std::vector<int>& bad) {
    for (int f = 0; f < mesh.getNumFaces(); ++f) {
        Mtl* material = GetMaterialPtr(node, &mesh, f);
        bool known = false;
        if (material != nullptr) {
            for (std::string_view keyword : kKeywords) {
                if (NameHasKeyword(material->GetName(), keyword)) {
                    known = true;
                    break;
                }
            }
        }
        if (!known) {
            bad.push_back(f);
        }
    }
    return !bad.empty();
}

}  // namespace

const MarkingCheck kCheckMaterial = {IDC_CHECK_MATERIAL, IDC_STATUS, CheckMaterialNode,
                                     "Material OK", "Material not OK."};

CheckFindings CheckMaterialNode(INode* node) {
    return CheckSceneMeshes(node, CheckMesh);
}

CheckMaterial::CheckMaterial() : MarkingCheckPanel(kPanel, kCheckMaterial) {}
