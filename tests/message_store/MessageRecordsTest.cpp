#include "message_store/MessageRecords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "tests/message_store/RawRecords.h"

namespace krv {
namespace {

using test::Le32;

struct ReadCase {
    const char* name;
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
    std::string content;
    std::size_t recordsToRead;
    std::vector<std::string> expected;  // the records read before the end or the error
    bool raises;
};

class MessageRecordsRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(MessageRecordsRead, ReadsExactlyTheStatedBytes) {
    const ReadCase& c = GetParam();
    RecordReader reader(c.content);
    std::vector<std::string> records;
    auto readAll = [&] {
        for (std::size_t i = 0; i < c.recordsToRead; ++i) {
            records.emplace_back(reader.ReadRecord());
        }
    };
    if (c.raises) {
        try {
            readAll();
            FAIL() << "no error raised";
        } catch (const platform::Error& error) {
            EXPECT_STREQ(error.what(), "Stream read error");
        }
    } else {
        readAll();
        EXPECT_TRUE(reader.AtEnd());
    }
    EXPECT_EQ(records, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    MessageRecords, MessageRecordsRead,
    ::testing::Values(
        ReadCase{"TwoRecords", Le32(2) + "ab" + Le32(3) + "cde", 2, {"ab", "cde"}, false},
        ReadCase{"ZeroLength", Le32(0) + Le32(1) + "x", 2, {"", "x"}, false},
        ReadCase{"LengthFieldAtEndReadsZero", Le32(2) + "ab", 2, {"ab", ""}, false},
        ReadCase{"EmptyContentReadsZero", "", 2, {"", ""}, false},
        ReadCase{"LengthBeyondEnd", Le32(5) + "abcd", 1, {}, true},
        ReadCase{"NegativeLength", Le32(-1) + "abcd", 1, {}, true},
        ReadCase{"MostNegativeLength", Le32(INT32_MIN) + "abcd", 1, {}, true},
        ReadCase{"LargestLength", Le32(INT32_MAX) + "abcd", 1, {}, true},
        ReadCase{"LengthFieldOneByte", Le32(1) + "a" + "\x01", 2, {"a"}, true},
        ReadCase{"LengthFieldThreeBytes", std::string("\x01\x00\x00", 3), 1, {}, true},
        ReadCase{"SecondRecordBeyondEnd", Le32(1) + "a" + Le32(2) + "b", 2, {"a"}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageRecords, ScrambleUsesTheMessageKeyFromTheFirstByte) {
    const std::uint8_t expectedKey[] = {0x5A, 0xC3, 0x17, 0x9E, 0x44, 0xB8, 0x02,
                                        0x6D, 0xF1, 0x39, 0x8A, 0xE5, 0x70};
    MessageKey key;
    BuildMessageKey(key);
    std::string bytes(30, '\x0F');
    ScrambleContent(key, bytes);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[i]), expectedKey[i % 13] ^ 0x0F) << "byte " << i;
    }
}

}  // namespace
}  // namespace krv
