#include "exchange/zut_node_writer.h"

#include "exchange/nearest_vertex.h"
#include "script/script_line.h"

namespace {

// A copy of the object's triangle mesh at t, or false when it has none.
bool CopyTriMesh(Object* object, TimeValue t, Mesh& out) {
    Object* converted = object->ConvertToType(t, triObjectClassID);
    if (converted == nullptr || converted->ClassID() != triObjectClassID) {
        return false;
    }
    out = static_cast<TriObject*>(converted)->mesh;
    if (converted != object) {
        converted->DeleteThis();
    }
    return true;
}

}  // namespace

bool HasZUTPrefix(const char* name) {
    return CStr(name).Substr(0, 3) == "ZUT";
}

int FindNearestVertex(const Point3& point, const Mesh& mesh) {
    return FindNearestByScan(point, mesh.verts);
}

int ZUTNodeWriter::callback(INode* node) {
    Object* object = node->EvalWorldState(0, TRUE).obj;
    if (object == nullptr || object->SuperClassID() != GEOMOBJECT_CLASS_ID ||
        !object->CanConvertToType(triObjectClassID)) {
        return TREE_CONTINUE;
    }
    if (!HasZUTPrefix(node->GetName())) {
        return TREE_CONTINUE;
    }
    Mesh reference;
    if (!CopyTriMesh(object, 0, reference)) {
        return TREE_CONTINUE;
    }
    // The node's evaluated object is updated in place: after this evaluation the object of the
    // time-0 evaluation holds the frame-10 state.
    const TimeValue frame10 = 10 * GetTicksPerFrame();
    node->EvalWorldState(frame10, TRUE);
    Mesh posed;
    if (!CopyTriMesh(object, frame10, posed)) {
        return TREE_CONTINUE;
    }
    OutputVertices(posed, reference);
    OutputFaces(posed);
    return TREE_CONTINUE;
}

// Each frame-10 vertex with the frame-0 vertex nearest to it; a vertex that has none (the
// frame-0 mesh has no vertices) stands for itself.
void ZUTNodeWriter::OutputVertices(const Mesh& posed, const Mesh& reference) {
    const NearestVertexIndex nearest(reference.verts);
    ScriptLine line(out_);
    for (int i = 0; i < posed.getNumVerts(); ++i) {
        const Point3& p = posed.getVert(i);
        const int j = nearest.Find(p);
        const Point3& q = j < 0 ? p : reference.getVert(j);
        line.Start("Cube_Vertex(").Int(i).Point(p).Point(q);
        line.End();
    }
}

void ZUTNodeWriter::OutputFaces(const Mesh& posed) {
    ScriptLine line(out_);
    for (int f = 0; f < posed.getNumFaces(); ++f) {
        const Face& face = posed.faces[static_cast<size_t>(f)];
        line.Start("Cube_Face(").Int(f).Int(face.v[0]).Int(face.v[1]).Int(face.v[2]);
        line.Int(0).Int(1).Int(0);
        line.End();
    }
}
