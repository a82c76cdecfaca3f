// The node tree: names, order and local transforms, the turn to Z up, which nodes are bones, and
// skinned meshes moved under their skeleton's root bone.
#include <assimp/scene.h>

#include <algorithm>
#include <cmath>

#include <fmt/format.h>
#include <simdjson.h>

#include "standalone/interchange/scene_converter.h"

namespace pellucid::interchange {

// The exporters keep at most this many bones; joints past it stay plain helpers.
constexpr std::size_t kMaxBones = 256;

Matrix3 ToMatrix3(const aiMatrix4x4& m) {
    return Matrix3(Point3(m.a1, m.b1, m.c1), Point3(m.a2, m.b2, m.c2), Point3(m.a3, m.b3, m.c3),
                   Point3(m.a4, m.b4, m.c4));
}

Quat ToQuat(const aiQuaternion& q) {
    aiQuaternion unit = q;
    const float length = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
    if (!(length > 0.0f) || !std::isfinite(length)) {
        return Quat();
    }
    unit.x /= length;
    unit.y /= length;
    unit.z /= length;
    unit.w /= length;
    const aiMatrix3x3 r = unit.GetMatrix();
    const Matrix3 rows(Point3(r.a1, r.b1, r.c1), Point3(r.a2, r.b2, r.c2), Point3(r.a3, r.b3, r.c3),
                       Point3());
    return Quat(rows).Normalize();
}

Matrix3 ScaleUnits(Matrix3 m, float scale) {
    const Point3 t = m.GetTrans();
    m.SetTrans(Point3(t.x * scale, t.y * scale, t.z * scale));
    return m;
}

namespace {

// Rows of the turn that carries the unit vector along `axis` (0 x, 1 y, 2 z) with `sign` to +Z.
Matrix3 TurnToZUp(int axis, int sign) {
    const Point3 zero;
    if (axis == 1) {
        return sign > 0 ? Matrix3(Point3(1, 0, 0), Point3(0, 0, 1), Point3(0, -1, 0), zero)
                        : Matrix3(Point3(1, 0, 0), Point3(0, 0, -1), Point3(0, 1, 0), zero);
    }
    if (axis == 0) {
        return sign > 0 ? Matrix3(Point3(0, 0, 1), Point3(0, 1, 0), Point3(-1, 0, 0), zero)
                        : Matrix3(Point3(0, 0, -1), Point3(0, 1, 0), Point3(1, 0, 0), zero);
    }
    return sign > 0 ? Matrix3()
                    : Matrix3(Point3(1, 0, 0), Point3(0, -1, 0), Point3(0, 0, -1), zero);
}

bool IsRigid(const Matrix3& m) {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const Point3 a = m[i], b = m[j];
            const float dot = a.x * b.x + a.y * b.y + a.z * b.z;
            if (std::fabs(dot - (i == j ? 1.0f : 0.0f)) > 1e-5f) {
                return false;
            }
        }
    }
    return m.Determinant() > 0.0f;
}

}  // namespace

SceneConverter::SceneConverter(const aiScene& scene, const ConversionOptions& options,
                               std::string assetDirectory)
    : scene_(scene),
      options_(options),
      assetDirectory_(std::move(assetDirectory)),
      document_(result_.document) {
    document_.baseDirectory = assetDirectory_;
}

std::string SceneConverter::Text(const aiString& text) {
    return Text(std::string(text.C_Str(), text.length));
}

std::string SceneConverter::Text(const std::string& text) {
    if (simdjson::validate_utf8(text.data(), text.size())) {
        return text;
    }
    ++reencodedTexts_;
    std::string utf8;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xc0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3f));
        }
    }
    return utf8;
}

void SceneConverter::Note(std::string kind, std::string text) {
    result_.report.notes.push_back({std::move(kind), std::move(text)});
}

