#include "message_store/EncryptLib.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace krv {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kKey = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80, 0x03, 0x05, 0x09, 0x11, 0x21};

struct ScrambleCase {
    const char* name;
    friend void PrintTo(const ScrambleCase& c, std::ostream* os) { *os << c.name; }
    Bytes buffer;
    std::int32_t count;
    Bytes expected;
};

class EncryptLibScramble : public ::testing::TestWithParam<ScrambleCase> {};

TEST_P(EncryptLibScramble, CombinesByteIWithKeyByteIModK) {
    Bytes buffer = GetParam().buffer;
    XorScramble(kKey, buffer.data(), GetParam().count);
    EXPECT_EQ(buffer, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    EncryptLib, EncryptLibScramble,
    ::testing::Values(ScrambleCase{"ZeroCount", {0xAA, 0xBB}, 0, {0xAA, 0xBB}},
                      ScrambleCase{"NegativeCount", {0xAA, 0xBB}, -5, {0xAA, 0xBB}},
                      ScrambleCase{
                          "CountShorterThanBuffer", {0xFF, 0xFF, 0xFF}, 2, {0xFE, 0xFD, 0xFF}},
                      // the fourteenth byte meets key byte 0 again
                      ScrambleCase{"KeyWrapsAfterThirteen",
                                   Bytes(14, 0x00),
                                   14,
                                   {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80, 0x03, 0x05,
                                    0x09, 0x11, 0x21, 0x01}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EncryptLib, SecondCallRestoresBuffer) {
    const Bytes original = {'m', 'e', 's', 's', 'a', 'g', 'e', ' ', 'f', 'i',
                            'l', 'e', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't'};
    Bytes buffer = original;
    XorScramble(kKey, buffer.data(), static_cast<std::int32_t>(buffer.size()));
    EXPECT_NE(buffer, original);
    XorScramble(kKey, buffer.data(), static_cast<std::int32_t>(buffer.size()));
    EXPECT_EQ(buffer, original);
}

TEST(EncryptLib, KeyRestartsOnEveryCall) {
    Bytes buffer(4, 0x00);
    XorScramble(kKey, buffer.data(), 2);
    XorScramble(kKey, buffer.data() + 2, 2);
    EXPECT_EQ(buffer, (Bytes{0x01, 0x02, 0x01, 0x02}));
}

TEST(EncryptLib, OneByteKeyCombinesEveryByte) {
    const std::array<std::uint8_t, 1> key = {0x5A};
    Bytes buffer = {0x00, 0x5A, 0xFF};
    XorScramble(key, buffer.data(), 3);
    EXPECT_EQ(buffer, (Bytes{0x5A, 0x00, 0xA5}));
}

}  // namespace
}  // namespace krv
