#include "message_store/Gbk.h"

#include <gtest/gtest.h>

#include <string>

namespace krv {
namespace {

constexpr auto npos = std::string_view::npos;

struct SearchCase {
    const char* name;
    friend void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.name; }
    std::string text;
    std::string part;
    std::size_t expected;
};

class GbkFind : public ::testing::TestWithParam<SearchCase> {};

TEST_P(GbkFind, FindsOnlyOnCharacterBoundaries) {
    const SearchCase& c = GetParam();
    EXPECT_EQ(FindOnCharBoundary(c.text, c.part), c.expected);
}

// 0x81 0x41 is one character whose trail byte reads as "A".
INSTANTIATE_TEST_SUITE_P(
    Gbk, GbkFind,
    ::testing::Values(SearchCase{"AsciiFirstOccurrence", "a<title>b<title>", "<title>", 1},
                      SearchCase{"SkipsMatchAtTrailByte",
                                 "\x81"
                                 "ABxAB",
                                 "AB", 4},
                      SearchCase{"OnlyAtTrailByte",
                                 "\x81"
                                 "AB",
                                 "AB", npos},
                      SearchCase{"AfterDoubleByteCharacters",
                                 "\xB2\xE2\xCA\xD4"
                                 "AB",
                                 "AB", 4},
                      SearchCase{"DoubleBytePart", "x\xB2\xE2", "\xB2\xE2", 1},
                      SearchCase{"LeadByteAtEnd", "a\x81", "\x81", 1},
                      SearchCase{"StopsAtNul", std::string("ab\0cd", 5), "cd", npos},
                      SearchCase{"EmptyPart", "abc", "", npos},
                      SearchCase{"EmptyText", "", "a", npos},
                      SearchCase{"CaseSensitive", "<TITLE>", "<title>", npos}),
    [](const auto& info) { return std::string(info.param.name); });

struct DelimiterCase {
    const char* name;
    friend void PrintTo(const DelimiterCase& c, std::ostream* os) { *os << c.name; }
    std::string text;
    std::size_t expected;
};

class GbkLastDelimiter : public ::testing::TestWithParam<DelimiterCase> {};

TEST_P(GbkLastDelimiter, IgnoresTrailBytes) {
    EXPECT_EQ(FindLastDelimiter(GetParam().text, "\\:"), GetParam().expected);
}

// 0x81 0x5C is one character whose trail byte reads as a backslash.
INSTANTIATE_TEST_SUITE_P(Gbk, GbkLastDelimiter,
                         ::testing::Values(DelimiterCase{"LastBackslash", "C:\\dir\\file", 6},
                                           DelimiterCase{"Colon", "http://host/a", 4},
                                           DelimiterCase{"TrailBackslashOnly",
                                                         "\x81\x5C"
                                                         "x",
                                                         npos},
                                           DelimiterCase{"BackslashBeforeTrailBackslash",
                                                         "a\\\x81\x5C"
                                                         "b",
                                                         1},
                                           DelimiterCase{"None", "file.txt", npos},
                                           DelimiterCase{"Empty", "", npos}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace krv
