// Reading node names: keyword prefixes, numbers at fixed positions, trailing blanks, and the
// object name behind an attach number.
#include <gtest/gtest.h>

#include <string>

#include "host/name_helpers.h"

namespace {

TEST(NameNumber, ReadsLikeAtoiWithinItsCharacters) {
    const struct {
        const char* name;
        int start, count;
        int number;
    } cases[] = {
        {"ATTACH12x", 6, 3, 12},   {"ATTACHabc", 6, 3, 0},   {"ATTACH", 6, 3, 0},
        {"ATTACH 7_a", 6, 3, 7},   {"ATTACH-12", 6, 3, -12}, {"ATTACH+4", 6, 3, 4},
        {"ATTACH1234", 6, 3, 123}, {"MAGIC0312", 5, 2, 3},   {"MAGIC0312", 7, 1, 1},
        {"TRIGGER0042", 7, 4, 42}, {"BOX_07", 4, 2, 7},      {"BOX", 4, 2, 0},
        {nullptr, 6, 3, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NameNumber(c.name, c.start, c.count), c.number)
            << (c.name ? c.name : "null") << " from " << c.start;
    }
}

TEST(UpperPrefix, CutsAndUpperCasesAsciiOnly) {
    EXPECT_EQ(UpperPrefix("magic01", 5), "MAGIC");
    EXPECT_EQ(UpperPrefix("Glo", 4), "GLO");
    EXPECT_EQ(UpperPrefix("\xe9tat", 4), "\xe9TAT");
    EXPECT_EQ(UpperPrefix(nullptr, 4), "");
}

TEST(TrimTrailingSpace, RemovesTrailingBlanksAndTabsOnly) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"Bone01 \t \t", "Bone01"},
        {"Left Arm  ", "Left Arm"},
        {"  lead", "  lead"},
        {"\tname\r\n", "\tname"},
        {"   ", ""},
        {"", ""},
        {"a b", "a b"},
    };
    for (const auto& c : cases) {
        CStr name(c.in);
        EXPECT_EQ(TrimTrailingSpace(name).str(), c.out) << "\"" << c.in << "\"";
        EXPECT_EQ(name.str(), c.out);
    }
}

TEST(AttachedObjectName, NameAfterTheNumberAndItsSeparator) {
    EXPECT_EQ(AttachedObjectName("ATTACH12_Sword").str(), "Sword");
    EXPECT_EQ(AttachedObjectName("ATTACH012 Sword  ").str(), "Sword");
    EXPECT_EQ(AttachedObjectName("ATTACH012_Sword").str(), "Sword");
    EXPECT_EQ(AttachedObjectName("ATTACH1").str(), "");
    EXPECT_EQ(AttachedObjectName(nullptr).str(), "");
}

}  // namespace
