#include "message_store/MessageRecords.h"

#include <algorithm>
#include <limits>

#include "message_store/EncryptLib.h"
#include "platform/Platform.h"

namespace krv {

void BuildMessageKey(MessageKey& key) {
    key[0] = 0x5A;
    key[1] = 0xC3;
    key[2] = 0x17;
    key[3] = 0x9E;
    key[4] = 0x44;
    key[5] = 0xB8;
    key[6] = 0x02;
    key[7] = 0x6D;
    key[8] = 0xF1;
    key[9] = 0x39;
    key[10] = 0x8A;
    key[11] = 0xE5;
    key[12] = 0x70;
}

void ScrambleContent(std::span<const std::uint8_t, kMessageKeyLength> key, std::string& bytes) {
    // XorScramble counts in 32 bits and restarts its key on every call, so a larger file goes
    // in pieces whose lengths are whole multiples of the key.
    constexpr std::size_t kPiece =
        std::numeric_limits<std::int32_t>::max() / kMessageKeyLength * kMessageKeyLength;
    auto* data = reinterpret_cast<std::uint8_t*>(bytes.data());
    for (std::size_t done = 0; done < bytes.size();) {
        const std::size_t piece = std::min(kPiece, bytes.size() - done);
        XorScramble(key, data + done, static_cast<std::int32_t>(piece));
        done += piece;
    }
}

std::int32_t RecordReader::ReadLength() {
    if (rest_.empty()) {
        return 0;
    }
    if (rest_.size() < 4) {
        throw platform::Error("Stream read error");
    }
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(rest_[static_cast<std::size_t>(i)]);
    }
    rest_.remove_prefix(4);
    return static_cast<std::int32_t>(value);
}

std::string_view RecordReader::ReadRecord() {
    const std::int32_t length = ReadLength();
    if (length < 0 || rest_.size() < static_cast<std::size_t>(length)) {
        throw platform::Error("Stream read error");
    }
    const std::string_view record = rest_.substr(0, static_cast<std::size_t>(length));
    rest_.remove_prefix(record.size());
    return record;
}

}  // namespace krv
