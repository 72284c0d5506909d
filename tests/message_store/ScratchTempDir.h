// A fresh, empty folder that stands in for the system's temporary directory while it lives: the
// variables the system reads its temporary path from point there, and everything in it is
// removed at the end.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace krv::test {

class ScratchTempDir {
  public:
    ScratchTempDir();
    ~ScratchTempDir();
    ScratchTempDir(const ScratchTempDir&) = delete;
    ScratchTempDir& operator=(const ScratchTempDir&) = delete;

    // The folder as the system names it (no trailing separator).
    const std::filesystem::path& path() const { return path_; }
    // The folder as a store path with a trailing backslash, as GetTempDir gives it.
    std::string StorePath() const;

    // Points the temporary-path variables at another folder until the scratch folder ends.
    static void SetTempVariables(const std::string& value);

  private:
    std::filesystem::path path_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace krv::test
