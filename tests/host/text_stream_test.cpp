#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "host/text_stream.h"

namespace fs = std::filesystem;

namespace {

TEST(NumberFormat, GeneralSixDigitsAsTheOriginalRuntime) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.5, "0.5"},
        {100.0, "100"},
        {1.0, "1"},
        {0.0, "0"},
        {-0.0, "-0"},
        {-2.25, "-2.25"},
        {0.0001, "0.0001"},
        {0.00001, "1e-005"},
        {123456.0, "123456"},
        {1234567.0, "1.23457e+006"},
        {1000000.0, "1e+006"},
        {1e100, "1e+100"},
        {1e-300, "1e-300"},
        {static_cast<double>(0.1f), "0.1"},
        {1.0 / 3.0, "0.333333"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatGeneral6(c.value), c.text) << c.value;
    }
}

TEST(NumberFormat, ScientificSeventeenDigitsRoundsTheDoubleExactly) {
    EXPECT_EQ(FormatScientific17(1.0), "1.00000000000000000e+000");
    EXPECT_EQ(FormatScientific17(static_cast<double>(0.1f)), "1.00000001490116119e-001");
    EXPECT_EQ(FormatScientific17(0.1), "1.00000000000000006e-001");
    EXPECT_EQ(FormatScientific17(-0.0), "-0.00000000000000000e+000");
    EXPECT_EQ(FormatScientific17(-12345.5), "-1.23455000000000000e+004");
    EXPECT_EQ(FormatScientific17(1e300), "1.00000000000000005e+300");
}

TEST(NumberFormat, NonFiniteValuesAsTheOriginalRuntime) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatGeneral6(inf), "1.#INF");
    EXPECT_EQ(FormatGeneral6(-inf), "-1.#INF");
    EXPECT_EQ(FormatScientific17(inf), "1.#INF0000000000000e+000");
}

class TextStreamTest : public testing::Test {
  protected:
    void SetUp() override {
        path_ = fs::path(testing::TempDir()) /
                ("pellucid_text_stream_" +
                 std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    }
    void TearDown() override { fs::remove(path_); }
    std::string Contents() const {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    fs::path path_;
};

TEST_F(TextStreamTest, LinesEndInCrLfAndNumbersUseTheChosenFormat) {
    {
        TextStream out(path_.string());
        ASSERT_TRUE(out.is_open());
        out << "Vertex(" << 0.5f << "," << 100.0f << "," << 0.00001 << ");" << endl;
        out << "two\nlines" << '\n';
        out << 42 << "," << -7L << "," << 4000000000UL << endl;
        out.setFloatFormat(TextStream::FloatFormat::Scientific17);
        out << 1.0 << "," << 0.1f << endl;
        EXPECT_TRUE(out.good());
    }
    EXPECT_EQ(Contents(),
              "Vertex(0.5,100,1e-005);\r\n"
              "two\r\nlines\r\n"
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
