// The skin modifier's export interface: per-vertex bone bindings and initial transforms.
#pragma once

#include "host/animatable.h"
#include "host/matrix3.h"

class INode;

constexpr int RIGID_TYPE = 1;
constexpr int DEFORMABLE_TYPE = 2;
constexpr int BLENDED_TYPE = 4;
constexpr int FLOATING_TYPE = 8;
constexpr int RIGID_NON_BLENDED_TYPE = RIGID_TYPE;
constexpr int RIGID_BLENDED_TYPE = RIGID_TYPE | BLENDED_TYPE;

constexpr int MATRIX_RETURNED = 0;
constexpr int NODE_NOT_FOUND = 1;
constexpr int NO_MATRIX_SAVED = 2;
constexpr int INVALID_MOD_POINTER = 3;

class IPhyVertexExport {
  public:
    virtual ~IPhyVertexExport() = default;
    virtual int GetVertexType() = 0;
};

class IPhyRigidVertex : public IPhyVertexExport {
  public:
    virtual INode* GetNode() = 0;
};

class IPhyBlendedRigidVertex : public IPhyVertexExport {
  public:
    virtual int GetNumberNodes() = 0;
    virtual INode* GetNode(int i) = 0;
    virtual float GetWeight(int i) = 0;
};

class IPhyContextExport {
  public:
    virtual ~IPhyContextExport() = default;
    virtual int GetNumberVertices() = 0;
    // Makes every vertex rigid (1) or rigid blended (5); deformable ones too when asked.
    virtual void ConvertToRigid(BOOL deformable = FALSE) = 0;
    virtual void AllowBlending(BOOL blending = TRUE) = 0;
    // Null for a vertex without an interface. Rigid vertices give an IPhyRigidVertex, rigid
    // blended ones an IPhyBlendedRigidVertex.
    virtual IPhyVertexExport* GetVertexInterface(int i) = 0;
    virtual void ReleaseVertexInterface(IPhyVertexExport* vertex) = 0;
};

class IPhysiqueExport {
  public:
    virtual ~IPhysiqueExport() = default;
    virtual IPhyContextExport* GetContextInterface(INode* skin) = 0;
    virtual void ReleaseContextInterface(IPhyContextExport* context) = 0;
    // The initial world transform of the skin or of a bone; MATRIX_RETURNED when known.
    virtual int GetInitNodeTM(INode* node, Matrix3& tm) = 0;
};
