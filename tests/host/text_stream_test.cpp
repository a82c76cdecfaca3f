#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "host/text_stream.h"
#include "support/script_files.h"

namespace fs = std::filesystem;

namespace {

class TextStreamTest : public testing::Test {
  protected:
    std::string Contents() const { return pellucid::test::ReadBytes(path_.string()); }
    const fs::path path_ = pellucid::test::ScratchPath("host", "stream.txt");
};

TEST_F(TextStreamTest, LinesEndInCrLfAndNumbersUseTheChosenFormat) {
    {
        TextStream out(path_.string());
        ASSERT_TRUE(out.is_open());
        out << "Vertex(" << 0.5f << "," << 100.0f << "," << 0.00001 << ");" << endl;
        out << "two\nlines" << '\n';
        out << "\nblank\n\nlines\n";
        out << 42 << "," << -7L << "," << 4000000000UL << endl;
        out.setFloatFormat(FloatFormat::Scientific17);
        out << 1.0 << "," << 0.1f << endl;
        EXPECT_TRUE(out.good());
    }
    EXPECT_EQ(Contents(),
              "Vertex(0.5,100,1e-005);\r\n"
              "two\r\nlines\r\n"
              "\r\nblank\r\n\r\nlines\r\n"
              "42,-7,4000000000\r\n"
              "1.00000000000000000e+000,1.00000001490116119e-001\r\n");
}

TEST_F(TextStreamTest, OpeningEmptiesAnExistingFile) {
    {
        std::ofstream old(path_, std::ios::binary);
        old << "old contents";
    }
    {
        TextStream out(path_.string());
        out << "new" << endl;
        EXPECT_EQ(out.size(), 5u);
    }
    EXPECT_EQ(Contents(), "new\r\n");
}

TEST_F(TextStreamTest, UnopenableFileIsNotGoodAndSwallowsWrites) {
    TextStream out((fs::path(testing::TempDir()) / "no-such-folder" / "x.txt").string());
    EXPECT_FALSE(out.is_open());
    EXPECT_FALSE(out.good());
    out << "ignored" << 1.5 << endl;
    EXPECT_EQ(out.size(), 0u);
}

TEST_F(TextStreamTest, LargeOutputIsWrittenCompletely) {
    std::string expected;
    {
        TextStream out(path_.string());
        for (int i = 0; i < 200000; ++i) {
            out << i * 0.25 << endl;
            expected += FormatGeneral6(i * 0.25) + "\r\n";
        }
    }
    EXPECT_EQ(Contents(), expected);
}

}  // namespace
