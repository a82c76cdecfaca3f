#include "interchange_support.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>
#include <assimp/Importer.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <tuple>

#include "bone_export/expo_bone.h"
#include "mesh_export/expo_mesh.h"
#include "standalone/host/standalone_host.h"

namespace pellucid::test {

namespace {
const std::string kModels = "/usr/share/assimp/models";
}

std::string TestModel(const std::string& relative) {
    return kModels + "/" + relative;
}

bool TestModelsInstalled() {
    return std::filesystem::is_directory(kModels);
}

std::string InterchangeScratch(const std::string& name) {
    // Parameterised test names hold slashes; the scratch file keeps them out of its name.
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string prefix = test == nullptr
                             ? std::string("interchange")
                             : std::string(test->test_suite_name()) + "." + test->name();
    std::replace(prefix.begin(), prefix.end(), '/', '_');
    const std::filesystem::path folder =
        std::filesystem::path(PELLUCID_BINARY).parent_path() / "tests" / "interchange_scratch";
    std::filesystem::create_directories(folder);
    return (folder / (prefix + "." + name)).string();
}

void WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

interchange::Conversion Convert(const std::string& path,
                                const interchange::ConversionOptions& options) {
    return interchange::ConvertInterchangeFile(path, options);
}

ScriptExports ExportScripts(const doc::Document& document) {
    ScriptExports result;
    const std::string mef = InterchangeScratch("out.mef");
    const std::string bef = InterchangeScratch("out.bef");
    standalone::StandaloneHost host(document);
    host.SetEchoMessages(false);
    ExpoMesh().DoExport(mef.c_str(), host.GetExpInterface(), &host);
    ExpoBone().DoExport(bef.c_str(), host.GetExpInterface(), &host);
    for (const auto& message : host.Messages()) {
        result.messages.push_back(message.caption + ": " + message.text);
    }
    result.mef = ReadBytes(mef);
    result.bef = ReadBytes(bef);
    result.meshCalls = ScriptCalls(result.mef);
    result.boneCalls = ScriptCalls(result.bef);
    return result;
}

AssimpFacts ReadAssimpFacts(const std::string& path) {
    AssimpFacts facts;
    Assimp::Importer importer;
    const aiScene* scene =
        importer.ReadFile(path, aiProcess_Triangulate | aiProcess_ValidateDataStructure);
    if (scene == nullptr) {
        ADD_FAILURE() << path << ": " << importer.GetErrorString();
        return facts;
    }
    std::set<std::string> joints;
    std::vector<const aiNode*> work{scene->mRootNode};
    while (!work.empty()) {
        const aiNode* node = work.back();
        work.pop_back();
        for (unsigned i = 0; i < node->mNumChildren; ++i) {
            work.push_back(node->mChildren[i]);
        }
        if (node->mNumMeshes == 0) {
            continue;
        }
        ++facts.meshNodes;
        std::set<std::tuple<float, float, float>> positions;
        for (unsigned k = 0; k < node->mNumMeshes; ++k) {
            const aiMesh& mesh = *scene->mMeshes[node->mMeshes[k]];
            for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
                const aiVector3D& p = mesh.mVertices[v];
                positions.emplace(p.x + 0.0f, p.y + 0.0f, p.z + 0.0f);
            }
            for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
                facts.triangles += mesh.mFaces[f].mNumIndices == 3 ? 1 : 0;
            }
            for (unsigned b = 0; b < mesh.mNumBones; ++b) {
                joints.insert(mesh.mBones[b]->mName.C_Str());
            }
            facts.morphTargets =
                std::max(facts.morphTargets, static_cast<int>(mesh.mNumAnimMeshes));
        }
        facts.positions += static_cast<int>(positions.size());
    }
    facts.bones = static_cast<int>(joints.size());
    if (scene->mNumAnimations > 0) {
        const aiAnimation& animation = *scene->mAnimations[0];
        for (unsigned c = 0; c < animation.mNumChannels; ++c) {
            facts.positionKeys += static_cast<int>(animation.mChannels[c]->mNumPositionKeys);
            facts.rotationKeys += static_cast<int>(animation.mChannels[c]->mNumRotationKeys);
            facts.scaleKeys += static_cast<int>(animation.mChannels[c]->mNumScalingKeys);
        }
    }
    return facts;
}

}  // namespace pellucid::test
