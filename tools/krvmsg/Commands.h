// The subcommands of krvmsg. Each takes the arguments after its own name, prints to standard
// output (UTF-8) and returns the exit status; it raises UsageError for wrong arguments and lets
// the store's errors through, which main reports as "krvmsg: <message>" with status 1.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace krvmsg {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Arguments = std::vector<std::string>;

int RunPack(const Arguments& args);
int RunShow(const Arguments& args);
int RunExtract(const Arguments& args);
int RunList(const Arguments& args);

}  // namespace krvmsg
