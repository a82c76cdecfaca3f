// The portal and sector tables of a level mesh: each face's portal number (from its material's
// name, "PORTAL" and up to four digits) and each face's sector (the connected piece of the mesh,
// through faces sharing two vertex indices, that holds a portal face).
#pragma once

#include <vector>

#include "host/inode.h"
#include "host/mesh.h"

// The portal number of a material name: the number in at most the four characters after
// "PORTAL" in the upper-cased name (leading blanks and a sign allowed, 0 without digits), or -1
// when the name has no "PORTAL".
int PortalNumber(const char* materialName);

// One entry per face: its portal number, or -1 for a face that is not a portal face.
std::vector<int> CollectPortalTable(INode* node, Mesh& mesh);
// The portal count of a table: the largest portal number plus one, 0 without portal faces.
int PortalCount(const std::vector<int>& portalTable);

// One entry per face: its sector index, or -1. Sectors are numbered in the order of the portal
// faces that start their floods. `sectorCount` receives the number of sectors.
std::vector<int> CollectSectorTable(const Mesh& mesh, const std::vector<int>& portalTable,
                                    int& sectorCount);