Conversion SceneConverter::Run() {
    ChooseAxisTurn();
    FindJoints();
    ConvertHierarchy();
    ConvertAnimation();
    for (const NodeMesh& mesh : meshes_) {
        AddSkin(mesh);
    }
    PlaceSkinsUnderRootBones();
    if (reencodedTexts_ > 0) {
        Note("changed", fmt::format("{} name{} in the file {} not UTF-8 and {} read as Latin-1",
                                    reencodedTexts_, reencodedTexts_ == 1 ? "" : "s",
                                    reencodedTexts_ == 1 ? "is" : "are",
                                    reencodedTexts_ == 1 ? "was" : "were"));
    }
    if (scene_.mNumCameras > 0) {
        Note("dropped", fmt::format("{} camera{} (cameras are not converted; their nodes stay as "
                                    "helpers)",
                                    scene_.mNumCameras, scene_.mNumCameras == 1 ? "" : "s"));
    }
    if (scene_.mNumLights > 0) {
        Note("dropped", fmt::format("{} light{} (lights are not converted; their nodes stay as "
                                    "helpers)",
                                    scene_.mNumLights, scene_.mNumLights == 1 ? "" : "s"));
    }
    ConversionCounts& counts = result_.report.counts;
    counts.nodes = static_cast<int>(document_.nodes.size());
    counts.materials = static_cast<int>(document_.materials.size());
    counts.bitmaps = static_cast<int>(document_.maps.size());
    for (const doc::Node& node : document_.nodes) {
        if (node.object >= 0 && document_.objects[node.object].type == doc::ObjectType::Bone) {
            ++counts.bones;
        }
    }
    for (const doc::Object& object : document_.objects) {
        if (object.type == doc::ObjectType::Mesh) {
            ++counts.meshes;
            counts.vertices += static_cast<int>(object.mesh.vertices.size());
            counts.faces += static_cast<int>(object.mesh.faces.size());
        }
    }
    for (const doc::Modifier& modifier : document_.modifiers) {
        counts.skins += modifier.type == doc::ModifierType::Physique ? 1 : 0;
        counts.morphChannels += static_cast<int>(modifier.channels.size());
    }
    return std::move(result_);
}

void SceneConverter::ChooseAxisTurn() {
    // Assimp gives every format Y up, except where a file records its own axes (FBX).
    int axis = 1;
    int sign = 1;
    if (scene_.mMetaData != nullptr) {
        std::int32_t value = 0;
        if (scene_.mMetaData->Get("UpAxis", value) && value >= 0 && value <= 2) {
            axis = value;
        }
        if (scene_.mMetaData->Get("UpAxisSign", value) && (value == 1 || value == -1)) {
            sign = value;
        }
    }
    axisTurn_ = TurnToZUp(axis, sign);
}

Point3 SceneConverter::TurnedScale(const Point3& scale) const {
    // A turn between axes permutes the scale factors; any other turn keeps them (exact for a
    // uniform scale).
    Point3 turned;
    for (int i = 0; i < 3; ++i) {
        int target = -1;
        for (int j = 0; j < 3; ++j) {
            if (std::fabs(std::fabs(turn_[i][j]) - 1.0f) < 1e-6f) {
                target = j;
            }
        }
        if (target < 0) {
            return scale;
        }
        turned[target] = scale[i];
    }
    return turned;
}

void SceneConverter::FindJoints() {
    // Names index the first node that carries them, as Assimp's own lookups do.
    std::vector<const aiNode*> work{scene_.mRootNode};
    std::vector<const aiNode*> preorder;
    while (!work.empty()) {
        const aiNode* node = work.back();
        work.pop_back();
        preorder.push_back(node);
        nodeByName_.try_emplace(std::string(node->mName.C_Str(), node->mName.length), node);
        for (unsigned i = node->mNumChildren; i-- > 0;) {
            if (node->mChildren[i] != nullptr) {
                work.push_back(node->mChildren[i]);
            }
        }
    }
    std::unordered_set<const aiNode*> named;
    for (unsigned m = 0; m < scene_.mNumMeshes; ++m) {
        const aiMesh& mesh = *scene_.mMeshes[m];
        for (unsigned b = 0; b < mesh.mNumBones; ++b) {
            const auto found = nodeByName_.find(mesh.mBones[b]->mName.C_Str());
            if (found != nodeByName_.end()) {
                named.insert(found->second);
            }
        }
    }
    std::size_t kept = 0;
    for (const aiNode* node : preorder) {
        if (named.count(node) != 0) {
            if (kept < kMaxBones) {
                joints_.insert(node);
            }
            ++kept;
        }
    }
    if (kept > kMaxBones) {
        Note("dropped", fmt::format("{} of {} bones (the exporters take at most {}; the joints "
                                    "after that in tree order stay helpers and their skin "
                                    "weights are left out)",
                                    kept - kMaxBones, kept, kMaxBones));
    }
}

