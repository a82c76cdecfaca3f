// The conversion of one imported scene into a scene document. The parts live in files named for
// what they convert (nodes, meshes, materials, skins, morphs, animation); this header holds the
// state they share.
#pragma once

#include <assimp/scene.h>

#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "standalone/interchange/interchange_import.h"

namespace pellucid::interchange {

// Assimp's column-vector matrix as the host's row-vector one.
Matrix3 ToMatrix3(const aiMatrix4x4& m);
// Assimp's rotation as the host's quaternion (the rotation of the same matrix).
Quat ToQuat(const aiQuaternion& q);
// A uniform change of unit applied to an affine transform: the translation is scaled.
Matrix3 ScaleUnits(Matrix3 m, float scale);

// Where the faces of one imported mesh went in its node's editable mesh.
struct MeshPlacement {
    const aiMesh* mesh = nullptr;
    std::vector<std::uint32_t> vertexOf;  // imported vertex -> welded vertex
    std::uint32_t firstFace = 0;          // its first face in the editable mesh
};

struct NodeMesh {
    int docNode = -1;
    int docObject = -1;
    std::vector<MeshPlacement> parts;
    // For each welded vertex, the part and imported vertex it was first met as: that vertex gives
    // it its data (weights, morph offsets).
    std::vector<std::pair<std::uint32_t, std::uint32_t>> source;
};

class SceneConverter {
  public:
    SceneConverter(const aiScene& scene, const ConversionOptions& options,
                   std::string assetDirectory);
    Conversion Run();

  private:
    // Nodes and transforms (convert_nodes.cpp).
    void ChooseAxisTurn();
    void FindJoints();
    void ConvertHierarchy();
    int AddNode(const aiNode& node, const Matrix3& local, int parent);
    void AddChildren(const aiNode& node, int parent);
    void AttachNode(int node, int parent);
    void DetachNode(int node);
    Matrix3 WorldTransform(int node) const;
    // Moves a node under another (-1: the scene root), keeping its place in the world at time 0.
    void Rehang(int node, int parent);
    void PlaceSkinsUnderRootBones();

    // Meshes (convert_meshes.cpp).
    void AddMeshObject(const aiNode& node, int docNode);

    // Materials and maps (convert_materials.cpp).
    int GetNodeMaterial(const std::vector<unsigned>& materials, const std::string& nodeName);
    int GetStandardMaterial(unsigned index);
    int GetBitmapMap(const aiMaterial& material, const std::string& materialName);
    void LoadImage(const std::string& recorded, const std::string& materialName, doc::Map& map);

    // Skins (convert_skins.cpp).
    void AddSkin(const NodeMesh& mesh);

    // Morph targets (convert_morphs.cpp).
    void AddMorphs(const NodeMesh& mesh);

    // Animation (convert_animation.cpp).
    const aiAnimation* ChooseAnimation();
    void ConvertAnimation();
    void ConvertMorphWeights(const aiAnimation& animation);
    int ToTicks(double time) const;

    void Note(std::string kind, std::string text);
    // Text of the file as UTF-8: text that is not valid UTF-8 is read as Latin-1 (and counted).
    std::string Text(const aiString& text);
    std::string Text(const std::string& text);
    int reencodedTexts_ = 0;

    const aiScene& scene_;
    ConversionOptions options_;
    std::string assetDirectory_;
    Conversion result_;
    doc::Document& document_;

    // The whole scene is turned so that the asset's up axis becomes Z: object data (vertices,
    // offsets, bind matrices) by `turn_`, and every local transform M as Inverse(turn_) * M *
    // turn_. The importer's root node, when it is only a container, is folded into the turn (its
    // rotation) and into the top nodes' positions (its translation, `topShift_`).
    Matrix3 axisTurn_;
    Matrix3 turn_;
    Matrix3 turnInverse_;
    Quat turnRotation_;
    Point3 topShift_;
    bool rootFolded_ = false;

    Matrix3 Turned(const Matrix3& local) const { return turnInverse_ * local * turn_; }
    Point3 Turned(const Point3& vector) const { return VectorTransform(vector, turn_); }
    Quat Turned(const Quat& rotation) const {
        return Inverse(turnRotation_) * rotation * turnRotation_;
    }
    Point3 TurnedScale(const Point3& scale) const;

    std::unordered_set<const aiNode*> joints_;
    std::unordered_map<const aiNode*, int> nodeIndex_;
    std::unordered_map<std::string, const aiNode*> nodeByName_;
    std::vector<int> parentOf_;  // document node -> parent document node, -1 for the scene root
    std::vector<NodeMesh> meshes_;
    std::map<unsigned, int> standardMaterials_;
    std::map<std::vector<int>, int> multiMaterials_;
    std::map<std::string, int> bitmapMaps_;
    double ticksPerSecond_ = 25.0;
};

}  // namespace pellucid::interchange
