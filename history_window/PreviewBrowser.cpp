#include "history_window/PreviewBrowser.h"

#include "platform/win32/WideText.h"

void PreviewBrowser::NavigatePage(const std::string& pagePath) {
    Navigate(platform::win32::Widen(pagePath));
}
