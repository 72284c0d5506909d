#include "message_store/HistoryFolder.h"

#include <algorithm>
#include <iterator>

#include "message_store/ProcessMsg.h"
#include "platform/Platform.h"

namespace krv {
namespace {

// Width of the bytes after "=" that name no date field.
constexpr std::size_t kUnnamedWidth = 3;

// Bytes [from, from + count) of text, as far as text reaches.
std::string_view Field(std::string_view text, std::size_t from, std::size_t count) {
    return from < text.size() ? text.substr(from, count) : std::string_view{};
}

}  // namespace

std::string HistoryDir(const std::string& appDir) {
    return appDir + "history\\";
}

std::string MessagePath(const std::string& historyDir, const std::string& bareName) {
    return historyDir + bareName;
}

std::string MessageDateCaption(std::string_view bareName) {
    // "." and "=" lie below every GBK trail byte, so a byte search cannot split a character.
    std::string_view rest = bareName.substr(0, bareName.rfind('.'));
    const std::size_t equals = rest.find('=');
    const std::size_t skip = (equals == std::string_view::npos ? 0 : equals + 1) + kUnnamedWidth;
    rest = skip < rest.size() ? rest.substr(skip) : std::string_view{};

    std::string caption;
    caption.append(Field(rest, 0, 4));
    caption.append("\xc4\xea");  // 年
    caption.append(Field(rest, 4, 2));
    caption.append("\xd4\xc2");  // 月
    caption.append(Field(rest, 6, 2));
    caption.append("\xc8\xd5");  // 日
    caption.append(" ");
    caption.append(Field(rest, 8, 2));
    caption.append(":");
    caption.append(Field(rest, 10, 2));
    caption.append(":");
    caption.append(Field(rest, 12, 2));
    return caption;
}

bool DeleteMessageFile(const std::string& historyDir, const std::string& bareName) {
    return platform::DeleteFile(MessagePath(historyDir, bareName));
}

int CompareDateCaptions(std::string_view first, std::string_view second) {
    const auto [a, b] = std::mismatch(first.begin(), first.end(), second.begin(), second.end());
    if (a != first.end() && b != second.end()) {
        return static_cast<unsigned char>(*b) - static_cast<unsigned char>(*a);
    }
    return static_cast<int>(std::ssize(second) - std::ssize(first));
}

void ListCategoryMessages(const std::string& historyDir, const std::string& categoryNumber,
                          const std::function<void(const HistoryEntry&)>& onEntry) {
    platform::FindFiles(historyDir + categoryNumber + "=*.msg",
                        [&](const platform::FoundEntry& found) {
                            HistoryEntry entry{found.name, MessageDateCaption(found.name), {}};
                            // The current link belongs to the preview: a listing reads each link
                            // only to drop it.
                            std::string link;
                            LoadMessage(MessagePath(historyDir, found.name), nullptr, link, nullptr,
                                        true, entry.title);
                            onEntry(entry);
                        });
}

}  // namespace krv
