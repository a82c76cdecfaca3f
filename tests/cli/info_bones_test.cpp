// `pellucid info` on what the bone script will hold: the range and the cyclic flag, each bone's
// keys and rotation entries, and each attached object's holder, links and key frames.
#include <gtest/gtest.h>

#include <string>

#include "cli/run_pellucid.h"

namespace pellucid::test {
namespace {

// A hip with position keys and a rotation key a tick past the range, an arm keyed from time 0, a
// hand without keys; a cup resting on the hand, a sword linked to the arm and then the hand, and a
// lamp on a node that is not a bone.
std::string AnimatedScene(bool loop) {
    return std::string(R"({"pellucidScene": 1,
      "settings": {"animationRange": [0, 1600], "loop": )") +
           (loop ? "true" : "false") + R"(},
      "nodes": [
        {"id": "hip", "name": "Hip", "object": {"type": "bone"},
         "position": {"controller": "bezier", "keys": [
           {"time": 0, "value": [0, 0, 0]}, {"time": 800, "value": [1, 0, 0]},
           {"time": 1600, "value": [2, 0, 0]}]},
         "rotation": {"controller": "tcb", "keys": [
           {"time": 100, "value": {"axisAngle": [0, 0, 1, 10]}},
           {"time": 1601, "value": {"axisAngle": [0, 0, 1, 20]}}]},
         "children": [
           {"id": "arm", "name": "Arm", "object": {"type": "bone"},
            "transform": {"position": [0, 1, 0]},
            "rotation": {"controller": "linear", "keys": [
              {"time": 0, "value": {"axisAngle": [1, 0, 0, 0]}},
              {"time": 400, "value": {"axisAngle": [1, 0, 0, 30]}}]},
            "children": [
              {"id": "hand", "name": "Hand", "object": {"type": "bone"},
               "transform": {"position": [0, 1, 0]},
               "children": [{"name": "ATTACH01_Cup", "object": {"type": "dummy"}}]}]},
           {"name": "ATTACH02_Sword", "object": {"type": "dummy"},
            "link": [{"target": "arm", "time": 0}, {"target": "hand", "time": 800}],
            "rotation": {"controller": "tcb", "keys": [
              {"time": 0, "value": {"axisAngle": [0, 1, 0, 0]}},
              {"time": 400, "value": {"axisAngle": [0, 1, 0, 45]}}]}}]},
        {"name": "Prop", "object": {"type": "dummy"},
         "children": [{"name": "ATTACH03_Lamp  ", "object": {"type": "dummy"}}]}]})";
}

// The lines from the one that starts with `first` to the end.
std::string From(const std::string& text, const std::string& first) {
    const size_t at = text.find(first);
    return at == std::string::npos ? "(no line " + first + ")\n" + text : text.substr(at);
}

TEST(InfoCommand, ShowsWhatTheBoneScriptWillHold) {
    const std::string folder = TemporaryFolder("info-bones");
    CommandResult r = RunPellucid({"info", WriteScene(folder, AnimatedScene(false))});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string objects =
        "  attached object 0 \"ATTACH01_Cup\" (\"Cup\"): on bone 2 \"Hand\"; no key frames\n"
        "  attached object 1 \"ATTACH02_Sword\" (\"Sword\"): linked to bone 1 \"Arm\" from 0, "
        "bone 2 \"Hand\" from 800; 4 key frames from 0 to 800\n"
        "  attached object 2 \"ATTACH03_Lamp  \" (\"Lamp\"): on \"Prop\" (not a bone: -1); no "
        "key frames\n";
    EXPECT_EQ(From(r.out, "bone script:"),
              "bone script: ticks 0 to 1600 (1601 long), not cyclic (keys past the range, but the "
              "loop option is off: --loop exports it cyclic)\n"
              "  bone 0 \"Hip\": 2 rotation keys (3 entries), 3 position keys, 1 past the range\n"
              "  bone 1 \"Arm\": 2 rotation keys (2 entries), 0 position keys\n"
              "  bone 2 \"Hand\": 0 rotation keys (1 entry), 0 position keys\n" +
                  objects);

    r = RunPellucid({"info", WriteScene(folder, AnimatedScene(true))});
    EXPECT_NE(r.out.find("\nbone script: ticks 0 to 1600 (1601 long), cyclic (keys past the "
                         "range, the loop option on)\n  bone 0"),
              std::string::npos)
        << r.out;
}

TEST(InfoCommand, NamesTheAttachedObjectsPastTheSixteenth) {
    const std::string folder = TemporaryFolder("info-attach-limit");
    std::string nodes = R"({"name": "Hip", "object": {"type": "bone"}})";
    for (int i = 1; i <= 17; ++i) {
        nodes +=
            R"(, {"name": "ATTACH)" + std::to_string(i) + R"(_P", "object": {"type": "dummy"}})";
    }
    const CommandResult r = RunPellucid(
        {"info", WriteScene(folder, R"({"pellucidScene": 1, "nodes": [)" + nodes + "]}")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("  attached object 15 \"ATTACH16_P\""), std::string::npos) << r.out;
    EXPECT_EQ(r.out.substr(r.out.rfind('\n', r.out.size() - 2) + 1),
              "  \"ATTACH17_P\": left out (the bone script takes the first 16 attached "
              "objects)\n");
}

TEST(InfoCommand, SceneWithoutBonesHasNoBoneScriptSummary) {
    const std::string folder = TemporaryFolder("info-no-bones");
    const CommandResult r = RunPellucid({"info", WriteScene(folder, R"({"pellucidScene": 1,
        "nodes": [{"name": "ATTACH01_Cup", "object": {"type": "dummy"}}]})")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.find("bone script:"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace pellucid::test
