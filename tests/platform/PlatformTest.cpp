// The platform services against the real system: natively the POSIX backend, under Wine the
// Win32 backend. What only Windows has (share modes, the shell, resources compiled by rc) is
// tested in the Windows build only.
#include "platform/Platform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Error.h"
#include "platform/win32/WindowsApi.h"
#include "tests/platform/BoxDismisser.h"
#endif

namespace {

using ::testing::AnyOf;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// "测试文件" in GBK; none of its trail bytes is a backslash.
const std::string kChineseName = "\xB2\xE2\xCA\xD4\xCE\xC4\xBC\xFE";

std::filesystem::path FsPath(const std::string& path) {
#ifdef _WIN32
    return std::filesystem::path(platform::win32::Widen(path));
#else
    std::string native = path;
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    return std::filesystem::path(native);
#endif
}

std::string WithBackslash(std::string path) {
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    return path;
}

std::string ReadError(const std::string& path) {
    try {
        platform::ReadWholeFile(path);
    } catch (const platform::Error& error) {
        return error.what();
    }
    return "(no error)";
}

std::string WriteError(const std::string& path) {
    try {
        platform::WriteWholeFile(path, std::span<const char>("x", 1));
    } catch (const platform::Error& error) {
        return error.what();
    }
    return "(no error)";
}

void Write(const std::string& path, std::string_view bytes) {
    platform::WriteWholeFile(path, std::span<const char>(bytes.data(), bytes.size()));
}

// A folder of its own in the temporary directory, removed with everything in it.
class PlatformFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        folder_ = WithBackslash(platform::TempPath()) + "krv-platform-" + std::to_string(stamp);
        std::filesystem::create_directory(FsPath(folder_));
        folder_ += '\\';
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(FsPath(folder_), ignored);
    }

    std::string Path(const std::string& name) const { return folder_ + name; }

    std::string folder_;
};

TEST(Platform, TempPathIsAnExistingFolder) {
    const std::string temp = platform::TempPath();
    ASSERT_FALSE(temp.empty());
    EXPECT_TRUE(std::filesystem::is_directory(FsPath(temp))) << temp;
#ifdef _WIN32
    EXPECT_THAT(temp, EndsWith("\\"));
#endif
}

TEST(Platform, ExecutablePathNamesThisProgram) {
    const std::string path = platform::ExecutablePath();
#ifdef _WIN32
    EXPECT_THAT(path, EndsWith("\\platform_test.exe"));
#else
    EXPECT_THAT(path, EndsWith("/platform_test"));
#endif
    EXPECT_TRUE(platform::IsExistingFile(path));
}

struct Content {
    const char* name;
    std::string bytes;
};

void PrintTo(const Content& content, std::ostream* os) {
    *os << content.name;
}

class PlatformContent : public PlatformFiles, public ::testing::WithParamInterface<Content> {};

