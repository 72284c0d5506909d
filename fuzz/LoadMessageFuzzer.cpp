// Feeds arbitrary message files to the reader in both modes. The reader may refuse a file with
// the store's error; anything else (a crash, a read outside the file, another exception) is a
// finding. Inputs that ever failed go to regressions/.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "message_store/ProcessMsg.h"
#include "platform/Platform.h"

namespace {

std::string g_folder;
std::string g_messagePath;

void RemoveFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(g_folder, ignored);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string folder = (std::filesystem::temp_directory_path() / "krv-fuzz-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
        std::abort();
    }
    g_folder = folder;
    std::atexit(RemoveFolder);
    setenv("TMPDIR", g_folder.c_str(), 1);
    g_messagePath = g_folder + "\\input.msg";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::WriteWholeFile(g_messagePath,
                             std::span<const char>(reinterpret_cast<const char*>(data), size));
    for (const bool titleMode : {true, false}) {
        std::vector<std::string> pictures;
        std::string link;
        std::string title;
        try {
            krv::LoadMessage(g_messagePath, &pictures, link, nullptr, titleMode, title);
        } catch (const platform::Error&) {
        }
    }
    return 0;
}
