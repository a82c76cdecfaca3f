// Material access and material lines: shared by the mesh exporter's sections and the check panels.
#pragma once

#include <string>

#include "host/inode.h"
#include "host/material.h"
#include "host/mesh.h"
#include "host/text_stream.h"

// The material of one face: the node's material, or for a multi/sub-object material the
// sub-material that the face's material id selects (modulo the sub-material count; null for a
// multi/sub-object material without sub-materials). Null when the node has no material.
Mtl* GetMaterialPtr(INode* node, Mesh* mesh, int face);

// The material line's arguments after its number: the quoted name ("NONE" when empty), the
// diffuse, ambient and specular colours, the shininess strength, self-illumination and
// transparency.
void WriteMaterial(TextStream& out, Mtl* material);

// The U and V tiling of the material's diffuse bitmap, reached through RGB-multiply maps by their
// second sub-map; both values stay as they are when there is no such bitmap.
void GetUVScale(float* uScale, float* vScale, Mtl* material);

// For a path beginning with two backslashes or two forward slashes: the first logical drive (in the
// system's order) whose universal name begins the path, ignoring case, gives `result` = the drive
// root followed by the rest of the path. False, `result` untouched, when nothing matches.
bool UNCToDrivePath(const char* path, std::string& result);
