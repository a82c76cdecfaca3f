// Non-finite numbers in a written script, named by line, bone and key.
#include "cli/nonfinite_scan.h"

#include <gtest/gtest.h>

#include <fstream>

#include "cli/run_pellucid.h"

namespace pellucid::cli {
namespace {

SceneSurvey TwoBones() {
    SceneSurvey survey;
    survey.bones = {"Root", "Spine"};
    return survey;
}

std::string WriteScript(const std::string& name, const std::string& text) {
    const std::string path = test::TemporaryFolder("nonfinite-" + name) + "/script.bef";
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::vector<std::string> Texts(const std::vector<Finding>& findings) {
    std::vector<std::string> texts;
    for (const Finding& finding : findings) {
        EXPECT_EQ(finding.kind, "non-finite");
        texts.push_back(finding.text);
    }
    return texts;
}

TEST(NonFiniteNumbers, EachLineIsNamedByItsBoneAndKeyAndTheRestCounted) {
    const std::string path = WriteScript("lines",
                                         "Bone(0,\"Root\",-1);\r\n"
                                         "RotationKeyFrameData(1,3,1600,1.#QNAN,0,0,1);\r\n"
                                         "TranslationKeyFrameData(0,2,800,-1.#INF,0,0);\r\n"
                                         "Comment(\"# not a number\");\r\n"
                                         "VertexInfluenceRigid(1,17,1.#IND);\r\n"
                                         "TriggerData(0,4,1.#INF);\r\n"
                                         "RotationKeyFrameData(7,0,0,1.#QNAN,0,0,1);\r\n");
    EXPECT_EQ(Texts(FindNonFiniteNumbers(path, "out.bef", TwoBones(), 3)),
              (std::vector<std::string>{
                  "out.bef line 2: RotationKeyFrameData of rotation key 3 (time 1600) of bone 1 "
                  "\"Spine\" holds the number 1.#QNAN, which is not finite (in a looping "
                  "animation, keys that reach past the end of the animation range can make a "
                  "key's neighbouring intervals average to zero)",
                  "out.bef line 3: TranslationKeyFrameData of translation key 2 (time 800) of "
                  "bone 0 \"Root\" holds the number -1.#INF, which is not finite",
                  "out.bef line 5: VertexInfluenceRigid of the influence of bone 1 \"Spine\" on "
                  "vertex 17 holds the number 1.#IND, which is not finite",
                  "out.bef: 2 more lines hold numbers that are not finite"}));
}

TEST(NonFiniteNumbers, ALineAcrossTheReadingChunkAndALastLineWithoutEndAreFound) {
    // The reader takes the file a mebibyte at a time: put a bad line across that boundary.
    std::string text;
    const std::string filler = "Vertex(0,1,2,3);\r\n";
    while (text.size() + filler.size() < (1u << 20) - 10) {
        text += filler;
    }
    const size_t lines = text.size() / filler.size();
    text += "Vertex(5,1.#QNAN,0,0);\r\nVertex(6,1,1,1);\r\nBone(9,-1.#INF)";
    const std::string path = WriteScript("chunks", text);
    EXPECT_EQ(Texts(FindNonFiniteNumbers(path, "big.mef", TwoBones())),
              (std::vector<std::string>{
                  "big.mef line " + std::to_string(lines + 1) +
                      ": Vertex of vertex 5 of the object holds the number 1.#QNAN, which is not "
                      "finite",
                  "big.mef line " + std::to_string(lines + 3) +
                      ": Bone of bone 9 holds the number -1.#INF, which is not finite"}));
}

TEST(NonFiniteNumbers, AFinitelyWrittenScriptHasNoNotes) {
    const std::string path =
        WriteScript("clean", "RotationKeyFrameData(1,3,1600,0.5,0,0,1);\r\nComment(\"#1\");\r\n");
    EXPECT_TRUE(FindNonFiniteNumbers(path, "x", TwoBones()).empty());
}

}  // namespace
}  // namespace pellucid::cli
