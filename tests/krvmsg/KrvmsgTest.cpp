// Runs the built tool as a process and checks what it prints, what it writes and how it exits.
// Message files are made here byte by byte, independently of the store's writer.
#include <gtest/gtest.h>

#include "tests/krvmsg/ToolProcess.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using krvmsg_test::ReadFile;
using krvmsg_test::Result;
using krvmsg_test::RunKrvmsg;

std::string Le32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<char>(bits & 0xFF), static_cast<char>(bits >> 8 & 0xFF),
            static_cast<char>(bits >> 16 & 0xFF), static_cast<char>(bits >> 24 & 0xFF)};
}

std::string Record(const std::string& bytes) {
    return Le32(static_cast<std::int32_t>(bytes.size())) + bytes;
}

// The client's scrambling: byte i combined with byte i mod 13 of the message key.
std::string Scramble(std::string content) {
    const std::uint8_t key[] = {0x5A, 0xC3, 0x17, 0x9E, 0x44, 0xB8, 0x02,
                                0x6D, 0xF1, 0x39, 0x8A, 0xE5, 0x70};
    for (std::size_t i = 0; i < content.size(); ++i) {
        content[i] = static_cast<char>(static_cast<std::uint8_t>(content[i]) ^ key[i % 13]);
    }
    return content;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// 新闻 ("news"), in UTF-8 as typed and in GBK as stored.
const std::string kNewsUtf8 = "\xE6\x96\xB0\xE9\x97\xBB";
const std::string kNewsGbk = "\xD0\xC2\xCE\xC5";

class Krvmsg : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("krvmsg-test-" + std::to_string(std::random_device{}()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Path(const std::string& name) const { return dir_ / name; }

    Result Run(const std::vector<std::string>& args) const { return RunKrvmsg(args, dir_); }

    std::string WriteMessage(const std::string& content, const std::string& name = "m.msg") {
        WriteFile(Path(name), Scramble(content));
        return Path(name).string();
    }

    fs::path dir_;
};

TEST_F(Krvmsg, PackStoresGbkLinkAndFilesUnchangedScrambled) {
    const std::string page = "<title>" + kNewsGbk + "</title>\r\n";
    const std::string picture = std::string("\xFF\xD8\x00\x10", 4);
    WriteFile(Path("page.htm"), page);
    WriteFile(Path("a.jpg"), picture);
    WriteFile(Path("empty.jpg"), "");

    const Result result =
        Run({"pack", "-o", Path("out.msg").string(), "--link", "http://x/" + kNewsUtf8, "--page",
             Path("page.htm").string(), Path("a.jpg").string(), Path("empty.jpg").string()});

    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(ReadFile(Path("out.msg")), Scramble(Record("http://x/" + kNewsGbk) + Record(page) +
                                                  Record(picture) + Record("")));
}

TEST_F(Krvmsg, ShowPrintsRecordsInUtf8) {
    const std::string file = WriteMessage(Record("http://x/" + kNewsGbk) +
                                          Record("<html>\n  <title>" + kNewsGbk + "</title>\n") +
                                          Record("12345") + Record(""));
    const Result result = Run({"show", file});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "link: http://x/" + kNewsUtf8 + "\ntitle:   " + kNewsUtf8 +
                              "\npage: 29 bytes\npictures: 2\npicture 1: 5 bytes\n"
                              "picture 2: 0 bytes\n");
    EXPECT_EQ(result.err, "");
}

TEST_F(Krvmsg, ShowReplacesInvalidGbk) {
    // 0x81 0x20 is no GBK character; a lone lead byte at the end is none either
    const std::string file = WriteMessage(Record("a\x81 b\x81") + Record(""));
    const Result result = Run({"show", file});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out.substr(0, result.out.find('\n')), "link: a\xEF\xBF\xBD b\xEF\xBF\xBD");
}

