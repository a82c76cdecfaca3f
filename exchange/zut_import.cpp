#include "exchange/zut_import.h"

#include <fstream>

#include "resources/author_strings.h"

namespace {

const FileClassAnswers kAnswers = {
    "ZUT",
    "This plugin imports ZUT file from the TOVRA program into 3DS Max.",
    "ZUT importer.",
    kExchangeAuthor,
    kExchangeCopyright,
    1,
    true};

}  // namespace

ZUTImport::ZUTImport() : FileClass(kAnswers) {}

Mesh BuildZutMesh(const ZutSection& section) {
    Mesh mesh;
    const int vertexCount = static_cast<int>(section.vertices.size());
    mesh.setNumVerts(vertexCount, FALSE, TRUE);
    for (int i = 0; i < vertexCount; ++i) {
        mesh.setVert(i, section.vertices[static_cast<size_t>(i)].position);
    }
    mesh.setNumTVerts(vertexCount, FALSE);
    int faceCount = 0;
    for (const ZutFaceLine& line : section.faces) {
        faceCount += NamesMissingVertex(line, section.vertices.size()) ? 0 : 1;
    }
    mesh.setNumFaces(faceCount, FALSE, TRUE);
    int f = 0;
    for (const ZutFaceLine& line : section.faces) {
        if (NamesMissingVertex(line, section.vertices.size())) {
            continue;
        }
        // A new face has smoothing group 0 and no flags, so it is not hidden.
        Face& face = mesh.faces[static_cast<size_t>(f++)];
        face = Face();
        face.setVerts(line.corners[0], line.corners[1], line.corners[2]);
        face.setEdgeVisFlags(1, 1, 1);
    }
    mesh.buildNormals();
    return mesh;
}

int ZUTImport::DoImport(const char* name, ImpInterface* ii, Interface*, BOOL) {
    if (name == nullptr || ii == nullptr) {
        return 0;
    }
    // Binary: the reader drops the CR of a CR LF itself, before it applies the line limit.
    std::ifstream in(name, std::ios::binary);
    if (!in.is_open()) {
        return 0;
    }
    const ZutSection section = ReadZutSection(in);
    if (!section.found) {
        return 0;
    }
    const Mesh mesh = BuildZutMesh(section);
    ii->NewScene();
    ImpNode* node = ii->CreateNode();
    if (node == nullptr) {
        return 1;
    }
    TriObject* object = CreateNewTriObject();
    if (object == nullptr) {
        return 1;
    }
    object->mesh = mesh;
    node->Reference(object);
    Matrix3 identity;
    identity.IdentityMatrix();
    node->SetTransform(0, identity);
    ii->AddNodeToScene(node);
    node->SetName("ZUT_Object");
    return 1;
}
