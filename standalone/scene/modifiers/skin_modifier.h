// The host's skin modifier ("physique"): per-vertex bone bindings, read by the exporters through
// its export interface and deforming the mesh by the bones' motion since they were bound.
#pragma once

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "host/object.h"
#include "standalone/scene/modifiers/skin_export.h"

namespace pellucid::standalone {

class SkinModifier : public Modifier, public IPhysiqueExport {
  public:
    SkinModifier(std::vector<std::optional<SkinBinding>> vertices, bool exportInterface,
                 bool context);
    ~SkinModifier() override;

    using Animatable::GetInterface;
    Class_ID ClassID() override { return physiqueClassID; }
    void GetClassName(CStr& s) override { s = "Physique"; }
    const char* GetName() override { return "Physique"; }
    // The export interface, unless the document took it away.
    void* GetInterface(ULONG id) override;

    // Linear blend of the bound bones' motion from their initial transforms, weights divided by
    // their sum; a vertex whose bones are all where they were bound (and whose skin is too) is
    // left exactly as it was.
    void ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) override;

    IPhyContextExport* GetContextInterface(INode* skin) override;
    void ReleaseContextInterface(IPhyContextExport* context) override;
    int GetInitNodeTM(INode* node, Matrix3& tm) override;

    // A node whose stack holds this modifier, with its initial object transform.
    void AddSkinNode(INode* node, const Matrix3& initial);
    void SetBoneInitial(INode* bone, const Matrix3& initial);
    bool HasBoneInitial(INode* bone) const { return boneInitial_.count(bone) != 0; }
    const std::vector<std::optional<SkinBinding>>& Vertices() const { return vertices_; }

  private:
    std::vector<std::optional<SkinBinding>> vertices_;
    bool exportInterface_;
    bool context_;
    std::unordered_map<INode*, Matrix3> skinInitial_;
    std::unordered_map<INode*, Matrix3> boneInitial_;
    std::unordered_map<IPhyContextExport*, std::unique_ptr<SkinContext>> contexts_;
};

}  // namespace pellucid::standalone
