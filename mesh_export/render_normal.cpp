// Normals: the smoothing-group normals of the render mesh, their entries and the normal lines.
#include "mesh_export/render_normal.h"

#include "host/transform_helpers.h"
#include "mesh_export/enum_mesh.h"
#include "script/script_line.h"
#include "services/debug_log.h"

RenderNormal_t::RenderNormal_t(INode* n, Mesh* m, BoneTree* tree)
    : node(n), mesh(m), boneTree(tree) {
    Trace("RenderNormal_t");
    const size_t vertexCount = static_cast<size_t>(mesh->getNumVerts());
    // Every vertex starts with an empty head record; most meshes need few records beyond them.
    vertexNormals.reserve(vertexCount + vertexCount / 2);
    vertexNormals.resize(vertexCount);
}

void RenderNormal_t::AddNormal(int vertex, const Point3& normal, DWORD groups) {
    int r = vertex;
    for (;;) {
        VertexNormal_t& record = vertexNormals[static_cast<size_t>(r)];
        if ((record.groups & groups) != 0 || (groups == 0 && record.used) || !record.used) {
            record.normal += normal;
            record.groups |= groups;
            record.used = 1;
            return;
        }
        if (record.next < 0) {
            break;
        }
        r = record.next;
    }
    VertexNormal_t appended;
    appended.normal = normal;
    appended.groups = groups;
    appended.used = 1;
    const int position = static_cast<int>(vertexNormals.size());
    vertexNormals.push_back(appended);
    vertexNormals[static_cast<size_t>(r)].next = position;
}

void RenderNormal_t::AddRenderNormals() {
    Trace("AddRenderNormals");
    const Matrix3 offset = GetObjectOffsetTM(node, false);
    const DWORD vertexCount = static_cast<DWORD>(mesh->getNumVerts());
    for (const Face& face : mesh->faces) {
        if (face.v[0] >= vertexCount || face.v[1] >= vertexCount || face.v[2] >= vertexCount) {
            continue;
        }
        const Point3& p0 = mesh->verts[face.v[0]];
        const Point3& p1 = mesh->verts[face.v[1]];
        const Point3& p2 = mesh->verts[face.v[2]];
        const Point3 n = Normalize(((p1 - p0) ^ (p2 - p1)) * offset);
        for (int k = 0; k < 3; ++k) {
            AddNormal(static_cast<int>(face.v[k]), n, face.smGroup);
        }
    }
    for (VertexNormal_t& record : vertexNormals) {
        record.normal = Normalize(record.normal);
    }
    normalList.reserve(vertexNormals.size());
    for (DWORD v = 0; v < vertexCount; ++v) {
        for (int r = static_cast<int>(v); r >= 0; r = vertexNormals[static_cast<size_t>(r)].next) {
            vertexNormals[static_cast<size_t>(r)].index = count++;
            normalList.push_back(r);
        }
    }
}

int RenderNormal_t::GetNormalIndex(DWORD groups, int vertex) {
    Trace("GetNormalIndex");
    if (vertex < 0 || vertex >= mesh->getNumVerts()) {
        return -1;
    }
    int last = vertex;
    for (int r = vertex; r >= 0; r = vertexNormals[static_cast<size_t>(r)].next) {
        const VertexNormal_t& record = vertexNormals[static_cast<size_t>(r)];
        if ((record.groups & groups) != 0) {
            return record.index;
        }
        last = r;
    }
    return vertexNormals[static_cast<size_t>(last)].index;
}

void RenderNormal_t::AddRGBVertices() {
    Trace("AddRGBVertices");
    // An entry depends only on its record, so each used record gets exactly one entry: the entry
    // of a record is found by its number instead of by comparing entries.
    std::vector<int> entryOfRecord(static_cast<size_t>(count), -1);
    cornerNormals.assign(mesh->faces.size() * 3, 0);
    entries.reserve(static_cast<size_t>(count));
    for (size_t f = 0; f < mesh->faces.size(); ++f) {
        const Face& face = mesh->faces[f];
        for (int k = 0; k < 3; ++k) {
            const int vertex = static_cast<int>(face.v[k]);
            const int idx = GetNormalIndex(face.smGroup, vertex);
            if (idx < 0) {
                continue;
            }
            int& entry = entryOfRecord[static_cast<size_t>(idx)];
            if (entry < 0) {
                NormalEntry_t added;
                added.normalIndex = idx;
                if (HasBones()) {
                    added.bone = boneTree->DominantBone(vertex);
                }
                entry = static_cast<int>(entries.size());
                entries.push_back(added);
            }
            cornerNormals[f * 3 + static_cast<size_t>(k)] = entry;
        }
    }
}

void RenderNormal_t::OutputNormals(TextStream& out) {
    Trace("OutputNormals");
    ScriptLine line(out);
    for (size_t i = 0; i < entries.size(); ++i) {
        const NormalEntry_t& entry = entries[i];
        const int bone = HasBones() ? entry.bone : -1;
        const VertexNormal_t& record =
            vertexNormals[static_cast<size_t>(normalList[static_cast<size_t>(entry.normalIndex)])];
        line.Start("Normal(").Int(static_cast<long long>(i)).Colour(record.normal);
        line.Colour(entry.colour).Int(bone);
        const bool flipped = bone != -1 && boneTree->bones[static_cast<size_t>(bone)].ownSign == -1;
        line.End(flipped ? " // Flipped" : "");
    }
}

void EnumMesh_t::OutputMeshNormals(INode*, Mesh*) {
    Trace("OutputMeshNormals");
    if (normals == nullptr) {
        return;
    }
    normals->AddRenderNormals();
    normals->AddRGBVertices();
    normals->OutputNormals(*out);
}
