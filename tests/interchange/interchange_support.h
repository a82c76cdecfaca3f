// Helpers of the interchange tests: the test models of Assimp's package, conversions, the two
// exports of a converted scene read back as calls, and what Assimp itself says of a file.
#pragma once

#include <string>
#include <vector>

#include "standalone/interchange/interchange_import.h"
#include "support/script_calls.h"

namespace pellucid::test {

// A file of the assimp-testmodels package ("glTF2/simple_skin/simple_skin.gltf").
std::string TestModel(const std::string& relative);
bool TestModelsInstalled();

// A scratch file path for the running test (in the build folder).
std::string InterchangeScratch(const std::string& name);
void WriteTextFile(const std::string& path, const std::string& text);

interchange::Conversion Convert(const std::string& path,
                                const interchange::ConversionOptions& options = {});

// The mesh and bone scripts of a scene, and the message boxes both showed ("caption: text").
struct ScriptExports {
    std::string mef, bef;
    std::vector<ScriptCall> meshCalls, boneCalls;
    std::vector<std::string> messages;
};
ScriptExports ExportScripts(const doc::Document& document);

// What Assimp reports for a file, read with the same post-processing as the conversion: counts
// per mesh node (welded positions computed here, independently), bones, keys and targets.
struct AssimpFacts {
    int meshNodes = 0;
    int positions = 0;  // distinct positions summed over mesh nodes
    int triangles = 0;
    int bones = 0;  // distinct joint names
    int morphTargets = 0;
    int positionKeys = 0, rotationKeys = 0, scaleKeys = 0;  // of the first animation
};
AssimpFacts ReadAssimpFacts(const std::string& path);

}  // namespace pellucid::test
