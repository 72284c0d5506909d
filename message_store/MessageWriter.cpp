#include "message_store/MessageWriter.h"

#include <cstdint>
#include <limits>

#include "message_store/MessageRecords.h"
#include "platform/Platform.h"

namespace krv {
namespace {

void AppendRecord(std::string& content, const std::string& record) {
    if (record.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw platform::Error("Record too long for a message file");
    }
    auto length = static_cast<std::uint32_t>(record.size());
    for (int i = 0; i < 4; ++i) {
        content += static_cast<char>(length & 0xFF);
        length >>= 8;
    }
    content += record;
}

}  // namespace

std::string ComposeMessage(const MessageParts& parts) {
    std::string content;
    AppendRecord(content, parts.link);
    AppendRecord(content, parts.page);
    for (const std::string& picture : parts.pictures) {
        AppendRecord(content, picture);
    }
    return content;
}

std::string PackMessage(const MessageParts& parts) {
    std::string bytes = ComposeMessage(parts);
    MessageKey key;
    BuildMessageKey(key);
    ScrambleContent(key, bytes);
    return bytes;
}

}  // namespace krv
