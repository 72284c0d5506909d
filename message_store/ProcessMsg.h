// The message file reader: the one place that knows the layout of a message file.
#pragma once

#include <string>
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

// Reads a message file. Title mode finds the page's title; view mode writes the page set
// (page, pictures, background) into the temporary directory and fills pictureFiles. Both modes
// write the page file and, when a browser is given, send it there.
void LoadMessage(const std::string& fileName, std::vector<std::string>* pictureFiles,
                 std::string& link, PageBrowser* browser, bool titleMode, std::string& title);

}  // namespace krv
