// Drawing a scene into a viewport as the host's viewports show it: every visible node's object
// draws itself through its Display (so an object that shows only in wireframe vanishes from a
// shaded view), helpers show as crosses, and faces can be filled as highlights.
#pragma once

#include <string>
#include <vector>

#include "host/inode.h"
#include "standalone/viewport/viewport.h"

namespace pellucid::standalone::viewport {

// Faces of a node's mesh at time 0 to fill.
struct FaceHighlight {
    INode* node = nullptr;
    std::vector<int> faces;
};

// Draws the nodes below `root` (hidden ones left out) into the viewport's graphics window.
void DrawScene(INode* root, Viewport& view);
// Fills the faces of the node's triangle mesh at time 0, placed by its object transform.
void FillFaces(Viewport& view, const FaceHighlight& highlight);
// The SVG picture of the scene in a view of `width` x `height` pixels framing everything drawn.
std::string SceneSvg(INode* root, ViewKind kind, bool shaded,
                     const std::vector<FaceHighlight>& highlights, int width = 800,
                     int height = 600);

}  // namespace pellucid::standalone::viewport
