#include "ui/Dpi.h"

#include <gtest/gtest.h>

namespace {

struct ScaleCase {
    int value;
    int dpi;
    int expected;
};

class DpiScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(DpiScale, RoundsToTheNearestPixel) {
    const ScaleCase& c = GetParam();
    EXPECT_EQ(ui::ScaleForDpi(c.value, c.dpi), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Dpi, DpiScale,
                         ::testing::Values(ScaleCase{688, 96, 688}, ScaleCase{103, 96, 103},
                                           ScaleCase{12, 120, 15},
                                           ScaleCase{185, 120, 231},  // 231.25
                                           ScaleCase{103, 144, 155},  // 154.5 rounds up
                                           ScaleCase{-7, 120, -9},    // -8.75
                                           ScaleCase{0, 192, 0}, ScaleCase{21, 192, 42}));

}  // namespace
