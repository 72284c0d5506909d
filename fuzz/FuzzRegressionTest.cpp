// Every input kept in regressions/ goes through the reader in both modes: it must either read or
// raise the store's error, and never crash or read outside the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "message_store/ProcessMsg.h"
#include "platform/Platform.h"
#include "tests/message_store/ScratchTempDir.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> RegressionInputs() {
    std::vector<fs::path> inputs;
    for (const fs::directory_entry& entry : fs::directory_iterator(REGRESSION_DIR)) {
        inputs.push_back(entry.path());
    }
    return inputs;
}

TEST(FuzzRegressions, EachInputReadsOrRaisesStoreError) {
    const std::vector<fs::path> inputs = RegressionInputs();
    ASSERT_FALSE(inputs.empty()) << "no inputs in " << REGRESSION_DIR;
    for (const fs::path& input : inputs) {
        for (const bool titleMode : {true, false}) {
            krv::test::ScratchTempDir scratch;
            std::ifstream in(input, std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            const std::string message = scratch.StorePath() + "input.msg";
            platform::WriteWholeFile(message, bytes);
            std::vector<std::string> pictures;
            std::string link;
            std::string title;
            try {
                krv::LoadMessage(message, &pictures, link, nullptr, titleMode, title);
            } catch (const platform::Error& error) {
                EXPECT_STREQ(error.what(), "Stream read error") << input.filename();
            }
        }
    }
}

}  // namespace
