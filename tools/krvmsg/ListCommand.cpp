// krvmsg list HISTORY_DIR CATEGORY
#include <algorithm>
#include <vector>

#include "message_store/HistoryFolder.h"
#include "tools/krvmsg/Commands.h"
#include "tools/krvmsg/Output.h"

namespace krvmsg {
namespace {

// Category numbers are written in decimal without sign or leading zeros; anything else would
// also put path characters into the search pattern.
bool IsCategoryNumber(const std::string& text) {
    return !text.empty() && text.front() != '0' &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

int RunList(const Arguments& args) {
    if (args.size() != 2 || args[0].empty()) {
        throw UsageError("list needs a history folder and a category number");
    }
    if (!IsCategoryNumber(args[1])) {
        throw UsageError("not a category number: " + args[1]);
    }
    // The folder keeps the system's spelling; only a separator is added for the names after it.
    const std::string historyDir = JoinPath(args[0], "");

    std::vector<krv::HistoryEntry> entries;
    krv::ListCategoryMessages(historyDir, args[1],
                              [&](const krv::HistoryEntry& entry) { entries.push_back(entry); });
    // Newest first, as the window sorts its list; equal captions stay in the order found.
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return krv::CompareDateCaptions(a.dateCaption, b.dateCaption) < 0;
    });
    for (const auto& entry : entries) {
        PrintLine(entry.dateCaption + "\t" + entry.title + "\t" + entry.fileName);
    }
    return 0;
}

}  // namespace krvmsg
