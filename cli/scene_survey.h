// The scene as the library's exporters will see it, found by looking only (nothing is traced,
// shown or changed): the role every node takes and the rule that gives it, the main object's
// material list and textures, the skeleton, the skin, and what the library drops without a word.
// The reports of `info` and `validate` and the notes beside message boxes are made from it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mesh_export/scene_walk.h"
#include "standalone/host/standalone_host.h"

namespace pellucid::cli {

// Something the command line tells the user beside the library's own output. `kind` is a stable
// name for reports ("missing-image", "extra-object", ...); `text` says what and where.
struct Finding {
    std::string kind;
    std::string text;
};

// A node's role in one export: a stable code for reports, the role in words with the rule that
// gives it, and the numbers and nodes that the role refers to.
struct SurveyRole {
    using Numbers = std::vector<std::pair<std::string, int>>;
    using Nodes = std::vector<std::pair<std::string, std::string>>;

    SurveyRole() = default;
    SurveyRole(std::string roleCode, std::string roleText, std::string roleWhy,
               Numbers roleNumbers = {}, Nodes roleNodes = {})
        : code(std::move(roleCode)),
          text(std::move(roleText)),
          why(std::move(roleWhy)),
          numbers(std::move(roleNumbers)),
          nodes(std::move(roleNodes)) {}

    std::string code;  // "main-object", "bone", ...; "" when the export does not use the node
    std::string text;  // as the text reports show it: "bone 2 (parent 1)"
    std::string why;
    // "number", "group", "parent", in the order written; -1 for none (a root bone's parent).
    Numbers numbers;
    // "mainObject", "object", "box": the nodes the role refers to, by name.
    Nodes nodes;
    bool warned = false;  // the export shows a message box about the node
};

struct SurveyNode {
    INode* node = nullptr;
    int depth = 0;  // 0 for the children of the scene root
    std::string objectClass;
    std::string material;  // "none", or the material's name in quotes
    Mtl* nodeMaterial = nullptr;
    // The mesh export's view: its class and role ("-" in words when it skips the node).
    MeshNodeClassification mesh;
    SurveyRole meshRole;
    // The bone export's view: "bone 2 (parent 1)", "attached object 0", "trigger 3", "MOVE
    // node", or an empty role when the bone export does not use the node.
    SurveyRole boneRole;
    int bone = -1;  // bone number, -1 when the node is not a bone
    // Geometry only (-1 otherwise): the counts of the mesh the exporters read.
    int vertices = -1;
    int faces = -1;
};

struct SurveyMaterial {
    Mtl* material = nullptr;  // null: the entry of faces without a material
    std::string name;
};

// A bitmap that the mesh export reaches through a material's slots, in the order it writes them.
struct SurveyTexture {
    int material = 0;  // number in the material list
    std::string materialName;
    std::string slot;      // the slot as the script line names it ("Diffuse", "Bump", ...)
    std::string recorded;  // the file name the map records
    std::string written;   // the path the script line carries (drive mapped, forward slashes)
    bool onDriveP = false;
    bool masked = false;
    std::string image;    // the image file that the scene document names, "" for none or synthetic
    bool loaded = false;  // the host has a bitmap: without one no line is written
    int width = 0;
    int height = 0;
    bool sizeLegal = false;
    // The line is written (a file name and a loaded bitmap).
    bool Written() const { return !recorded.empty() && loaded; }
};

// A face whose material id is past its multi/sub-object material's list, in the order the
// exporter warns about them.
struct BadMaterialId {
    int face = 0;
    int id = 0;
    int subMaterials = 0;
    std::string usedName;  // the sub-material the face gets by wrapping
};

struct SkinSurvey {
    std::string node;  // "" when the scene has no skin the exporters read
    int vertices = 0;
    int rigidVertices = 0;    // bound to one bone
    int blendedVertices = 0;  // bound to several bones
    int unboundVertices = 0;  // no binding the exporters can read
    int bones = 0;            // distinct bones bound
    // Vertices whose weights do not sum to one (within 0.001), with their sums.
    std::vector<std::pair<int, float>> unbalanced;
};

struct SceneSurvey {
    std::vector<SurveyNode> nodes;  // in the exporters' walk order: pre-order, children in order
    int mainObject = -1;            // index into nodes
    std::vector<int> extraObjects;  // indices into nodes, in walk order
    std::vector<SurveyMaterial> materials;
    std::vector<SurveyTexture> textures;
    std::vector<BadMaterialId> badMaterialIds;
    // The first face whose texture coordinates hold a NaN (the texture section ends there).
    int nanUvFace = -1;
    std::vector<std::string> bones;  // node names by bone number
    std::vector<INode*> boneNodes;
    // Bones other than bone 0 without a bone ancestor, in bone order.
    std::vector<int> rootlessBones;
    int triggers = 0;
    // The first bone whose rotation keys overflow the exporter's key table, with its key count.
    int keyTableFullBone = -1;
    int keyTableFullKeys = 0;
    // The root bone's keyed position controller when it is not a Bezier one ("" otherwise).
    std::string rootPositionController;
    SkinSurvey skin;
    // What the library drops without a word, in scene order.
    std::vector<Finding> silent;
};

SceneSurvey SurveyScene(standalone::StandaloneHost& host);

// The silent findings that concern the export of script files of `extension` ("MEF", "BEF").
std::vector<Finding> SilentFindingsFor(const SceneSurvey& survey, std::string_view extension);

// Parts of the survey, each in its own file.
void SurveyNodes(standalone::StandaloneHost& host, SceneSurvey& survey);
void SurveyMaterials(standalone::StandaloneHost& host, SceneSurvey& survey);
void SurveySkin(SceneSurvey& survey);

// "1 bone", "2 bones".
std::string Counted(size_t count, const char* singular, const char* plural);

}  // namespace pellucid::cli
