#include "message_store/ProcessMsg.h"

#include <span>

#include "message_store/CommonUtils.h"
#include "message_store/Gbk.h"
#include "message_store/MessageRecords.h"
#include "platform/Platform.h"

namespace krv {
namespace {

std::span<const char> Bytes(std::string_view bytes) {
    return {bytes.data(), bytes.size()};
}

// Splits the unscrambled content and writes what the mode asks for into directory.
void ProcessContent(std::string content, const std::string& directory,
                    std::vector<std::string>* pictureFiles, std::string& link, PageBrowser* browser,
                    bool titleMode, std::string& title) {
    MessageKey key;
    BuildMessageKey(key);
    ScrambleContent(key, content);

    link.clear();
    RecordReader reader(content);
    link = reader.ReadRecord();
    const std::string_view page = reader.ReadRecord();

    if (titleMode) {
        title = FindTitle(page);
    } else {
        for (int number = 1; !reader.AtEnd(); ++number) {
            const std::string_view picture = reader.ReadRecord();
            std::string name = directory + PictureFileName(number);
            if (pictureFiles != nullptr) {
                pictureFiles->push_back(name);
            }
            platform::WriteWholeFile(name, Bytes(picture));
        }
        platform::WriteWholeFile(directory + kBackgroundFileName, platform::Resource("bg", "FILE"));
    }

    const std::string pageFile = directory + kPageFileName;
    platform::WriteWholeFile(pageFile, Bytes(page));
    if (browser != nullptr) {
        browser->NavigatePage(pageFile);
    }
}

}  // namespace

std::string GetTempDir() {
    return AppendBackslash(platform::TempPath());
}

std::string FindTitle(std::string_view page) {
    page = page.substr(0, page.find('\0'));
    while (!page.empty()) {
        const std::size_t end = page.find_first_of("\r\n");
        const std::string_view line = page.substr(0, end);
        if (FindOnCharBoundary(line, "<title>") != std::string_view::npos) {
            return ReplaceFirst(ReplaceFirst(std::string(line), "<title>", ""), "</title>", "");
        }
        if (end == std::string_view::npos) {
            break;
        }
        const bool crlf = page[end] == '\r' && page.size() - end >= 2 && page[end + 1] == '\n';
        page.remove_prefix(end + (crlf ? 2 : 1));
    }
    return {};
}

void LoadMessage(const std::string& fileName, std::vector<std::string>* pictureFiles,
                 std::string& link, PageBrowser* browser, bool titleMode, std::string& title) {
    title.clear();
    if (!platform::IsExistingFile(fileName)) {
        return;
    }
    const std::string directory = GetTempDir();
    if (pictureFiles != nullptr) {
        pictureFiles->clear();
    }
    ProcessContent(platform::ReadWholeFile(fileName), directory, pictureFiles, link, browser,
                   titleMode, title);
}

void ExtractPageSet(const std::string& fileName, const std::string& directory,
                    std::vector<std::string>& pictureFiles, std::string& link) {
    pictureFiles.clear();
    std::string unusedTitle;
    ProcessContent(platform::ReadWholeFile(fileName), AppendBackslash(directory), &pictureFiles,
                   link, nullptr, false, unusedTitle);
}

std::string PictureFileName(int number) {
    return "msgpic" + std::to_string(number) + ".jpg";
}

}  // namespace krv