void SceneConverter::ConvertHierarchy() {
    const aiNode& root = *scene_.mRootNode;
    bool animated = false;
    for (unsigned a = 0; a < scene_.mNumAnimations; ++a) {
        const aiAnimation& animation = *scene_.mAnimations[a];
        for (unsigned c = 0; c < animation.mNumChannels; ++c) {
            animated = animated || animation.mChannels[c]->mNodeName == root.mName;
        }
    }
    const Matrix3 rootLocal = ScaleUnits(ToMatrix3(root.mTransformation), options_.scale);
    // The importer's root is usually a container of its own making: its transform goes into the
    // top nodes' transforms unless it is a node that the asset uses.
    const bool fold =
        root.mNumMeshes == 0 && joints_.count(&root) == 0 && !animated && IsRigid(rootLocal);
    turn_ = fold ? rootLocal * axisTurn_ : axisTurn_;
    topShift_ = turn_.GetTrans();
    turn_.NoTrans();
    turnInverse_ = Inverse(turn_);
    turnRotation_ = Quat(turn_).Normalize();
    result_.report.turnedZUp = !turn_.IsIdentity();
    if (fold) {
        rootFolded_ = true;
        AddChildren(root, -1);
    } else {
        AddNode(root, Turned(rootLocal), -1);
    }
}

void SceneConverter::AddChildren(const aiNode& top, int topIndex) {
    // Work list instead of recursion: a file may nest nodes deeper than any call stack.
    struct Pending {
        const aiNode* node;
        int parent;
    };
    std::vector<Pending> work;
    auto pushChildren = [&work](const aiNode& node, int parent) {
        for (unsigned i = node.mNumChildren; i-- > 0;) {
            if (node.mChildren[i] != nullptr) {
                work.push_back({node.mChildren[i], parent});
            }
        }
    };
    pushChildren(top, topIndex);
    while (!work.empty()) {
        const Pending next = work.back();
        work.pop_back();
        Matrix3 local = Turned(ScaleUnits(ToMatrix3(next.node->mTransformation), options_.scale));
        if (next.parent < 0) {
            local.SetTrans(local.GetTrans() + topShift_);
        }
        const int index = AddNode(*next.node, local, next.parent);
        pushChildren(*next.node, index);
    }
}

int SceneConverter::AddNode(const aiNode& node, const Matrix3& local, int parent) {
    const int index = static_cast<int>(document_.nodes.size());
    doc::Node made;
    made.name = Text(node.mName);
    made.transform.matrix = local;
    document_.nodes.push_back(std::move(made));
    parentOf_.push_back(-1);
    AttachNode(index, parent);
    nodeIndex_.emplace(&node, index);

    doc::Object object;
    const bool joint = joints_.count(&node) != 0;
    object.type = joint ? doc::ObjectType::Bone : doc::ObjectType::Dummy;
    if (joint || node.mNumMeshes == 0) {
        document_.nodes[index].object = static_cast<int>(document_.objects.size());
        document_.objects.push_back(object);
    }
    if (node.mNumMeshes > 0) {
        int meshNode = index;
        if (joint) {
            // A bone carries no mesh in the host: the mesh hangs below it, where it was.
            meshNode = static_cast<int>(document_.nodes.size());
            doc::Node holder;
            holder.name = document_.nodes[index].name + " mesh";
            document_.nodes.push_back(std::move(holder));
            parentOf_.push_back(-1);
            AttachNode(meshNode, index);
            Note("changed",
                 fmt::format("bone \"{}\" carries a mesh: the mesh is in node \"{}\" "
                             "below it",
                             document_.nodes[index].name, document_.nodes[meshNode].name));
        }
        AddMeshObject(node, meshNode);
    }
    if (parent < 0 && node.mNumChildren > 0 && &node == scene_.mRootNode) {
        AddChildren(node, index);
    }
    return index;
}

