// krvmsg: packs, shows, extracts and lists message files from the command line.
#include <exception>
#include <iostream>
#include <string_view>

#include "platform/Platform.h"
#include "tools/krvmsg/Commands.h"

namespace {

constexpr std::string_view kUsage =
    "usage: krvmsg pack -o FILE --link LINK --page PAGE [PICTURE...]\n"
    "       krvmsg show FILE\n"
    "       krvmsg extract FILE DIR\n"
    "       krvmsg list HISTORY_DIR CATEGORY\n";

struct Command {
    std::string_view name;
    int (*run)(const krvmsg::Arguments&);
};

constexpr Command kCommands[] = {{"pack", krvmsg::RunPack},
                                 {"show", krvmsg::RunShow},
                                 {"extract", krvmsg::RunExtract},
                                 {"list", krvmsg::RunList}};

int Dispatch(const krvmsg::Arguments& args) {
    if (args.empty()) {
        throw krvmsg::UsageError("no command given");
    }
    for (const Command& command : kCommands) {
        if (args[0] == command.name) {
            return command.run(krvmsg::Arguments(args.begin() + 1, args.end()));
        }
    }
    throw krvmsg::UsageError("unknown command " + args[0]);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Dispatch(krvmsg::Arguments(argv + 1, argv + argc));
    } catch (const krvmsg::UsageError& error) {
        std::cerr << "krvmsg: " << error.what() << '\n' << kUsage;
        return 2;
    } catch (const platform::Error& error) {
        std::cerr << "krvmsg: " << platform::GbkToUtf8(error.what()) << '\n';
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "krvmsg: " << error.what() << '\n';
        return 1;
    }
}
