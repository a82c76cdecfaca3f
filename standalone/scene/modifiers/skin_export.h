// The skin modifier's export interface as the exporters read it: a context per skin node with a
// vertex interface per bound vertex, converted to rigid or rigid blended vertices on request.
#pragma once

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "host/physique.h"

namespace pellucid::standalone {

// One vertex's binding as the document gives it.
struct SkinBinding {
    std::vector<INode*> bones;
    std::vector<float> weights;
    int type = RIGID_TYPE;
};

class SkinContext : public IPhyContextExport {
  public:
    explicit SkinContext(const std::vector<std::optional<SkinBinding>>& vertices);
    ~SkinContext() override;

    int GetNumberVertices() override { return static_cast<int>(vertices_.size()); }
    // Every vertex not yet rigid or rigid blended becomes rigid (one bone) or rigid blended
    // (several bones, or none); deformable ones only when `deformable` is set.
    void ConvertToRigid(BOOL deformable = FALSE) override;
    void AllowBlending(BOOL blending = TRUE) override { blending_ = blending != 0; }
    IPhyVertexExport* GetVertexInterface(int i) override;
    void ReleaseVertexInterface(IPhyVertexExport* vertex) override;

  private:
    const std::vector<std::optional<SkinBinding>>& vertices_;
    std::vector<int> types_;  // this context's view of each vertex type
    bool blending_ = true;
    std::unordered_map<IPhyVertexExport*, std::unique_ptr<IPhyVertexExport>> live_;
};

}  // namespace pellucid::standalone
