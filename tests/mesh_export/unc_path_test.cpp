// Network paths rewritten to the drive letter of their share.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "host/interface.h"
#include "mesh_export/unc_path.h"

namespace {

// Drive roots in the system's order with their universal names.
using Drives = std::vector<std::pair<std::string, std::string>>;

// A platform that knows only drives and their universal names.
class DrivesPlatform : public HostPlatform {
  public:
    explicit DrivesPlatform(Drives drives) : drives_(std::move(drives)) {
        previous_ = GetHostPlatform();
        SetHostPlatform(this);
    }
    ~DrivesPlatform() override { SetHostPlatform(previous_); }

    int MessageBox(HWND, const char*, const char*, UINT) override { return IDOK; }
    void ReportAssertion(int, const char*) override {}
    std::vector<std::string> LogicalDriveRoots() override {
        std::vector<std::string> roots;
        for (const auto& drive : drives_) {
            roots.push_back(drive.first);
        }
        return roots;
    }
    std::string UniversalName(const std::string& root) override {
        for (const auto& drive : drives_) {
            if (drive.first == root) {
                return drive.second;
            }
        }
        return "";
    }
    std::string LocalPath(const std::string&) override { return ""; }
    Interface* Core() override { return nullptr; }
    int TicksPerFrame() override { return 160; }
    void TCBDefaults(float& t, float& c, float& b, float& in, float& out) override {
        t = c = b = in = out = 0.0f;
    }

  private:
    Drives drives_;
    HostPlatform* previous_ = nullptr;
};

std::string Rewritten(const char* path) {
    std::string result = "untouched";
    return UNCToDrivePath(path, result) ? result : "fails, result " + result;
}

TEST(UNCToDrivePath, ShareMappedAsDriveBecomesThatDrive) {
    DrivesPlatform platform(Drives{{"C:\\", ""}, {"P:\\", "\\\\server\\textures\\"}});
    EXPECT_EQ(Rewritten("\\\\server\\textures\\wood\\oak.tga"), "P:\\wood\\oak.tga");
    // The match ignores case over the universal name's length.
    EXPECT_EQ(Rewritten("\\\\SERVER\\Textures\\wood\\oak.tga"), "P:\\wood\\oak.tga");
}

TEST(UNCToDrivePath, FirstMatchingDriveInSystemOrderWins) {
    DrivesPlatform platform(
        {{"C:\\", ""}, {"Q:\\", "\\\\server\\"}, {"P:\\", "\\\\server\\textures\\"}});
    EXPECT_EQ(Rewritten("\\\\server\\textures\\a.tga"), "Q:\\textures\\a.tga");
}

TEST(UNCToDrivePath, PathsThatAreNotNetworkPathsFail) {
    DrivesPlatform platform(Drives{{"P:\\", "\\\\server\\textures\\"}});
    EXPECT_EQ(Rewritten("C:\\maps\\a.tga"), "fails, result untouched");
    EXPECT_EQ(Rewritten("\\\\abc"), "fails, result untouched");  // shorter than five characters
    EXPECT_EQ(Rewritten("/\\server\\textures\\a.tga"), "fails, result untouched");
    EXPECT_EQ(Rewritten(""), "fails, result untouched");
    EXPECT_EQ(Rewritten(nullptr), "fails, result untouched");
}

TEST(UNCToDrivePath, UnmappedShareOrNoDrivesFail) {
    {
        DrivesPlatform platform(Drives{{"P:\\", "\\\\server\\textures\\"}});
        EXPECT_EQ(Rewritten("\\\\other\\textures\\a.tga"), "fails, result untouched");
        // A path shorter than the universal name cannot match it.
        EXPECT_EQ(Rewritten("\\\\server\\tex"), "fails, result untouched");
    }
    DrivesPlatform none(Drives{});
    EXPECT_EQ(Rewritten("\\\\server\\textures\\a.tga"), "fails, result untouched");
}

TEST(UNCToDrivePath, ForwardSlashesPassTheFirstTestOnly) {
    DrivesPlatform platform(Drives{{"P:\\", "//server/textures/"}});
    EXPECT_EQ(Rewritten("//server/textures/a.tga"), "P:\\a.tga");
}

}  // namespace
