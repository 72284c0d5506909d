// krvmsg pack -o FILE --link LINK --page PAGE [PICTURE...]
#include <optional>

#include "message_store/MessageWriter.h"
#include "platform/Platform.h"
#include "tools/krvmsg/Commands.h"

namespace krvmsg {
namespace {

struct PackOptions {
    std::optional<std::string> output;
    std::optional<std::string> link;  // UTF-8, as typed
    std::optional<std::string> page;
    std::vector<std::string> pictures;
};

PackOptions ParsePackOptions(const Arguments& args) {
    PackOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::optional<std::string>* target = nullptr;
        if (!optionsEnded) {
            if (arg == "-o") {
                target = &options.output;
            } else if (arg == "--link") {
                target = &options.link;
            } else if (arg == "--page") {
                target = &options.page;
            } else if (arg == "--") {
                optionsEnded = true;
                continue;
            } else if (arg.size() > 1 && arg[0] == '-') {
                throw UsageError("pack: unknown option " + arg);
            }
        }
        if (target == nullptr) {
            options.pictures.push_back(arg);
            continue;
        }
        if (target->has_value()) {
            throw UsageError("pack: " + arg + " given twice");
        }
        if (i + 1 == args.size()) {
            throw UsageError("pack: " + arg + " needs a value");
        }
        *target = args[++i];
    }
    if (!options.output || !options.link || !options.page) {
        throw UsageError("pack needs -o FILE, --link LINK and --page PAGE");
    }
    return options;
}

}  // namespace

int RunPack(const Arguments& args) {
    const PackOptions options = ParsePackOptions(args);
    krv::MessageParts parts;
    parts.link = platform::Utf8ToGbk(*options.link);
    parts.page = platform::ReadWholeFile(*options.page);
    for (const std::string& picture : options.pictures) {
        parts.pictures.push_back(platform::ReadWholeFile(picture));
    }
    platform::WriteWholeFile(*options.output, krv::PackMessage(parts));
    return 0;
}

}  // namespace krvmsg
