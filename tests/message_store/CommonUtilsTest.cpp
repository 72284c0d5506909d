#include "message_store/CommonUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "tests/message_store/ScratchTempDir.h"

#ifdef _WIN32
#include "tests/platform/BoxDismisser.h"
#endif

namespace krv {
namespace {

struct ReplaceCase {
    const char* name;
    friend void PrintTo(const ReplaceCase& c, std::ostream* os) { *os << c.name; }
    std::string text;
    std::string part;
    std::string replacement;
    std::string expected;
};

class CommonUtilsReplaceFirst : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(CommonUtilsReplaceFirst, ReplacesFirstOccurrenceOnCharacterBoundary) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(ReplaceFirst(c.text, c.part, c.replacement), c.expected);
}

// 0x81 0x3C is one character whose trail byte reads as "<".
INSTANTIATE_TEST_SUITE_P(
    CommonUtils, CommonUtilsReplaceFirst,
    ::testing::Values(
        ReplaceCase{"OnlyFirstOfTwo", "<title>a<title>b", "<title>", "", "a<title>b"},
        ReplaceCase{"NotFound", "<p>x</p>", "<title>", "", "<p>x</p>"},
        ReplaceCase{"PutsReplacement", "a</title>b", "</title>", "--", "a--b"},
        ReplaceCase{"SkipsTrailByteMatch", "\x81<title>x<title>", "<title>", "", "\x81<title>x"},
        ReplaceCase{"TrailByteMatchOnly", "\x81<title>", "<title>", "", "\x81<title>"},
        ReplaceCase{"EmptyPart", "abc", "", "x", "abc"},
        ReplaceCase{"SearchEndsAtNul", std::string("a\0<title>", 9), "<title>", "",
                    std::string("a\0<title>", 9)}),
    [](const auto& info) { return std::string(info.param.name); });

struct BackslashCase {
    const char* name;
    friend void PrintTo(const BackslashCase& c, std::ostream* os) { *os << c.name; }
    std::string path;
    std::string expected;
};

class CommonUtilsAppendBackslash : public ::testing::TestWithParam<BackslashCase> {};

TEST_P(CommonUtilsAppendBackslash, EndsWithExactlyOneBackslash) {
    EXPECT_EQ(AppendBackslash(GetParam().path), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    CommonUtils, CommonUtilsAppendBackslash,
    ::testing::Values(BackslashCase{"Appends", "C:\\dir", "C:\\dir\\"},
                      BackslashCase{"KeepsExisting", "C:\\dir\\", "C:\\dir\\"},
                      BackslashCase{"Empty", "", "\\"},
                      // the last byte decides: a trail byte 0x5C counts as a backslash
                      BackslashCase{"TrailByteBackslash", "C:\\\x81\x5C", "C:\\\x81\x5C"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RequestCase {
    const char* name;
    friend void PrintTo(const RequestCase& c, std::ostream* os) { *os << c.name; }
    std::string path;
    std::string directory;
};

class CommonUtilsShellRequest : public ::testing::TestWithParam<RequestCase> {};

TEST_P(CommonUtilsShellRequest, OpensWithDefaultVerbInDirectoryPart) {
    const platform::ShellRequest request = BuildShellRequest(GetParam().path);
    EXPECT_EQ(request.mask, 0u);
    EXPECT_EQ(request.verb, "");
    EXPECT_EQ(request.file, GetParam().path);
    EXPECT_EQ(request.parameters, "");
    EXPECT_EQ(request.directory, GetParam().directory);
    EXPECT_EQ(request.show, 1);
}

INSTANTIATE_TEST_SUITE_P(
    CommonUtils, CommonUtilsShellRequest,
    ::testing::Values(RequestCase{"FilePath", "C:\\dir\\sub\\a.htm", "C:\\dir\\sub\\"},
                      RequestCase{"BareName", "a.htm", ""},
                      RequestCase{"WebAddress", "http://www.example.com/a?b=c", "http:"},
                      RequestCase{"LastColon", "http://host:8080/x", "http://host:"},
                      RequestCase{"DriveRelative", "C:a.htm", "C:"},
                      RequestCase{"TrailByteBackslash", "C:\\\x81\x5C.htm", "C:\\"}),
    [](const auto& info) { return std::string(info.param.name); });

// The boxes ShellOpen shows, caught through the program's message box route.
class CommonUtilsShellOpen : public ::testing::Test {
  protected:
    struct Box {
        std::string text;
        std::string caption;
        unsigned flags;
    };

    void SetUp() override {
        platform::SetMessageBoxFunction(
            [this](const std::string& text, const std::string& caption, unsigned flags) {
                boxes.push_back({text, caption, flags});
                return 1;
            });
    }
    void TearDown() override { platform::SetMessageBoxFunction(nullptr); }

    std::vector<Box> boxes;
};

constexpr unsigned kIconError = 16;

struct ShellFailureCase {
    const char* name;
    friend void PrintTo(const ShellFailureCase& c, std::ostream* os) { *os << c.name; }
    const char* file;
    bool exists;
    std::string text;
    std::string caption;
};

class CommonUtilsShellFailure : public CommonUtilsShellOpen,
                                public ::testing::WithParamInterface<ShellFailureCase> {};

TEST_P(CommonUtilsShellFailure, ShowsItsMessage) {
    test::ScratchTempDir scratch;
    const std::string path = scratch.StorePath() + GetParam().file;
    if (GetParam().exists) {
        platform::WriteWholeFile(path, std::span<const char>("x", 1));
    }
#ifdef _WIN32
    // The shell shows a box of its own first and waits for it to be answered.
    ::test::BoxDismisser dismisser;
    ShellOpen(path);
    dismisser.Finish();
#else
    ShellOpen(path);
#endif
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, GetParam().text);
    EXPECT_EQ(boxes[0].caption, GetParam().caption);
    EXPECT_EQ(boxes[0].flags, kIconError);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, CommonUtilsShellFailure,
    ::testing::Values(
        // 无法打开，未找到该文件！ / 信息
        ShellFailureCase{"MissingFile", "missing.htm", false,
                         "\xCE\xDE\xB7\xA8\xB4\xF2\xBF\xAA\xA3\xAC\xCE\xB4\xD5\xD2\xB5\xBD\xB8\xC3"
                         "\xCE\xC4\xBC\xFE\xA3\xA1",
                         "\xD0\xC5\xCF\xA2"}
#ifdef _WIN32
        ,
        // 无法打开，请安装相关软件！ / 无关联 (natively the opener cases below stand for it)
        ShellFailureCase{"Unassociated", "note.krvunassociated", true,
                         "\xCE\xDE\xB7\xA8\xB4\xF2\xBF\xAA\xA3\xAC\xC7\xEB\xB0\xB2\xD7\xB0\xCF\xE0"
                         "\xB9\xD8\xC8\xED\xBC\xFE\xA3\xA1",
                         "\xCE\xDE\xB9\xD8\xC1\xAA"}
#endif
        ),
    [](const auto& info) { return std::string(info.param.name); });

#ifndef _WIN32
// Natively the desktop's opener stands in for the shell: a fake one on an otherwise empty PATH
// decides the outcome.
struct OpenerCase {
    const char* name;
    friend void PrintTo(const OpenerCase& c, std::ostream* os) { *os << c.name; }
    std::optional<int> openerExit;  // none: no opener installed
    bool expectNoAssociation;
};

class CommonUtilsShellOpener : public CommonUtilsShellOpen,
                               public ::testing::WithParamInterface<OpenerCase> {
  protected:
    void SetUp() override {
        CommonUtilsShellOpen::SetUp();
        const char* path = std::getenv("PATH");
        savedPath_ = path ? path : "";
        setenv("PATH", scratch_.path().string().c_str(), 1);
    }
    void TearDown() override {
        setenv("PATH", savedPath_.c_str(), 1);
        CommonUtilsShellOpen::TearDown();
    }

    test::ScratchTempDir scratch_;
    std::string savedPath_;
};

TEST_P(CommonUtilsShellOpener, ReportsMissingAssociationOnly) {
    namespace fs = std::filesystem;
    if (GetParam().openerExit) {
        const fs::path opener = scratch_.path() / "xdg-open";
        std::ofstream(opener) << "#!/bin/sh\nexit " << *GetParam().openerExit << "\n";
        fs::permissions(opener, fs::perms::owner_all);
    }
    std::ofstream(scratch_.path() / "page.htm") << "<p>x</p>";

    ShellOpen(scratch_.StorePath() + "page.htm");

    if (GetParam().expectNoAssociation) {
        ASSERT_EQ(boxes.size(), 1u);
        // 无法打开，请安装相关软件！ / 无关联
        EXPECT_EQ(boxes[0].text,
                  "\xCE\xDE\xB7\xA8\xB4\xF2\xBF\xAA\xA3\xAC\xC7\xEB\xB0\xB2\xD7\xB0\xCF\xE0\xB9"
                  "\xD8\xC8\xED\xBC\xFE\xA3\xA1");
        EXPECT_EQ(boxes[0].caption, "\xCE\xDE\xB9\xD8\xC1\xAA");
        EXPECT_EQ(boxes[0].flags, kIconError);
    } else {
        EXPECT_TRUE(boxes.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(CommonUtils, CommonUtilsShellOpener,
                         ::testing::Values(OpenerCase{"Opened", 0, false},
                                           OpenerCase{"NoOpener", std::nullopt, true},
                                           OpenerCase{"OpenerFails", 4, true}),
                         [](const auto& info) { return std::string(info.param.name); });
#endif

}  // namespace
}  // namespace krv
