#include "tests/message_store/ScratchTempDir.h"

#include <chrono>
#include <cstdlib>
#include <random>
#include <stdexcept>

namespace krv::test {
namespace {

// TMP and TEMP decide on Windows, TMPDIR on POSIX.
constexpr const char* kTempVariables[] = {"TMP", "TEMP", "TMPDIR"};

void SetVariable(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
    _putenv_s(name.c_str(), value ? value->c_str() : "");
#else
    if (value) {
        setenv(name.c_str(), value->c_str(), 1);
    } else {
        unsetenv(name.c_str());
    }
#endif
}

}  // namespace

ScratchTempDir::ScratchTempDir() {
    std::mt19937_64 random(
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; path_.empty(); ++attempt) {
        std::filesystem::path candidate = base / ("krv-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
        } else if (attempt > 100) {
            throw std::runtime_error("no scratch folder could be made");
        }
    }
    for (const char* name : kTempVariables) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    }
    SetTempVariables(path_.string());
}

ScratchTempDir::~ScratchTempDir() {
    for (const auto& [name, value] : saved_) {
        SetVariable(name, value);
    }
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchTempDir::StorePath() const {
    std::string path = path_.string();
    if (path.back() != '\\' && path.back() != '/') {
        path += '\\';
    }
    return path;
}

void ScratchTempDir::SetTempVariables(const std::string& value) {
    for (const char* name : kTempVariables) {
        SetVariable(name, value);
    }
}

}  // namespace krv::test
