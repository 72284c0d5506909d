// Owns a POSIX file descriptor; move-only, closed on destruction.
#pragma once

#include <unistd.h>

#include <utility>

namespace platform::posix {

class UniqueFd {
  public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    // Closes now so that a failure to close can be reported; -1 and errno set on failure.
    int Close() { return ::close(std::exchange(fd_, -1)); }

  private:
    int fd_;
};

}  // namespace platform::posix
