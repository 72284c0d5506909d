// Runs the built krvmsg as a process, its output caught in files of a scratch folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace krvmsg_test {

struct Result {
    int status;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::filesystem::path& path);

// Runs krvmsg with args; standard output and error go through files in scratch.
Result RunKrvmsg(const std::vector<std::string>& args, const std::filesystem::path& scratch);

}  // namespace krvmsg_test
