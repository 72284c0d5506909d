// The preview browser: the system's web browser control, which the message reader sends to the
// page file it has written.
#pragma once

#include "message_store/ProcessMsg.h"
#include "ui/WebBrowser.h"

class PreviewBrowser : public ui::WebBrowser, public krv::PageBrowser {
  public:
    using ui::WebBrowser::WebBrowser;

    void NavigatePage(const std::string& pagePath) override;
};