TEST_P(PlatformContent, WrittenFileReadsBackByteForByte) {
    const std::string path = Path("content.bin");
    // Something longer first: writing must replace the content, not overwrite its beginning.
    Write(path, std::string(5000, 'z'));
    Write(path, GetParam().bytes);
    EXPECT_EQ(platform::ReadWholeFile(path), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Contents, PlatformContent,
                         ::testing::Values(Content{"Empty", ""},
                                           Content{"Binary", std::string("a\0b\r\n\x1A\xFF", 7)},
                                           Content{"Gbk", "\xD6\xD0\xCE\xC4"},
                                           Content{"Large", std::string(200000, '\x5C')}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlatformFiles, ChineseFileNameRoundTrip) {
    const std::string path = Path(kChineseName + ".txt");
    Write(path, "page");
    EXPECT_TRUE(platform::IsExistingFile(path));
    EXPECT_EQ(platform::ReadWholeFile(path), "page");
#ifdef _WIN32
    // The name on disk is the Chinese text itself, not its GBK bytes read as another code page.
    EXPECT_TRUE(std::filesystem::exists(FsPath(folder_) / L"\u6D4B\u8BD5\u6587\u4EF6.txt"));
#endif
    EXPECT_TRUE(platform::DeleteFile(path));
    EXPECT_FALSE(platform::IsExistingFile(path));
}

TEST_F(PlatformFiles, FolderIsNotAnExistingFile) {
    std::filesystem::create_directory(FsPath(Path("sub.msg")));
    EXPECT_FALSE(platform::IsExistingFile(Path("sub.msg")));
    EXPECT_FALSE(platform::IsExistingFile(Path("missing.msg")));
}

TEST_F(PlatformFiles, DeletingReportsWhetherTheFileIsGone) {
    Write(Path("a.msg"), "x");
    std::filesystem::create_directory(FsPath(Path("folder.msg")));

    EXPECT_TRUE(platform::DeleteFile(Path("a.msg")));
    EXPECT_FALSE(platform::IsExistingFile(Path("a.msg")));
    EXPECT_TRUE(platform::DeleteFile(Path("a.msg"))) << "a missing file counts as gone";
    EXPECT_TRUE(platform::DeleteFile(Path("nofolder\\a.msg")));
    EXPECT_FALSE(platform::DeleteFile(Path("folder.msg"))) << "a folder is not deleted";
}

TEST_F(PlatformFiles, MissingFileCannotBeOpened) {
    const std::string path = Path("missing.msg");
    const std::string message = ReadError(path);
    EXPECT_THAT(message, StartsWith("Cannot open file \"" + path + "\". "));
#ifdef _WIN32
    EXPECT_EQ(message, "Cannot open file \"" + path + "\". " +
                           platform::win32::SystemReason(ERROR_FILE_NOT_FOUND));
#endif
}

TEST_F(PlatformFiles, FileInMissingFolderCannotBeCreated) {
    const std::string path = Path("nofolder\\" + kChineseName + ".htm");
    const std::string message = WriteError(path);
    EXPECT_THAT(message, StartsWith("Cannot create file \"" + path + "\". "));
#ifdef _WIN32
    EXPECT_EQ(message, "Cannot create file \"" + path + "\". " +
                           platform::win32::SystemReason(ERROR_PATH_NOT_FOUND));
#endif
}

TEST(Platform, MissingResourceRaises) {
    EXPECT_THROW(platform::Resource("nosuchresource", "FILE"), platform::Error);
}

TEST(Platform, BackgroundResourceIsAGifPicture) {
    const std::span<const char> bg = platform::Resource("bg", "FILE");
    ASSERT_GE(bg.size(), 6u);
    EXPECT_THAT(std::string(bg.data(), 6), AnyOf("GIF87a", "GIF89a"));
}

struct Conversion {
    const char* name;
    std::string gbk;
    std::string utf8;
};

void PrintTo(const Conversion& conversion, std::ostream* os) {
    *os << conversion.name;
}

class PlatformText : public ::testing::TestWithParam<Conversion> {};

TEST_P(PlatformText, GbkAndUtf8ConvertBothWays) {
    EXPECT_EQ(platform::GbkToUtf8(GetParam().gbk), GetParam().utf8);
    EXPECT_EQ(platform::Utf8ToGbk(GetParam().utf8), GetParam().gbk);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PlatformText,
    ::testing::Values(Conversion{"Empty", "", ""},
                      Conversion{"Ascii", "http://a.b/c?d=1", "http://a.b/c?d=1"},
                      // 《KorvanWisplet》信息管理器
                      Conversion{"Title",
                                 "\xA1\xB6KorvanWisplet\xA1\xB7\xD0\xC5\xCF\xA2\xB9\xDC\xC0\xED"
                                 "\xC6\xF7",
                                 "\xE3\x80\x8AKorvanWisplet\xE3\x80\x8B\xE4\xBF\xA1\xE6\x81\xAF"
                                 "\xE7\xAE\xA1\xE7\x90\x86\xE5\x99\xA8"},
                      // 年誠: the second character has a backslash as its trail byte
                      Conversion{"BackslashTrailByte", "\xC4\xEA\xD5\x5C",
                                 "\xE5\xB9\xB4\xE8\xAA\xA0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Platform, TextThatIsNotGbkBecomesReplacementCharacter) {
    // A lead byte with nothing after it is no character.
    EXPECT_EQ(platform::GbkToUtf8("ab\x81"), "ab\xEF\xBF\xBD");
}

TEST(Platform, CharacterThatGbkCannotHoldBecomesQuestionMark) {
    // THAI CHARACTER KO KAI has no GBK code.
    EXPECT_EQ(platform::Utf8ToGbk("a\xE0\xB8\x81z"), "a?z");
}

TEST(Platform, MessageBoxGoesToTheProgramsHandler) {
    std::vector<std::string> seen;
    platform::SetMessageBoxFunction(
        [&](const std::string& text, const std::string& caption, unsigned flags) {
            seen = {text, caption, std::to_string(flags)};
            return 1;
        });
    EXPECT_EQ(platform::ShowMessageBox("\xD0\xC5\xCF\xA2", "caption", 16u), 1);
    platform::SetMessageBoxFunction(nullptr);
    EXPECT_EQ(seen, (std::vector<std::string>{"\xD0\xC5\xCF\xA2", "caption", "16"}));
}

#ifdef _WIN32

using platform::win32::UniqueFileHandle;
using platform::win32::Widen;

UniqueFileHandle OpenOther(const std::string& path, DWORD access, DWORD share) {
    UniqueFileHandle file(::CreateFileW(Widen(path).c_str(), access, share, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(file) << "the other program could not open " << path;
    return file;
}

TEST_F(PlatformFiles, FileHeldOpenForWritingCannotBeRead) {
    const std::string path = Path("busy.msg");
    Write(path, "message");
    const UniqueFileHandle writer =
        OpenOther(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);

    EXPECT_EQ(ReadError(path), "Cannot open file \"" + path + "\". " +
                                   platform::win32::SystemReason(ERROR_SHARING_VIOLATION));
}

TEST_F(PlatformFiles, FileOpenForReadingElsewhereCanBeRead) {
    const std::string path = Path("shared.msg");
    Write(path, "message");
    const UniqueFileHandle reader = OpenOther(path, GENERIC_READ, FILE_SHARE_READ);

    EXPECT_EQ(platform::ReadWholeFile(path), "message");
}

TEST_F(PlatformFiles, FileReadElsewhereWithoutWriteSharingCannotBeWritten) {
    const std::string path = Path("locked.msg");
    Write(path, "message");
    const UniqueFileHandle reader = OpenOther(path, GENERIC_READ, FILE_SHARE_READ);

    EXPECT_THAT(WriteError(path), StartsWith("Cannot create file \"" + path + "\". "));
}

bool RunningUnderWine() {
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

TEST(Platform, TempPathLongerThanMaxPath) {
    // The system reports the temporary folder from TMP. Windows gives a long one through a
    // second, larger ask; Wine refuses it, and that failure must become an error, not a path.
    wchar_t saved[32768] = {};
    const DWORD savedLength = ::GetEnvironmentVariableW(L"TMP", saved, 32768);
    const std::string longPath = "C:\\" + std::string(300, 'a') + "\\";
    ASSERT_TRUE(::SetEnvironmentVariableW(L"TMP", Widen(longPath).c_str()));

    std::string outcome;
    try {
        outcome = platform::TempPath();
    } catch (const platform::Error& error) {
        outcome = error.what();
    }
    ::SetEnvironmentVariableW(L"TMP", savedLength > 0 ? saved : nullptr);
    if (RunningUnderWine()) {
        EXPECT_EQ(outcome, "Cannot get the temporary path. " +
                               platform::win32::SystemReason(ERROR_FILENAME_EXCED_RANGE));
    } else {
        EXPECT_EQ(outcome, longPath);
    }
}

class PlatformSystemReason : public ::testing::TestWithParam<DWORD> {};

TEST_P(PlatformSystemReason, IsOneSentenceWithoutLineEnd) {
    const std::string reason = platform::win32::SystemReason(GetParam());
    ASSERT_FALSE(reason.empty());
    EXPECT_EQ(reason.find_first_of("\r\n"), std::string::npos) << reason;
    EXPECT_NE(reason.back(), ' ');
}

INSTANTIATE_TEST_SUITE_P(Codes, PlatformSystemReason,
                         ::testing::Values(ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND,
                                           ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION,
                                           ERROR_NO_ASSOCIATION, 0xDEADu));

// The shell's own error dialogs would wait for a click: the tests ask it to show none.
constexpr std::uint32_t kNoUi = SEE_MASK_FLAG_NO_UI;

struct ShellCase {
    const char* name;
    std::string file;
    std::uint32_t expected;
};

void PrintTo(const ShellCase& shellCase, std::ostream* os) {
    *os << shellCase.name;
}

class PlatformShell : public PlatformFiles, public ::testing::WithParamInterface<ShellCase> {};

TEST_P(PlatformShell, ReportsTheSystemErrorCode) {
    platform::ShellRequest request;
    request.mask = kNoUi;
    request.file = GetParam().file.empty() ? "" : Path(GetParam().file);
    EXPECT_EQ(platform::ShellExecute(request), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, PlatformShell,
    ::testing::Values(ShellCase{"MissingFile", "missing.txt", ERROR_FILE_NOT_FOUND},
                      ShellCase{"MissingChineseFile", kChineseName + ".htm", ERROR_FILE_NOT_FOUND},
                      ShellCase{"MissingFolder", "nofolder\\page.htm", ERROR_PATH_NOT_FOUND}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlatformFiles, ShellFailsOnFileThatNoProgramOpens) {
    const std::string path = Path("note.krvunassociated");
    Write(path, "x");
    platform::ShellRequest request;
    request.mask = kNoUi;
    request.file = path;
    // Windows has no association: 1155. Wine tries the file as a program instead: 193.
    EXPECT_THAT(platform::ShellExecute(request),
                AnyOf(std::uint32_t{ERROR_NO_ASSOCIATION}, std::uint32_t{ERROR_BAD_EXE_FORMAT}));
}

class PlatformShellBox : public PlatformShell {};

TEST_P(PlatformShellBox, FailureAfterTheShellsOwnBoxKeepsItsCode) {
    // Without SEE_MASK_FLAG_NO_UI the shell first shows its own box; Wine's box clears the last
    // error, and the code must still come back.
    const std::string path = Path(GetParam().file);
    if (GetParam().expected == ERROR_NO_ASSOCIATION) {
        Write(path, "x");
    }
    platform::ShellRequest request;
    request.file = path;
    test::BoxDismisser dismisser;
    const std::uint32_t code = platform::ShellExecute(request);
    const std::vector<std::wstring> boxes = dismisser.Finish();

    EXPECT_EQ(code, GetParam().expected);
    EXPECT_EQ(boxes.size(), 1u) << "the shell's own box";
}

INSTANTIATE_TEST_SUITE_P(
    Failures, PlatformShellBox,
    ::testing::Values(ShellCase{"MissingFile", "missing.txt", ERROR_FILE_NOT_FOUND},
                      ShellCase{"Unassociated", "note.krvunassociated", ERROR_NO_ASSOCIATION}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlatformFiles, ShellStartsProgramWithParametersInDirectory) {
    // The started program writes a file relative to its working directory; a folder with a
    // Chinese name shows that the directory crosses the boundary intact.
    const std::string folder = Path(kChineseName);
    std::filesystem::create_directory(FsPath(folder));
    platform::ShellRequest request;
    request.mask = kNoUi;
    request.file = "cmd.exe";
    // Renamed once written, so that the file is complete when it appears.
    request.parameters = "/c echo started> part.txt && ren part.txt started.txt";
    request.directory = folder;
    request.show = SW_HIDE;
    ASSERT_EQ(platform::ShellExecute(request), 0u);

    const std::string marker = folder + "\\started.txt";
    for (int attempt = 0; attempt < 200 && !platform::IsExistingFile(marker); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_TRUE(platform::IsExistingFile(marker));
    EXPECT_THAT(platform::ReadWholeFile(marker), StartsWith("started"));
}

#endif  // _WIN32

}  // namespace
