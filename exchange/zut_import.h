// The importer of ZUT object files: the first mesh section of the file as one editable mesh,
// named "ZUT_Object", in a new scene.
#pragma once

#include "exchange/zut_reader.h"
#include "script/file_class.h"

class ZUTImport : public FileClass<SceneImport> {
  public:
    ZUTImport();

    // 1 when the object was built (or the host gave no node for it); 0 when the file cannot be
    // read or has no "Cube_MeshNew" line, and then the scene is left as it was.
    int DoImport(const char* name, ImpInterface* ii, Interface* ip,
                 BOOL suppressPrompts = FALSE) override;
};

// The section's mesh: a vertex per vertex line with its second position, as many texture
// vertices, and a face per face line, with all edges visible. A face that names a vertex the
// section does not have is left out.
Mesh BuildZutMesh(const ZutSection& section);
