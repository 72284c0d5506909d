// The message file reader: the one place that knows what a message file's records mean and how
// its page set is named.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace krv {

// What the reader asks of the preview browser: go to the page file it has just written.
class PageBrowser {
  public:
    virtual ~PageBrowser() = default;
    virtual void NavigatePage(const std::string& pagePath) = 0;
};

// The system's temporary directory with a trailing backslash.
std::string GetTempDir();

// The title of a page: its first line that holds "<title>" (on a character boundary), with the
// first "<title>" and then the first "</title>" taken out. The page ends at its first NUL byte;
// no line holds a title, an empty text.
std::string FindTitle(std::string_view page);

// Reads a message file. Title mode finds the page's title; view mode writes the page set
// (page, pictures, background) into the temporary directory and fills pictureFiles, which it
// needs. Both modes write the page file and, when a browser is given, send it there. A file that
// does not exist only empties the title.
void LoadMessage(const std::string& fileName, std::vector<std::string>* pictureFiles,
                 std::string& link, PageBrowser* browser, bool titleMode, std::string& title);

// View mode into a directory of the caller's choice: writes the page set of an existing message
// file there under the same names, fills pictureFiles and link.
void ExtractPageSet(const std::string& fileName, const std::string& directory,
                    std::vector<std::string>& pictureFiles, std::string& link);

// The bare names of the page set; the clean-up and tools name the same files.
inline constexpr char kPageFileName[] = "krvmsg.htm";
inline constexpr char kBackgroundFileName[] = "msgbg.gif";
std::string PictureFileName(int number);  // "msgpic" + number + ".jpg"

}  // namespace krv
