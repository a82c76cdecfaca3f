// The library's trace log: where it goes, what a line looks like, and when traces are lost.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "plugin/library.h"
#include "services/debug_log.h"
#include "support/fake_platform.h"
#include "support/script_files.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    return pellucid::test::ReadBytes(path.string());
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class DebugLogTest : public testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::path(testing::TempDir()) /
                ("pellucid_debug_log_" +
                 std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override {
        LibraryUnload();
        fs::remove_all(root_);
    }
    // The local file of the log when "d:\" is mapped to root_.
    fs::path LogFile() const { return root_ / "project" / "pellucid" / "test" / "debug.txt"; }

    fs::path root_;
    FakePlatform platform_;
};

TEST_F(DebugLogTest, MappedLogIsEmptiedAtLoadAndHoldsOneCrLfLinePerTrace) {
    fs::create_directories(LogFile().parent_path());
    WriteFile(LogFile(), "left over from the last session\r\n");
    platform_.MapPath("d:\\", root_.string());
    ScopedHostPlatform host(&platform_);

    LibraryLoad();
    EXPECT_EQ(ReadFile(LogFile()), "");
    Trace("EnumMesh_t");
    Trace("callback");
    Trace("");
    Trace("OutputMesh");
    LibraryUnload();

    EXPECT_EQ(ReadFile(LogFile()), "EnumMesh_t\r\ncallback\r\n\r\nOutputMesh\r\n");
    // Closed: later traces go nowhere.
    Trace("after unload");
    EXPECT_EQ(ReadFile(LogFile()), "EnumMesh_t\r\ncallback\r\n\r\nOutputMesh\r\n");
}

TEST_F(DebugLogTest, UnmappedPathLosesTracesSilently) {
    ScopedHostPlatform host(&platform_);
    LibraryLoad();
    Trace("EnumMesh_t");
    LibraryUnload();
    EXPECT_TRUE(fs::is_empty(root_));
    EXPECT_TRUE(platform_.messages.empty());
    EXPECT_TRUE(platform_.assertions.empty());
}

TEST_F(DebugLogTest, MissingFolderLosesTracesSilently) {
    platform_.MapPath("d:\\", root_.string());
    ScopedHostPlatform host(&platform_);
    LibraryLoad();
    Trace("EnumMesh_t");
    LibraryUnload();
    EXPECT_FALSE(fs::exists(LogFile()));
    EXPECT_TRUE(platform_.messages.empty());
}

TEST_F(DebugLogTest, WithoutHostPlatformTracesAreLost) {
    ScopedHostPlatform host(nullptr);
    LibraryLoad();
    Trace("EnumMesh_t");
    Trace(nullptr);
    LibraryUnload();
    EXPECT_TRUE(fs::is_empty(root_));
}

TEST_F(DebugLogTest, ReloadingStartsANewLog) {
    fs::create_directories(LogFile().parent_path());
    platform_.MapPath("D:\\", root_.string());
    ScopedHostPlatform host(&platform_);
    LibraryLoad();
    Trace("first");
    LibraryUnload();
    LibraryLoad();
    Trace("second");
    LibraryUnload();
    EXPECT_EQ(ReadFile(LogFile()), "second\r\n");
}

}  // namespace
