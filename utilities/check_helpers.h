// The helpers that the check panels share: a node's triangle mesh at time 0, the material-name
// keyword test, and the walk of the scene that collects what a check found.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "host/inode.h"
#include "host/object.h"

// The node's triangle mesh at time 0, or null when its object cannot become one. deleteIt is
// TRUE when the mesh is a conversion that the caller deletes (DeleteMe) when done.
TriObject* EvalTriObject(INode* node, BOOL& deleteIt);

// The node's triangle mesh at time 0 for the length of a scope; a conversion is deleted with it.
class EvaluatedMesh {
  public:
    explicit EvaluatedMesh(INode* node) { tri_ = EvalTriObject(node, deleteIt_); }
    ~EvaluatedMesh() {
        if (deleteIt_ && tri_ != nullptr) {
            tri_->DeleteMe();
        }
    }
    EvaluatedMesh(const EvaluatedMesh&) = delete;
    EvaluatedMesh& operator=(const EvaluatedMesh&) = delete;

    TriObject* Tri() const { return tri_; }
    Mesh* GetMesh() const { return tri_ != nullptr ? &tri_->mesh : nullptr; }
    // The mesh is a temporary conversion: marks on it never reach the scene.
    bool Converted() const { return deleteIt_ != FALSE; }

  private:
    TriObject* tri_ = nullptr;
    BOOL deleteIt_ = FALSE;
};

// Whether the upper-cased name (ASCII letters only) contains `keyword`, which is upper case.
// Names are compared on their first 2047 characters.
bool NameHasKeyword(const char* name, std::string_view keyword);

// The faces that a check marked on the mesh of one node.
struct NodeMarks {
    INode* node = nullptr;
    // Class of the node's evaluated object.
    Class_ID objectClass;
    // The marks were made on a temporary conversion, which the check deletes.
    bool converted = false;
    // The node failed the check (a mesh without faces can fail with no face marked).
    bool failed = false;
    // Ascending face indices.
    std::vector<int> faces;
};

// What a marking check found: whether every node passed, and each node whose mesh it examined,
// in scene order (nodes without marks included).
struct CheckFindings {
    bool passed = true;
    std::vector<NodeMarks> nodes;
};

// Examines the triangle mesh of `root` and of every node below it, a node before its children,
// children in index order: `rule` appends the faces of the mesh that break it, ascending, and
// answers whether the node fails.
using MeshRule = std::function<bool(INode* node, Mesh& mesh, std::vector<int>& bad)>;
CheckFindings CheckSceneMeshes(INode* root, const MeshRule& rule);

// Writes the findings into the scene as the checks leave it: each examined mesh that is the
// node's own evaluated object has its face selection cleared and its marked faces selected, in
// scene order; marks made on conversions are lost with them.
void ApplyMarks(const CheckFindings& findings);