TEST_F(Krvmsg, ShowOfEmptyFileHasEmptyRecords) {
    const Result result = Run({"show", WriteMessage("")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "link: \ntitle: \npage: 0 bytes\npictures: 0\n");
}

TEST_F(Krvmsg, ExtractWritesThePageSetAndPrintsEachPath) {
    const std::string page = "<title>t</title>";
    const std::string file =
        WriteMessage(Record("l") + Record(page) + Record("one") + Record("") + Record("three"));
    fs::create_directory(Path("out"));
    const Result result = Run({"extract", file, Path("out").string()});

    EXPECT_EQ(result.status, 0) << result.err;
    const fs::path out = Path("out");
    EXPECT_EQ(result.out, (out / "msgpic1.jpg").string() + "\n" + (out / "msgpic2.jpg").string() +
                              "\n" + (out / "msgpic3.jpg").string() + "\n" +
                              (out / "msgbg.gif").string() + "\n" + (out / "krvmsg.htm").string() +
                              "\n");
    EXPECT_EQ(ReadFile(out / "msgpic1.jpg"), "one");
    EXPECT_EQ(ReadFile(out / "msgpic2.jpg"), "");
    EXPECT_EQ(ReadFile(out / "msgpic3.jpg"), "three");
    EXPECT_EQ(ReadFile(out / "krvmsg.htm"), page);
    EXPECT_EQ(ReadFile(out / "msgbg.gif"), ReadFile(BACKGROUND_GIF));
}

struct FailureCase {
    const char* name;
    std::string command;
    std::string content;  // unscrambled message file
    std::string error;    // the line on standard error
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class KrvmsgMalformed : public Krvmsg, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(KrvmsgMalformed, FailsWithStoreError) {
    const std::string file = WriteMessage(GetParam().content);
    fs::create_directory(Path("out"));
    std::vector<std::string> args = {GetParam().command, file};
    if (GetParam().command == "extract") {
        args.push_back(Path("out").string());
    }
    const Result result = Run(args);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "krvmsg: " + GetParam().error + "\n");
}

const std::string kStreamError = "Stream read error";

INSTANTIATE_TEST_SUITE_P(
    Krvmsg, KrvmsgMalformed,
    ::testing::Values(
        FailureCase{"ShowLinkBeyondEnd", "show", Le32(9) + "abc", kStreamError},
        FailureCase{"ShowNegativeLink", "show", Le32(-1) + Record("p"), kStreamError},
        FailureCase{"ShowLinkLengthCutShort", "show", std::string("\x01\x00\x00", 3), kStreamError},
        FailureCase{"ShowPageBeyondEnd", "show", Record("l") + Le32(50) + "x", kStreamError},
        FailureCase{"ShowPictureLengthCutShort", "show", Record("l") + Record("p") + "\x02",
                    kStreamError},
        FailureCase{"ExtractNegativePicture", "extract", Record("l") + Record("p") + Le32(-7),
                    kStreamError},
        FailureCase{"ExtractPageBeyondEnd", "extract", Record("l") + Le32(1 << 30), kStreamError}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Krvmsg, MissingMessageFileIsAnError) {
    const std::string missing = Path("none.msg").string();
    const std::string folder = dir_.string();
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"show", missing}, missing},
        {{"extract", missing, folder}, missing},
        {{"show", folder}, folder}};  // a folder is no message file
    for (const auto& [args, named] : cases) {
        const Result result = Run(args);
        EXPECT_EQ(result.status, 1) << args[0];
        EXPECT_EQ(result.err, "krvmsg: no message file \"" + named + "\"\n") << args[0];
    }
}

TEST_F(Krvmsg, UnreadablePageFileNamesIt) {
    const std::string missing = Path("missing.htm").string();
    const Result result =
        Run({"pack", "-o", Path("o.msg").string(), "--link", "l", "--page", missing});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.rfind("krvmsg: Cannot open file \"" + missing + "\". ", 0), 0u)
        << result.err;
    EXPECT_FALSE(fs::exists(Path("o.msg")));
}

TEST_F(Krvmsg, ExtractIntoMissingFolderNamesTheFile) {
    const std::string file = WriteMessage(Record("l") + Record("p"));
    const Result result = Run({"extract", file, Path("nowhere").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.rfind("krvmsg: Cannot create file \"" + Path("nowhere").string(), 0), 0u)
        << result.err;
}

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    friend void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }
};

class KrvmsgUsage : public Krvmsg, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(KrvmsgUsage, ExitsWithTwoAndShowsUsage) {
    const Result result = Run(GetParam().args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("krvmsg: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find("usage: krvmsg pack -o FILE --link LINK --page PAGE"),
              std::string::npos)
        << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Krvmsg, KrvmsgUsage,
    ::testing::Values(UsageCase{"NoCommand", {}}, UsageCase{"UnknownCommand", {"unpack", "x"}},
                      UsageCase{"ShowWithoutFile", {"show"}},
                      UsageCase{"ShowTwoFiles", {"show", "a", "b"}},
                      UsageCase{"ExtractWithoutFolder", {"extract", "a"}},
                      UsageCase{"PackWithoutPage", {"pack", "-o", "o", "--link", "l"}},
                      UsageCase{"PackOptionWithoutValue", {"pack", "-o", "o", "--link"}},
                      UsageCase{"PackUnknownOption",
                                {"pack", "-o", "o", "--link", "l", "--page", "p", "--title", "t"}},
                      UsageCase{"PackOptionTwice", {"pack", "-o", "o", "-o", "p"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