void SceneConverter::AttachNode(int node, int parent) {
    parentOf_[node] = parent;
    if (parent < 0) {
        document_.rootNodes.push_back(node);
    } else {
        document_.nodes[parent].children.push_back(node);
    }
}

void SceneConverter::DetachNode(int node) {
    std::vector<int>& siblings =
        parentOf_[node] < 0 ? document_.rootNodes : document_.nodes[parentOf_[node]].children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), node), siblings.end());
    parentOf_[node] = -1;
}

Matrix3 SceneConverter::WorldTransform(int node) const {
    Matrix3 world = document_.nodes[node].transform.matrix;
    for (int up = parentOf_[node]; up >= 0; up = parentOf_[up]) {
        world = world * document_.nodes[up].transform.matrix;
    }
    return world;
}

void SceneConverter::Rehang(int node, int parent) {
    const int old = parentOf_[node];
    const Matrix3 oldParent = old < 0 ? Matrix3() : WorldTransform(old);
    const Matrix3 newParent = parent < 0 ? Matrix3() : WorldTransform(parent);
    const Matrix3 carry = oldParent * Inverse(newParent);
    DetachNode(node);
    doc::Node& moved = document_.nodes[node];
    moved.transform.matrix = moved.transform.matrix * carry;
    // Keys are local too: they follow the same change of frame (its rotation and translation).
    const Quat turn(carry);
    if (moved.position) {
        for (doc::PositionKey& key : moved.position->keys) {
            key.value = key.value * carry;
            key.inTangent = VectorTransform(key.inTangent, carry);
            key.outTangent = VectorTransform(key.outTangent, carry);
        }
    }
    if (moved.rotation) {
        for (doc::RotationKey& key : moved.rotation->keys) {
            key.value = key.value * turn;
        }
    }
    AttachNode(node, parent);
}

void SceneConverter::PlaceSkinsUnderRootBones() {
    auto isBone = [this](int node) {
        const int object = document_.nodes[node].object;
        return object >= 0 && document_.objects[object].type == doc::ObjectType::Bone;
    };
    for (const NodeMesh& mesh : meshes_) {
        const doc::Node& skinNode = document_.nodes[mesh.docNode];
        int firstBone = -1;
        for (int m : skinNode.modifiers) {
            const doc::Modifier& modifier = document_.modifiers[m];
            if (modifier.type != doc::ModifierType::Physique) {
                continue;
            }
            for (const auto& vertex : modifier.skinVertices) {
                if (vertex && !vertex->bones.empty()) {
                    firstBone =
                        firstBone < 0 ? vertex->bones[0] : std::min(firstBone, vertex->bones[0]);
                }
            }
        }
        if (firstBone < 0) {
            continue;
        }
        int rootBone = firstBone;
        for (int up = parentOf_[firstBone]; up >= 0; up = parentOf_[up]) {
            if (isBone(up)) {
                rootBone = up;
            }
        }
        if (parentOf_[mesh.docNode] == rootBone) {
            continue;
        }
        bool inside = false;
        for (int up = parentOf_[rootBone]; up >= 0 && !inside; up = parentOf_[up]) {
            inside = up == mesh.docNode;
        }
        if (inside) {
            // The skeleton hangs below the mesh (as glTF allows): the mesh's children move up to
            // the mesh's parent first, so that moving the mesh makes no loop.
            const std::vector<int> children = document_.nodes[mesh.docNode].children;
            for (int child : children) {
                Rehang(child, parentOf_[mesh.docNode]);
            }
            Note("changed", fmt::format("the children of skinned mesh \"{}\" moved up to its "
                                        "parent (their places in the world are kept)",
                                        skinNode.name));
        }
        Rehang(mesh.docNode, rootBone);
        Note("changed", fmt::format("skinned mesh \"{}\" moved under its skeleton's root bone "
                                    "\"{}\", where the exporters look for it (its place in the "
                                    "world is kept)",
                                    skinNode.name, document_.nodes[rootBone].name));
    }
}

}  // namespace pellucid::interchange
