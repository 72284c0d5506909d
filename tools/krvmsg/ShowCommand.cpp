// krvmsg show FILE
#include "message_store/MessageRecords.h"
#include "message_store/ProcessMsg.h"
#include "platform/Platform.h"
#include "tools/krvmsg/Commands.h"
#include "tools/krvmsg/Output.h"

namespace krvmsg {

int RunShow(const Arguments& args) {
    if (args.size() != 1) {
        throw UsageError("show needs exactly one message file");
    }
    RequireMessageFile(args[0]);
    std::string content = platform::ReadWholeFile(args[0]);
    krv::MessageKey key;
    krv::BuildMessageKey(key);
    krv::ScrambleContent(key, content);

    krv::RecordReader reader(content);
    const std::string_view link = reader.ReadRecord();
    const std::string_view page = reader.ReadRecord();
    std::vector<std::size_t> pictureSizes;
    while (!reader.AtEnd()) {
        pictureSizes.push_back(reader.ReadRecord().size());
    }

    PrintLine("link: " + std::string(link));
    PrintLine("title: " + krv::FindTitle(page));
    PrintLine("page: " + std::to_string(page.size()) + " bytes");
    PrintLine("pictures: " + std::to_string(pictureSizes.size()));
    for (std::size_t i = 0; i < pictureSizes.size(); ++i) {
        PrintLine("picture " + std::to_string(i + 1) + ": " + std::to_string(pictureSizes[i]) +
                  " bytes");
    }
    return 0;
}

}  // namespace krvmsg
