#include "tests/krvmsg/ToolProcess.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace krvmsg_test {

namespace {

// Quotes an argument for the shell, single quotes included.
std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (const char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

}  // namespace

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Result RunKrvmsg(const std::vector<std::string>& args, const std::filesystem::path& scratch) {
    std::string command = Quote(KRVMSG_PATH);
    for (const std::string& arg : args) {
        command += " " + Quote(arg);
    }
    const std::filesystem::path out = scratch / "stdout";
    const std::filesystem::path err = scratch / "stderr";
    command += " >" + Quote(out.string()) + " 2>" + Quote(err.string());
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status));
    return {WEXITSTATUS(status), ReadFile(out), ReadFile(err)};
}

}  // namespace krvmsg_test
