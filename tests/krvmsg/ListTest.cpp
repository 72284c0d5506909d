// Runs `krvmsg list` as a process over a scratch history folder made with the store's writer.
#include <gtest/gtest.h>

#include "tests/krvmsg/ToolProcess.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "message_store/MessageWriter.h"

namespace {

namespace fs = std::filesystem;
using krvmsg_test::ReadFile;
using krvmsg_test::Result;
using krvmsg_test::RunKrvmsg;

// The texts as stored (GBK) and as printed (UTF-8).
const std::string kNewsGbk = "\xd0\xc2\xce\xc5";           // 新闻
const std::string kNewsUtf8 = "\xe6\x96\xb0\xe9\x97\xbb";  // 新闻
const std::string kBingGbk = "\xb2\xa1";                   // 病
const std::string kBingUtf8 = "\xe7\x97\x85";              // 病

std::string CaptionUtf8(const std::string& y, const std::string& mo, const std::string& d,
                        const std::string& h, const std::string& mi, const std::string& s) {
    return y + "\xe5\xb9\xb4" + mo + "\xe6\x9c\x88" + d + "\xe6\x97\xa5" + " " + h + ":" + mi +
           ":" + s;
}

class KrvmsgList : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ =
            fs::temp_directory_path() / ("krvmsg-list-" + std::to_string(std::random_device{}()));
        fs::create_directories(root_ / "history");
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string History() const { return (root_ / "history").string(); }

    void WriteMessage(const std::string& name, const std::string& title) const {
        std::ofstream(root_ / "history" / name, std::ios::binary)
            << krv::PackMessage({"http://x/", "<html>\r\n<title>" + title + "</title>\r\n", {}});
    }

    Result List(std::vector<std::string> args) const {
        args.insert(args.begin(), "list");
        return RunKrvmsg(args, root_);
    }

    fs::path root_;
};

TEST_F(KrvmsgList, PrintsTheCategoryNewestFirstInUtf8) {
    WriteMessage("4=xyz20050601123045.msg", kNewsGbk);
    WriteMessage("4=xyz20070601123045.msg", "Second");
    WriteMessage("4=xyz20080101000000" + kBingGbk + ".msg", "Third");
    WriteMessage("4=x.msg", "Short");
    fs::create_directory(root_ / "history" / "4=abc20060101000000.msg");
    WriteMessage("3=xyz20090601123045.msg", "other category");
    WriteMessage("44=xyz20090601123045.msg", "other category");

    const Result result = List({History(), "4"});

    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    // A caption too short to hold a year starts with 年, whose first byte sorts above digits.
    EXPECT_EQ(result.out, CaptionUtf8("", "", "", "", "", "") + "\tShort\t4=x.msg\n" +
                              CaptionUtf8("2008", "01", "01", "00", "00", "00") +
                              "\tThird\t4=xyz20080101000000" + kBingUtf8 + ".msg\n" +
                              CaptionUtf8("2007", "06", "01", "12", "30", "45") +
                              "\tSecond\t4=xyz20070601123045.msg\n" +
                              CaptionUtf8("2006", "01", "01", "00", "00", "00") +
                              "\t\t4=abc20060101000000.msg\n" +
                              CaptionUtf8("2005", "06", "01", "12", "30", "45") + "\t" + kNewsUtf8 +
                              "\t4=xyz20050601123045.msg\n");
}

class KrvmsgListFolder : public KrvmsgList, public ::testing::WithParamInterface<std::string> {};

// The folder in POSIX or Windows spelling, with or without a separator at its end.
TEST_P(KrvmsgListFolder, AcceptsTheFolderSpelling) {
    WriteMessage("2=xyz20050601123045.msg", "only");

    const Result result = List({root_.string() + GetParam(), "2"});

    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, CaptionUtf8("2005", "06", "01", "12", "30", "45") +
                              "\tonly\t2=xyz20050601123045.msg\n");
}

INSTANTIATE_TEST_SUITE_P(Spellings, KrvmsgListFolder,
                         ::testing::Values("/history", "/history/", "\\history", "\\history\\"));

TEST_F(KrvmsgList, MissingHistoryFolderPrintsNothing) {
    const Result result = List({(root_ / "absent").string(), "1"});

    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_FALSE(fs::exists(root_ / "absent"));
}

TEST_F(KrvmsgList, BrokenMessageFailsWithoutListing) {
    WriteMessage("5=xyz20050601123045.msg", "good");
    std::string broken = krv::PackMessage({"http://x/", "<title>cut</title>", {}});
    broken.resize(broken.size() - 3);
    std::ofstream(root_ / "history" / "5=xyz20060601123045.msg", std::ios::binary) << broken;

    const Result result = List({History(), "5"});

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "krvmsg: Stream read error\n");
}

class KrvmsgListUsage : public KrvmsgList,
                        public ::testing::WithParamInterface<std::vector<std::string>> {};

// The category number must be decimal without sign or leading zeros, so that nothing but digits
// reaches the search pattern.
TEST_P(KrvmsgListUsage, RejectsWrongArguments) {
    WriteMessage("1=xyz20050601123045.msg", "listed only for good arguments");
    std::vector<std::string> args = GetParam();
    for (auto& arg : args) {
        if (arg == "HISTORY") {
            arg = History();
        }
    }

    const Result result = List(args);

    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("krvmsg: ", 0), 0u) << result.err;
}

INSTANTIATE_TEST_SUITE_P(Arguments, KrvmsgListUsage,
                         ::testing::Values(std::vector<std::string>{},
                                           std::vector<std::string>{"HISTORY"},
                                           std::vector<std::string>{"HISTORY", "1", "2"},
                                           std::vector<std::string>{"", "1"},
                                           std::vector<std::string>{"HISTORY", ""},
                                           std::vector<std::string>{"HISTORY", "01"},
                                           std::vector<std::string>{"HISTORY", "-1"},
                                           std::vector<std::string>{"HISTORY", "+1"},
                                           std::vector<std::string>{"HISTORY", "1*"},
                                           std::vector<std::string>{"HISTORY", "x"},
                                           std::vector<std::string>{"HISTORY", "../history/1"}));

}  // namespace
