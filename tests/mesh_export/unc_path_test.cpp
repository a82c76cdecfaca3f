// Network paths rewritten to the drive letter of their share.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "mesh_export/materials.h"
#include "support/fake_platform.h"

namespace {

// Drive roots in the system's order with their universal names.
using Drives = std::vector<std::pair<std::string, std::string>>;

TEST(UNCToDrivePath, RewritesANetworkPathToTheFirstDriveMappingItsShare) {
    const Drives textures{{"C:\\", ""}, {"P:\\", "\\\\server\\textures\\"}};
    const struct {
        Drives drives;
        const char* path;
        const char* expected;  // "untouched" when the rewrite fails
    } cases[] = {
        {textures, "\\\\server\\textures\\wood\\oak.tga", "P:\\wood\\oak.tga"},
        // The match ignores case over the universal name's length.
        {textures, "\\\\SERVER\\Textures\\wood\\oak.tga", "P:\\wood\\oak.tga"},
        // Drives are tried in the system's order.
        {{{"C:\\", ""}, {"Q:\\", "\\\\server\\"}, {"P:\\", "\\\\server\\textures\\"}},
         "\\\\server\\textures\\a.tga",
         "Q:\\textures\\a.tga"},
        // Not network paths.
        {textures, "C:\\maps\\a.tga", "untouched"},
        {textures, "\\\\abc", "untouched"},  // shorter than five characters
        {textures, "/\\server\\textures\\a.tga", "untouched"},
        {textures, "", "untouched"},
        {textures, nullptr, "untouched"},
        // Shares that no drive maps, and a path shorter than the universal name.
        {textures, "\\\\other\\textures\\a.tga", "untouched"},
        {textures, "\\\\server\\tex", "untouched"},
        {{}, "\\\\server\\textures\\a.tga", "untouched"},
        // Forward slashes pass the network-path test and match a universal name written so.
        {{{"P:\\", "//server/textures/"}}, "//server/textures/a.tga", "P:\\a.tga"},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        platform.drives = c.drives;
        ScopedHostPlatform scope(&platform);
        std::string result = "untouched";
        UNCToDrivePath(c.path, result);
        EXPECT_EQ(result, c.expected) << (c.path ? c.path : "null");
    }
}

}  // namespace
