#include "mesh_export/enum_mesh.h"
#include "mesh_export/materials.h"
#include "mesh_export/script_writers.h"
#include "plugin/debug_log.h"

void WriteMaterial(TextStream& out, Mtl* material) {
    const char* name = material->GetName();
    out << "\"" << (name != nullptr && name[0] != '\0' ? name : "NONE") << "\",";
    WriteColor(out, material->GetDiffuse(0, FALSE));
    out << ",";
    WriteColor(out, material->GetAmbient(0, FALSE));
    out << ",";
    WriteColor(out, material->GetSpecular(0, FALSE));
    out << "," << material->GetShinStr(0, FALSE) << "," << material->GetSelfIllum(0, FALSE) << ","
        << material->GetXParency(0, FALSE);
}

// A material that is not a standard material is read with the standard material's defaults for
// what only a standard material answers: filter transparency and its own shininess answer.
void EnumMesh_t::OutputMeshMaterials(INode*, Mesh*) {
    Trace("OutputMeshMaterials");
    for (int i = 0; i < numMaterials; ++i) {
        Mtl* material = materials[static_cast<size_t>(i)];
        if (material == nullptr) {
            continue;
        }
        *out << "Material(" << i << ",";
        WriteMaterial(*out, material);
        *out << ");" << endl;

        auto* standard = dynamic_cast<StdMat*>(material);
        const int transparency =
            standard != nullptr ? standard->GetTransparencyType() : TRANSP_FILTER;
        if (transparency == TRANSP_ADDITIVE) {
            *out << "MaterialTransparencyType(" << i << ", 1);" << endl;
        } else if (transparency == TRANSP_SUBTRACTIVE) {
            *out << "MaterialTransparencyType(" << i << ", -1);" << endl;
        }
        const float shininess = standard != nullptr
                                    ? standard->GetShininess(static_cast<TimeValue>(0))
                                    : material->GetShininess(0, FALSE);
        *out << "MaterialShininess(" << i << "," << shininess << ");" << endl;

        for (int slot = 0; slot < material->NumSubTexmaps(); ++slot) {
            const float amount = standard != nullptr ? standard->GetTexmapAmt(slot, 0) : 1.0f;
            OutputMeshTMap(material, slot, i, material->GetSubTexmapSlotName(slot), amount, false);
        }
    }
}
