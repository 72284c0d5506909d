#include "message_store/HistoryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "message_store/MessageWriter.h"
#include "platform/Platform.h"

#ifdef _WIN32
#include "platform/win32/WideText.h"
#endif

namespace {

namespace fs = std::filesystem;

// GBK bytes of the texts the listing builds.
const std::string kYear = "\xc4\xea";   // 年
const std::string kMonth = "\xd4\xc2";  // 月
const std::string kDay = "\xc8\xd5";    // 日
const std::string kBing = "\xb2\xa1";   // 病
// 乗: its trail byte is 0x5C, a backslash.
const std::string kBackslashTrail = "\x81\x5c";

std::string Caption(const std::string& y, const std::string& mo, const std::string& d,
                    const std::string& h, const std::string& mi, const std::string& s) {
    return y + kYear + mo + kMonth + d + kDay + " " + h + ":" + mi + ":" + s;
}

// Store paths are GBK; the test's own file-system calls need the system's form of them.
fs::path SystemPath(const std::string& gbk) {
#ifdef _WIN32
    return fs::path(platform::win32::Widen(gbk));
#else
    return fs::path(gbk);
#endif
}

std::string GbkPath(const fs::path& path) {
#ifdef _WIN32
    return platform::win32::Narrow(path.wstring());
#else
    return path.string();
#endif
}

#ifndef _WIN32
// File descriptors the process holds open. Windows has no count that Wine keeps; there an open
// search shows itself by keeping its folder from being removed.
std::size_t OpenDescriptorCount() {
    const auto entries = fs::directory_iterator("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(fs::begin(entries), fs::end(entries)));
}
#endif

std::string PageWithTitle(const std::string& title) {
    return "<html><head>\r\n<title>" + title + "</title>\r\n</head><body>x</body></html>";
}

// Names and captions hold GBK bytes: shown escaped in test names and messages.
std::string Printable(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f) {
            out += c;
        } else {
            static constexpr char kHex[] = "0123456789abcdef";
            out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
        }
    }
    return out;
}

