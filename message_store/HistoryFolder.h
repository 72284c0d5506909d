// The history folder: where message files live, how their names are read, how a category's
// messages are found and how one is deleted. Every text is GBK and every path a Windows path.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace krv {

// The folder of message files: appDir (with its trailing backslash) + "history\".
std::string HistoryDir(const std::string& appDir);

// Full path of the message file with the given bare name.
std::string MessagePath(const std::string& historyDir, const std::string& bareName);

// The list's date caption, "<year>年<month>月<day>日 <hour>:<minute>:<second>", read from the
// name "<category>=<three bytes><yyyyMMddhhmmss><anything>.msg". Nothing is validated: each
// field takes whatever bytes stand at its place, and fields past the end are empty.
std::string MessageDateCaption(std::string_view bareName);

// Deletes the message file; true when it is gone afterwards (already missing counts as gone).
bool DeleteMessageFile(const std::string& historyDir, const std::string& bareName);

// Orders two date captions newest first: negative when first goes before second. The result is
// second's byte minus first's at the first difference (unsigned bytes), otherwise second's
// length minus first's.
int CompareDateCaptions(std::string_view first, std::string_view second);

struct HistoryEntry {
    std::string fileName;  // bare name
    std::string dateCaption;
    std::string title;  // empty when the entry cannot be read as a message file
};

// Hands over the messages of one category ("<categoryNumber>=*.msg", letter case ignored) in
// the order of the folder search, each once the previous one's handler has returned. A matching
// folder, or a file gone since the search found it, comes with an empty title. An error while a
// message is read ends the listing and reaches the caller; entries handed over stay handed over.
// A missing history folder lists nothing.
void ListCategoryMessages(const std::string& historyDir, const std::string& categoryNumber,
                          const std::function<void(const HistoryEntry&)>& onEntry);

}  // namespace krv
