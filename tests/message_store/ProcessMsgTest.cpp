#include "message_store/ProcessMsg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "message_store/MessageRecords.h"
#include "message_store/MessageWriter.h"
#include "platform/Platform.h"
#include "tests/message_store/RawRecords.h"
#include "tests/message_store/ScratchTempDir.h"

namespace krv {
namespace {

using test::Le32;

// The picture the program carries as resource "bg", read from the sources it is built from.
std::string ProgramBackground() {
    std::ifstream in(BACKGROUND_GIF, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RecordingBrowser : public PageBrowser {
  public:
    void NavigatePage(const std::string& pagePath) override { pages.push_back(pagePath); }
    std::vector<std::string> pages;
};

// Each test runs against its own temporary directory, which also holds its message files.
class ProcessMsgTest : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const { return scratch.StorePath() + name; }

    std::string WriteMessage(const MessageParts& parts, const std::string& name = "1=m.msg") {
        const std::string bytes = PackMessage(parts);
        platform::WriteWholeFile(Path(name), bytes);
        return Path(name);
    }

    // Content that the writer cannot produce, scrambled as a message file is.
    std::string WriteRawMessage(std::string content, const std::string& name = "1=m.msg") {
        MessageKey key;
        BuildMessageKey(key);
        ScrambleContent(key, content);
        platform::WriteWholeFile(Path(name), content);
        return Path(name);
    }

    std::string Picture(int n) const { return Path("msgpic" + std::to_string(n) + ".jpg"); }
    std::string PageFile() const { return Path("krvmsg.htm"); }
    std::string Background() const { return Path("msgbg.gif"); }

    test::ScratchTempDir scratch;
    RecordingBrowser browser;
    std::vector<std::string> pictures{"stale entry"};
    std::string link = "old link";
    std::string title = "old title";
};

TEST_F(ProcessMsgTest, TempDirIsTheSystemTemporaryPathWithOneBackslash) {
    EXPECT_EQ(GetTempDir(), scratch.StorePath());
}

TEST_F(ProcessMsgTest, MissingFileOnlyEmptiesTheTitle) {
    LoadMessage(Path("missing.msg"), &pictures, link, &browser, false, title);
    EXPECT_EQ(title, "");
    EXPECT_EQ(link, "old link");
    EXPECT_EQ(pictures, std::vector<std::string>{"stale entry"});
    EXPECT_TRUE(browser.pages.empty());
    EXPECT_FALSE(platform::IsExistingFile(PageFile()));
}

TEST_F(ProcessMsgTest, FolderOfThatNameCountsAsMissing) {
    std::filesystem::create_directory(scratch.path() / "folder.msg");
    LoadMessage(Path("folder.msg"), &pictures, link, &browser, true, title);
    EXPECT_EQ(link, "old link");
    EXPECT_EQ(pictures, std::vector<std::string>{"stale entry"});
    EXPECT_FALSE(platform::IsExistingFile(PageFile()));
}

struct ViewCase {
    const char* name;
    friend void PrintTo(const ViewCase& c, std::ostream* os) { *os << c.name; }
    std::string content;  // unscrambled
    MessageParts expected;
};

class ProcessMsgView : public ProcessMsgTest, public ::testing::WithParamInterface<ViewCase> {};

TEST_P(ProcessMsgView, WritesThePageSetAndSendsTheBrowser) {
    const MessageParts& expected = GetParam().expected;
    LoadMessage(WriteRawMessage(GetParam().content), &pictures, link, &browser, false, title);

    EXPECT_EQ(link, expected.link);
    EXPECT_EQ(title, "");
    EXPECT_EQ(platform::ReadWholeFile(PageFile()), expected.page);
    EXPECT_EQ(platform::ReadWholeFile(Background()), ProgramBackground());
    std::vector<std::string> expectedNames;
    for (std::size_t i = 0; i < expected.pictures.size(); ++i) {
        expectedNames.push_back(Picture(static_cast<int>(i) + 1));
        EXPECT_EQ(platform::ReadWholeFile(expectedNames.back()), expected.pictures[i]);
    }
    EXPECT_EQ(pictures, expectedNames);
    EXPECT_FALSE(platform::IsExistingFile(Picture(static_cast<int>(expected.pictures.size()) + 1)));
    EXPECT_EQ(browser.pages, std::vector<std::string>{PageFile()});
}

MessageParts Sample(std::vector<std::string> pictures) {
    return {"http://news.example.com/a?id=7", "<html><title>T</title></html>", std::move(pictures)};
}

ViewCase Composed(const char* name, const MessageParts& parts) {
    return {name, ComposeMessage(parts), parts};
}

std::vector<std::string> TenPictures() {
    std::vector<std::string> pictures;
    for (int i = 1; i <= 10; ++i) {
        pictures.push_back("picture " + std::to_string(i));
    }
    return pictures;
}

INSTANTIATE_TEST_SUITE_P(
    ProcessMsg, ProcessMsgView,
    ::testing::Values(
        ViewCase{"EmptyFile", "", {"", "", {}}},
        ViewCase{"EndsAfterLink", Le32(3) + "abc", {"abc", "", {}}},
        Composed("NoPictures", Sample({})),
        Composed("ThreePictures", Sample({"one", std::string("\xFF\xD8\0\x01", 4), "three"})),
        Composed("EmptyPictureIsListed", Sample({"one", "", "three"})),
        Composed("EmptyPageThenPictures", {"l", "", {"p"}}),
        Composed("TenthPicture", Sample(TenPictures())),
        // 链接 in the link, and a page that is not text at all
        Composed("BinaryPageAndGbkLink", {"\xC1\xB4\xBD\xD3", std::string("\0\r\n\x81", 4), {}})),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessMsgTest, TitleModeWritesOnlyThePageFile) {
    LoadMessage(WriteMessage(Sample({"one", "two"})), &pictures, link, nullptr, true, title);
    EXPECT_EQ(title, "<html>T</html>");
    EXPECT_EQ(link, Sample({}).link);
    EXPECT_TRUE(pictures.empty());
    EXPECT_EQ(platform::ReadWholeFile(PageFile()), Sample({}).page);
    EXPECT_FALSE(platform::IsExistingFile(Background()));
    EXPECT_FALSE(platform::IsExistingFile(Picture(1)));
}

TEST_F(ProcessMsgTest, TitleModeWithoutPictureListOrBrowser) {
    LoadMessage(WriteMessage({"l", "<title>x</title>", {}}), nullptr, link, nullptr, true, title);
    EXPECT_EQ(title, "x");
    EXPECT_EQ(link, "l");
}

TEST_F(ProcessMsgTest, PicturesOfAnEarlierLargerMessageStayUnlisted) {
    LoadMessage(WriteMessage(Sample({"a", "b", "c"}), "1=big.msg"), &pictures, link, &browser,
                false, title);
    LoadMessage(WriteMessage(Sample({"new"}), "1=small.msg"), &pictures, link, &browser, false,
                title);
    EXPECT_EQ(pictures, std::vector<std::string>{Picture(1)});
    EXPECT_EQ(platform::ReadWholeFile(Picture(1)), "new");
    EXPECT_EQ(platform::ReadWholeFile(Picture(3)), "c");
}

TEST_F(ProcessMsgTest, ReadsFileWhoseNameHasABackslashTrailByte) {
    // 乗 is 0x81 0x5C: its trail byte must not split the path
    const std::string path = WriteMessage({"l", "<title>x</title>", {}}, "\x81\x5C.msg");
    LoadMessage(path, nullptr, link, nullptr, true, title);
    EXPECT_EQ(title, "x");
}

struct MalformedCase {
    const char* name;
    friend void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.name; }
    std::string content;  // unscrambled
    bool titleMode;
    std::string expectedLink;
    std::vector<std::string> picturesBefore;  // written before the faulty record
};

class ProcessMsgMalformed : public ProcessMsgTest,
                            public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(ProcessMsgMalformed, RaisesStreamReadErrorAndWritesNothingAfterIt) {
    const MalformedCase& c = GetParam();
    try {
        LoadMessage(WriteRawMessage(c.content), &pictures, link, &browser, c.titleMode, title);
        FAIL() << "no error raised";
    } catch (const platform::Error& error) {
        EXPECT_STREQ(error.what(), "Stream read error");
    }
    EXPECT_EQ(link, c.expectedLink);
    EXPECT_EQ(title, "");
    std::vector<std::string> expectedNames;
    for (std::size_t i = 0; i < c.picturesBefore.size(); ++i) {
        expectedNames.push_back(Picture(static_cast<int>(i) + 1));
        EXPECT_EQ(platform::ReadWholeFile(expectedNames.back()), c.picturesBefore[i]);
    }
    EXPECT_EQ(pictures, expectedNames);
    EXPECT_FALSE(platform::IsExistingFile(Picture(static_cast<int>(expectedNames.size()) + 1)));
    EXPECT_FALSE(platform::IsExistingFile(Background()));
    EXPECT_FALSE(platform::IsExistingFile(PageFile()));
    EXPECT_TRUE(browser.pages.empty());
}

const std::string kLinkAndPage = ComposeMessage({"ab", "page", {}});

INSTANTIATE_TEST_SUITE_P(
    ProcessMsg, ProcessMsgMalformed,
    ::testing::Values(
        MalformedCase{"LinkBeyondEnd", Le32(100) + "ab", false, "", {}},
        MalformedCase{"NegativeLink", Le32(-4) + Le32(0) + Le32(0), false, "", {}},
        MalformedCase{"LinkLengthCutShort", std::string("\x01\x00", 2), true, "", {}},
        MalformedCase{"PageBeyondEnd", Le32(2) + "ab" + Le32(10) + "abc", true, "ab", {}},
        MalformedCase{"NegativePage", Le32(2) + "ab" + Le32(-1) + "abc", false, "ab", {}},
        MalformedCase{"PageLengthCutShort", Le32(2) + "ab" + "\x05", true, "ab", {}},
        MalformedCase{"FirstPictureBeyondEnd", kLinkAndPage + Le32(1000) + "x", false, "ab", {}},
        MalformedCase{
            "SecondPictureNegative", kLinkAndPage + Le32(1) + "x" + Le32(-2), false, "ab", {"x"}},
        MalformedCase{"ThirdPictureLengthCutShort",
                      kLinkAndPage + Le32(1) + "x" + Le32(0) + std::string("\x00\x00\x00", 3),
                      false,
                      "ab",
                      {"x", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessMsgTest, FileThatCannotBeCreatedNamesItsPath) {
    const std::string message = WriteMessage(Sample({}));
    const std::string missingDir = (scratch.path() / "no such folder").string();
    test::ScratchTempDir::SetTempVariables(missingDir);
    try {
        LoadMessage(message, &pictures, link, &browser, true, title);
        FAIL() << "no error raised";
    } catch (const platform::Error& error) {
        const std::string expected = "Cannot create file \"" + missingDir + "\\krvmsg.htm\". ";
        EXPECT_EQ(std::string(error.what()).substr(0, expected.size()), expected);
        EXPECT_GT(std::string(error.what()).size(), expected.size()) << "no system reason";
    }
    EXPECT_EQ(link, Sample({}).link);
    EXPECT_TRUE(browser.pages.empty());
}

#ifndef _WIN32
TEST_F(ProcessMsgTest, PageFileIsNotWrittenThroughAPlantedLink) {
    const std::filesystem::path victim = scratch.path() / "victim.txt";
    std::ofstream(victim) << "keep";
    std::filesystem::create_symlink(victim, scratch.path() / "krvmsg.htm");
    EXPECT_THROW(LoadMessage(WriteMessage(Sample({})), nullptr, link, nullptr, true, title),
                 platform::Error);
    std::ifstream in(victim);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep");
}
#endif

struct TitleCase {
    const char* name;
    friend void PrintTo(const TitleCase& c, std::ostream* os) { *os << c.name; }
    std::string page;
    std::string title;
};

class ProcessMsgTitle : public ::testing::TestWithParam<TitleCase> {};

TEST_P(ProcessMsgTitle, IsTheFirstTitleLineWithoutItsTags) {
    EXPECT_EQ(FindTitle(GetParam().page), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    ProcessMsg, ProcessMsgTitle,
    ::testing::Values(
        TitleCase{"Plain", "<html>\r\n<title>News</title>\r\n</html>", "News"},
        TitleCase{"OtherTagsAndSpacesStay", "  <b><title>A</title></b>", "  <b>A</b>"},
        TitleCase{"ClosingTagOnNextLine", "<title>Part one\nrest</title>", "Part one"},
        TitleCase{"FirstOfTwoLines", "<title>1</title>\r<title>2</title>", "1"},
        TitleCase{"SecondTitleOnLineStays", "<title>a</title><title>b</title>",
                  "a<title>b</title>"},
        TitleCase{"UpperCaseNotFound", "<TITLE>X</TITLE>", ""},
        TitleCase{"NulBeforeTitle", std::string("<p>\0<title>X</title>", 20), ""},
        TitleCase{"LoneCrAndLfEndLines", "a\rb\n<title>c</title>", "c"},
        // 新闻 before the tag; a 0x81 lead byte whose trail reads "<" hides a tag
        TitleCase{"GbkText", "\xD0\xC2\xCE\xC5<title>\xD0\xC2</title>", "\xD0\xC2\xCE\xC5\xD0\xC2"},
        TitleCase{"TagAtTrailByteNotFound", "\x81<title>X</title>", ""},
        TitleCase{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace krv