struct Listed {
    std::vector<krv::HistoryEntry> entries;

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : entries) {
            names.push_back(entry.fileName);
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

// A scratch application folder; its history folder is written with backslashes, as the store
// always does.
class HistoryFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        root_ = fs::temp_directory_path() / ("krv-history-" + std::to_string(random()));
        fs::create_directories(root_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    // The history folder inside a folder of the given (GBK) name below the scratch folder.
    std::string MakeHistoryDir(const std::string& appFolder = "app") {
        const fs::path app = root_ / SystemPath(appFolder);
        history_ = app / "history";
        fs::create_directories(history_);
        return krv::HistoryDir(GbkPath(app) + "\\");
    }

    static void WriteMessage(const std::string& historyDir, const std::string& name,
                             const std::string& title, const std::string& link = "http://x/") {
        platform::WriteWholeFile(krv::MessagePath(historyDir, name),
                                 krv::PackMessage({link, PageWithTitle(title), {}}));
    }

    static Listed List(const std::string& historyDir, const std::string& category) {
        Listed listed;
        krv::ListCategoryMessages(historyDir, category, [&](const krv::HistoryEntry& entry) {
            listed.entries.push_back(entry);
        });
        return listed;
    }

    fs::path root_;
    fs::path history_;  // the last history folder made, in the system's form
};

struct CaptionCase {
    std::string name;
    std::string caption;
};

void PrintTo(const CaptionCase& c, std::ostream* out) {
    *out << '"' << Printable(c.name) << '"';
}

class HistoryFolderCaption : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(HistoryFolderCaption, ReadsTheDateFieldsFromTheName) {
    EXPECT_EQ(krv::MessageDateCaption(GetParam().name), GetParam().caption);
}

const std::string kJune = Caption("2005", "06", "01", "12", "30", "45");

INSTANTIATE_TEST_SUITE_P(
    Names, HistoryFolderCaption,
    ::testing::Values(
        CaptionCase{"3=xyz20050601123045.msg", kJune},
        CaptionCase{"3=xyz20050601123045extra.msg", kJune},
        CaptionCase{"3=xyz2005.msg", Caption("2005", "", "", "", "", "")},
        CaptionCase{"3=x.msg", Caption("", "", "", "", "", "")},
        CaptionCase{"3=xy.msg", Caption("", "", "", "", "", "")},
        CaptionCase{"abc20050601123045.msg", kJune}, CaptionCase{"3=a=b20050601123045.msg", kJune},
        CaptionCase{"3=xyzABCD0102030405.msg", Caption("ABCD", "01", "02", "03", "04", "05")},
        CaptionCase{"3=xyz20050601123045", kJune}, CaptionCase{"3=xyz20050601123045.v2.msg", kJune},
        CaptionCase{"12=xyz19991231235959.msg", Caption("1999", "12", "31", "23", "59", "59")},
        // A double-byte character is copied as it stands, even across a field end.
        CaptionCase{"3=xyz" + kBing + "050601123045.msg",
                    Caption(kBing + "05", "06", "01", "12", "30", "45")},
        CaptionCase{
            "3=xyz200" + kBing + "601123045.msg",
            Caption("200" + kBing.substr(0, 1), kBing.substr(1) + "6", "01", "12", "30", "45")},
        CaptionCase{".msg", Caption("", "", "", "", "", "")},
        CaptionCase{"", Caption("", "", "", "", "", "")}));

struct CompareCase {
    std::string first;
    std::string second;
    int expected;
};

void PrintTo(const CompareCase& c, std::ostream* out) {
    *out << '"' << Printable(c.first) << "\" vs \"" << Printable(c.second) << '"';
}

class HistoryFolderCompare : public ::testing::TestWithParam<CompareCase> {};

TEST_P(HistoryFolderCompare, OrdersCaptionsByDescendingBytes) {
    EXPECT_EQ(krv::CompareDateCaptions(GetParam().first, GetParam().second), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, HistoryFolderCompare,
    ::testing::Values(CompareCase{kJune, kJune, 0}, CompareCase{"", "", 0},
                      // Newer goes first: the later date gives a positive result when it is second.
                      CompareCase{Caption("2005", "06", "01", "12", "30", "45"),
                                  Caption("2006", "06", "01", "12", "30", "45"), '6' - '5'},
                      CompareCase{Caption("2006", "06", "01", "12", "30", "45"),
                                  Caption("2005", "06", "01", "12", "30", "45"), '5' - '6'},
                      CompareCase{Caption("2005", "06", "01", "12", "30", "45"),
                                  Caption("2005", "06", "01", "12", "30", "47"), 2},
                      // Bytes are unsigned: a caption without a year sorts before every dated one.
                      CompareCase{kJune, Caption("", "", "", "", "", ""), 0xc4 - '2'},
                      CompareCase{Caption("", "", "", "", "", ""), kJune, '2' - 0xc4},
                      // A prefix: the length difference decides.
                      CompareCase{"2005", "2005" + kYear, 2},
                      CompareCase{"2005" + kYear, "2005", -2},
                      // No letter case and no locale.
                      CompareCase{"a", "B", 'B' - 'a'}));

TEST_F(HistoryFolder, DeleteMessageFileTellsTheFileIsGone) {
    const std::string dir = MakeHistoryDir();
    WriteMessage(dir, "1=xyz20050601123045.msg", "t");
    ASSERT_TRUE(platform::IsExistingFile(krv::MessagePath(dir, "1=xyz20050601123045.msg")));

    EXPECT_TRUE(krv::DeleteMessageFile(dir, "1=xyz20050601123045.msg"));
    EXPECT_FALSE(platform::IsExistingFile(krv::MessagePath(dir, "1=xyz20050601123045.msg")));
    // Already missing counts as gone.
    EXPECT_TRUE(krv::DeleteMessageFile(dir, "1=xyz20050601123045.msg"));
}

struct MembershipCase {
    std::string name;
    bool listed;
};

void PrintTo(const MembershipCase& c, std::ostream* out) {
    *out << '"' << Printable(c.name) << (c.listed ? "\" listed" : "\" not listed");
}

class HistoryFolderMembership : public HistoryFolder,
                                public ::testing::WithParamInterface<MembershipCase> {};

// Each name alone in the folder of category 1: listed with its caption and title, or not at all.
TEST_P(HistoryFolderMembership, ListsTheWholeNamesOfTheCategory) {
    const std::string dir = MakeHistoryDir();
    WriteMessage(dir, GetParam().name, "Title " + kBing);

    const Listed listed = List(dir, "1");

    if (!GetParam().listed) {
        EXPECT_TRUE(listed.entries.empty());
        return;
    }
    ASSERT_EQ(listed.entries.size(), 1u);
    EXPECT_EQ(listed.entries[0].fileName, GetParam().name);
    EXPECT_EQ(listed.entries[0].dateCaption, krv::MessageDateCaption(GetParam().name));
    EXPECT_EQ(listed.entries[0].title, "Title " + kBing);
}

INSTANTIATE_TEST_SUITE_P(Names, HistoryFolderMembership,
                         ::testing::Values(MembershipCase{"1=xyz20050601123045.msg", true},
                                           MembershipCase{"1=xyz20050601123045.MSG", true},
                                           MembershipCase{"1=xyz20050601123045.mSg", true},
                                           MembershipCase{"1=.msg", true},
                                           MembershipCase{"1=" + kBing + "xyz20050601123045.msg",
                                                          true},
                                           MembershipCase{"11=xyz20050601123045.msg", false},
                                           MembershipCase{"01=xyz20050601123045.msg", false},
                                           MembershipCase{"x1=xyz20050601123045.msg", false},
                                           MembershipCase{"1xyz20050601123045.msg", false},
                                           MembershipCase{"1=abcdef.msgx", false},
                                           MembershipCase{"1=xyz20050601123045.msg.bak", false},
                                           MembershipCase{"1=xyz20050601123045msg", false}));

TEST_F(HistoryFolder, ListsEveryMessageOfTheCategoryAndNoOther) {
    const std::string dir = MakeHistoryDir();
    WriteMessage(dir, "4=xyz20050601123045.msg", "one");
    WriteMessage(dir, "4=xyz20060601123045.msg", "two");
    WriteMessage(dir, "4=xyz20070601123045.msg", "three");
    WriteMessage(dir, "3=xyz20070601123045.msg", "other");

    const Listed listed = List(dir, "4");

    EXPECT_EQ(listed.Names(),
              (std::vector<std::string>{"4=xyz20050601123045.msg", "4=xyz20060601123045.msg",
                                        "4=xyz20070601123045.msg"}));
    for (const auto& entry : listed.entries) {
        EXPECT_EQ(entry.title, entry.fileName == "4=xyz20050601123045.msg"   ? "one"
                               : entry.fileName == "4=xyz20060601123045.msg" ? "two"
                                                                             : "three");
    }
}

TEST_F(HistoryFolder, MatchingFolderIsAnEntryWithEmptyTitle) {
    const std::string dir = MakeHistoryDir();
    fs::create_directory(history_ / "2=xyz20050601123045.msg");

    const Listed listed = List(dir, "2");

    ASSERT_EQ(listed.entries.size(), 1u);
    EXPECT_EQ(listed.entries[0].fileName, "2=xyz20050601123045.msg");
    EXPECT_EQ(listed.entries[0].dateCaption, kJune);
    EXPECT_EQ(listed.entries[0].title, "");
}

TEST_F(HistoryFolder, MissingHistoryFolderListsNothing) {
    const std::string dir = krv::HistoryDir(GbkPath(root_) + "\\");
    for (const char* category : {"1", "2", "3", "4", "5", "6", "7"}) {
        EXPECT_TRUE(List(dir, category).entries.empty()) << category;
    }
    EXPECT_FALSE(fs::exists(root_ / "history"));
}

// A backslash that is the trail byte of a character in the application's path is no separator.
TEST_F(HistoryFolder, ListsBelowAFolderWithDoubleByteName) {
    const std::string dir = MakeHistoryDir("app" + kBackslashTrail);
    WriteMessage(dir, "5=xyz20050601123045.msg", "found");

    const Listed listed = List(dir, "5");

    ASSERT_EQ(listed.entries.size(), 1u);
    EXPECT_EQ(listed.entries[0].title, "found");
}

TEST_F(HistoryFolder, FileGoneSinceTheSearchGivesEmptyTitleAndListingGoesOn) {
    const std::string dir = MakeHistoryDir();
    const std::vector<std::string> names{"6=xyz20050601123045.msg", "6=xyz20060601123045.msg",
                                         "6=xyz20070601123045.msg"};
    for (const auto& name : names) {
        WriteMessage(dir, name, "present");
    }

    // The first entry's handler deletes the other two before the listing reads them.
    Listed listed;
    krv::ListCategoryMessages(dir, "6", [&](const krv::HistoryEntry& entry) {
        if (listed.entries.empty()) {
            for (const auto& name : names) {
                if (name != entry.fileName) {
                    ASSERT_TRUE(krv::DeleteMessageFile(dir, name));
                }
            }
        }
        listed.entries.push_back(entry);
    });

    ASSERT_EQ(listed.Names(), names);
    EXPECT_EQ(listed.entries[0].title, "present");
    for (std::size_t i = 1; i < listed.entries.size(); ++i) {
        EXPECT_EQ(listed.entries[i].title, "") << listed.entries[i].fileName;
        EXPECT_EQ(listed.entries[i].dateCaption,
                  krv::MessageDateCaption(listed.entries[i].fileName));
    }
}

enum class Failure { BrokenMessage, HandlerRaises };

void PrintTo(Failure failure, std::ostream* out) {
    *out << (failure == Failure::BrokenMessage ? "broken message" : "handler raises");
}

class HistoryFolderFailure : public HistoryFolder, public ::testing::WithParamInterface<Failure> {};

// An error part-way reaches the caller, the entries before it stay handed over, and the folder
// search is released: no descriptor stays open and the folder can be removed.
TEST_P(HistoryFolderFailure, ErrorPartWayReleasesTheSearch) {
    const std::string dir = MakeHistoryDir();
    for (const char* name : {"7=xyz20050601123045.msg", "7=xyz20060601123045.msg",
                             "7=xyz20070601123045.msg", "7=xyz20080601123045.msg"}) {
        WriteMessage(dir, name, "good");
    }
    const std::string broken = "7=xyz20090601123045.msg";
    if (GetParam() == Failure::BrokenMessage) {
        // The page record claims more bytes than the file holds.
        std::string bytes = krv::PackMessage({"http://x/", PageWithTitle("cut"), {}});
        bytes.resize(bytes.size() - 5);
        platform::WriteWholeFile(krv::MessagePath(dir, broken), bytes);
    }

#ifndef _WIN32
    const std::size_t descriptorsBefore = OpenDescriptorCount();
#endif
    Listed listed;
    std::string error;
    try {
        krv::ListCategoryMessages(dir, "7", [&](const krv::HistoryEntry& entry) {
            listed.entries.push_back(entry);
            if (GetParam() == Failure::HandlerRaises && listed.entries.size() == 3) {
                throw platform::Error("handler failed");
            }
        });
    } catch (const platform::Error& e) {
        error = e.what();
    }

    if (GetParam() == Failure::HandlerRaises) {
        EXPECT_EQ(error, "handler failed");
        EXPECT_EQ(listed.entries.size(), 3u);
    } else {
        EXPECT_EQ(error, "Stream read error");
    }
    for (const auto& entry : listed.entries) {
        EXPECT_NE(entry.fileName, broken);
        EXPECT_EQ(entry.title, "good");
    }
#ifndef _WIN32
    EXPECT_EQ(OpenDescriptorCount(), descriptorsBefore);
#endif
    std::error_code removeError;
    fs::remove_all(root_, removeError);
    EXPECT_FALSE(removeError) << removeError.message();
    EXPECT_FALSE(fs::exists(root_));
}

INSTANTIATE_TEST_SUITE_P(Ways, HistoryFolderFailure,
                         ::testing::Values(Failure::BrokenMessage, Failure::HandlerRaises));

}  // namespace
