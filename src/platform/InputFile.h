#pragma once
// The one way the program reads a file. A file is opened once, by name, without
// ever waiting: the descriptor is opened non-blocking and checked to be a plain
// file before a byte is read, and every later read goes to that same
// descriptor. So a name that is swapped for a pipe, a device or a folder while
// the user looks at it can neither hang the program nor feed it something else.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/Result.h"

namespace tamvek::platform {

class InputFile {
  public:
    // Why a file cannot be read is said in German, for the user: "gibt es nicht",
    // "ist keine gewöhnliche Datei", ...; the caller names the file.
    static Result<InputFile> open(const std::string& path);

    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // Up to `n` bytes into `buffer`; 0 at the end of the file.
    Result<std::size_t> read(char* buffer, std::size_t n);
    // The size the file had when it was opened. A file may grow while it is
    // read, so readers count what they get instead of trusting this.
    std::uint64_t size() const { return m_size; }

  private:
    explicit InputFile(int fd, std::uint64_t size) : m_fd(fd), m_size(size) {}
    int m_fd = -1;
    std::uint64_t m_size = 0;
};

// Files the program reads whole (the info text, scripts, system files) are
// small; anything larger than this is not one of them.
inline constexpr std::size_t wholeFileLimit = 64u << 20;  // 64 MiB

// The whole content of a file of at most `limit` bytes.
Result<std::string> readWholeFile(const std::string& path, std::size_t limit = wholeFileLimit);

}  // namespace tamvek::platform
