#include "message_store/MessageWriter.h"

#include <gtest/gtest.h>

#include <string>

namespace krv {
namespace {

TEST(MessageWriter, ComposesLengthPrefixedRecordsInOrder) {
    const MessageParts parts{"ab", "<p>", {"", std::string("\0\xFF", 2)}};
    const std::string expected = std::string("\x02\x00\x00\x00", 4) + "ab" +
                                 std::string("\x03\x00\x00\x00", 4) + "<p>" + std::string(4, '\0') +
                                 std::string("\x02\x00\x00\x00", 4) + std::string("\0\xFF", 2);
    EXPECT_EQ(ComposeMessage(parts), expected);
}

TEST(MessageWriter, LengthIsLittleEndian) {
    const std::string content = ComposeMessage({std::string(0x0102, 'x'), "", {}});
    EXPECT_EQ(content.substr(0, 4), std::string("\x02\x01\x00\x00", 4));
}

TEST(MessageWriter, PackScramblesTheWholeFileWithTheMessageKey) {
    const std::uint8_t key[] = {0x5A, 0xC3, 0x17, 0x9E, 0x44, 0xB8, 0x02,
                                0x6D, 0xF1, 0x39, 0x8A, 0xE5, 0x70};
    const MessageParts parts{"http://example.com/", "<title>t</title>", {"jpeg"}};
    const std::string content = ComposeMessage(parts);
    const std::string packed = PackMessage(parts);
    ASSERT_EQ(packed.size(), content.size());
    for (std::size_t i = 0; i < packed.size(); ++i) {
        EXPECT_EQ(static_cast<std::uint8_t>(packed[i]),
                  static_cast<std::uint8_t>(content[i]) ^ key[i % 13])
            << "byte " << i;
    }
}

}  // namespace
}  // namespace krv
