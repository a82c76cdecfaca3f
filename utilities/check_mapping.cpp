#include "utilities/check_mapping.h"

#include <cmath>

#include "resources/resource_ids.h"

namespace {

constexpr double kLowerBound = -100000.0;
constexpr double kUpperBound = 100000.0;

const PanelButton kButtons[] = {{IDC_CHECK_MAPPING, "Check mapping"}};
const int kStatusLines[] = {IDC_STATUS};
const PanelDescription kPanel = {IDD_CHECKMAPPING, "Check Mapping", kButtons, kStatusLines};

// A texture vertex is unusable when U or V is not a number or lies outside the bounds.
bool BadTextureVertex(const UVVert& t) {
    const double u = t.x;
    const double v = t.y;
    return std::isnan(u) || std::isnan(v) || u < kLowerBound || u > kUpperBound ||
           v < kLowerBound || v > kUpperBound;
}

bool CheckMesh(INode*, Mesh& mesh, std::vector<int>& bad) {
    const int faces = mesh.getNumFaces();
    if (mesh.getNumTVerts() == 0) {
        for (int f = 0; f < faces; ++f) {
            bad.push_back(f);
        }
        return true;
    }
    const auto tverts = static_cast<DWORD>(mesh.getNumTVerts());
    for (int f = 0; f < faces; ++f) {
        // A face without a texture face, or one naming a missing texture vertex, has no usable
        // coordinates either.
        if (static_cast<size_t>(f) >= mesh.tvFace.size()) {
            bad.push_back(f);
            continue;
        }
        const TVFace& tf = mesh.tvFace[static_cast<size_t>(f)];
        for (int c = 0; c < 3; ++c) {
            if (tf.t[c] >= tverts || BadTextureVertex(mesh.getTVert(static_cast<int>(tf.t[c])))) {
                bad.push_back(f);
                break;
            }
        }
    }
    return !bad.empty();
}

}  // namespace

const MarkingCheck kCheckMapping = {IDC_CHECK_MAPPING, IDC_STATUS, CheckMappingNode, "Mapping OK",
                                    "Mapping not OK."};

CheckFindings CheckMappingNode(INode* node) {
    return CheckSceneMeshes(node, CheckMesh);
}

CheckMapping::CheckMapping() : MarkingCheckPanel(kPanel, kCheckMapping) {}
