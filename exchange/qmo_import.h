// The importer of QMO model-batch lists: assembles a level by merging and placing the model
// scenes that the list names.
#pragma once

#include "script/file_class.h"

class QMOImport : public FileClass<SceneImport> {
  public:
    QMOImport();

    // Starts a new scene and, for every model line, merges the model's scene file found under
    // the line's directory and places its first merged node. 1 in every case but a stream that is
    // unusable right after opening; a model that is not found is passed over.
    int DoImport(const char* name, ImpInterface* ii, Interface* ip,
                 BOOL suppressPrompts = FALSE) override;
};

// The duplicate-name action that the importer merges with.
constexpr int kQmoMergeDuplicateAction = 1;
