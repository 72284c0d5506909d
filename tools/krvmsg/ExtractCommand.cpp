// krvmsg extract FILE DIR
#include <iostream>

#include "message_store/ProcessMsg.h"
#include "tools/krvmsg/Commands.h"
#include "tools/krvmsg/Output.h"

namespace krvmsg {

int RunExtract(const Arguments& args) {
    if (args.size() != 2) {
        throw UsageError("extract needs a message file and a folder");
    }
    const std::string& folder = args[1];
    RequireMessageFile(args[0]);
    std::vector<std::string> pictureFiles;
    std::string link;
    krv::ExtractPageSet(args[0], folder, pictureFiles, link);

    // The folder is printed as it was typed: it is the system's spelling, not GBK text.
    for (std::size_t n = 1; n <= pictureFiles.size(); ++n) {
        std::cout << JoinPath(folder, krv::PictureFileName(static_cast<int>(n))) << '\n';
    }
    std::cout << JoinPath(folder, krv::kBackgroundFileName) << '\n'
              << JoinPath(folder, krv::kPageFileName) << '\n';
    return 0;
}

}  // namespace krvmsg
