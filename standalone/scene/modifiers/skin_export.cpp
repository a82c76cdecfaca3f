#include "standalone/scene/modifiers/skin_export.h"

namespace pellucid::standalone {

namespace {

class PlainVertex : public IPhyVertexExport {
  public:
    explicit PlainVertex(int type) : type_(type) {}
    int GetVertexType() override { return type_; }

  private:
    int type_;
};

class RigidVertex : public IPhyRigidVertex {
  public:
    explicit RigidVertex(INode* node) : node_(node) {}
    int GetVertexType() override { return RIGID_TYPE; }
    INode* GetNode() override { return node_; }

  private:
    INode* node_;
};

class BlendedVertex : public IPhyBlendedRigidVertex {
  public:
    explicit BlendedVertex(const SkinBinding& binding) : binding_(binding) {}
    int GetVertexType() override { return RIGID_BLENDED_TYPE; }
    int GetNumberNodes() override { return static_cast<int>(binding_.bones.size()); }
    INode* GetNode(int i) override {
        return i >= 0 && i < GetNumberNodes() ? binding_.bones[static_cast<size_t>(i)] : nullptr;
    }
    float GetWeight(int i) override {
        return i >= 0 && i < static_cast<int>(binding_.weights.size())
                   ? binding_.weights[static_cast<size_t>(i)]
                   : 0.0f;
    }

  private:
    const SkinBinding& binding_;
};

}  // namespace

SkinContext::SkinContext(const std::vector<std::optional<SkinBinding>>& vertices)
    : vertices_(vertices) {
    types_.reserve(vertices.size());
    for (const auto& vertex : vertices) {
        types_.push_back(vertex ? vertex->type : 0);
    }
}

SkinContext::~SkinContext() = default;

void SkinContext::ConvertToRigid(BOOL deformable) {
    for (size_t i = 0; i < types_.size(); ++i) {
        const int type = types_[i];
        if (!vertices_[i] || type == RIGID_TYPE || type == RIGID_BLENDED_TYPE) {
            continue;
        }
        if ((type & DEFORMABLE_TYPE) != 0 && !deformable) {
            continue;
        }
        types_[i] = vertices_[i]->bones.size() == 1 ? RIGID_TYPE : RIGID_BLENDED_TYPE;
    }
}

IPhyVertexExport* SkinContext::GetVertexInterface(int i) {
    if (i < 0 || i >= GetNumberVertices() || !vertices_[static_cast<size_t>(i)]) {
        return nullptr;
    }
    const SkinBinding& binding = *vertices_[static_cast<size_t>(i)];
    const int type = types_[static_cast<size_t>(i)];
    std::unique_ptr<IPhyVertexExport> vertex;
    if (type == RIGID_TYPE) {
        vertex = std::make_unique<RigidVertex>(binding.bones.empty() ? nullptr : binding.bones[0]);
    } else if (type == RIGID_BLENDED_TYPE) {
        vertex = std::make_unique<BlendedVertex>(binding);
    } else {
        vertex = std::make_unique<PlainVertex>(type);
    }
    IPhyVertexExport* handle = vertex.get();
    live_.emplace(handle, std::move(vertex));
    return handle;
}

void SkinContext::ReleaseVertexInterface(IPhyVertexExport* vertex) {
    live_.erase(vertex);
}

}  // namespace pellucid::standalone
