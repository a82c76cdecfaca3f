// The triangle mesh of a collision box, shared by the CollBox helper and the box primitive of any
// host that wants the same geometry.
#pragma once

#include "host/mesh.h"

// Fills `mesh` with the box standing on its pivot: x spans -width/2..width/2, y spans
// -length/2..length/2 and z spans 0..height (a negative height builds downwards with flipped
// faces, so every face still points out). Segment counts are clamped to 1..200. With `mapping` the
// mesh also gets texture vertices and one texture face per face; without it, none.
void BuildCollBoxMesh(Mesh& mesh, float length, float width, float height, int widthSegs,
                      int lengthSegs, int heightSegs, bool mapping);
