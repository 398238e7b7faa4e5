#include "platform/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace tamvek::platform {
namespace {

Error systemError(int code) {
    switch (code) {
        case ENOENT:
        case ENOTDIR:
            return {"gibt es nicht"};
        case EACCES:
        case EPERM:
            return {"darf nicht gelesen werden"};
        case EISDIR:
            return {"ist ein Ordner"};
        default:
            return {std::string("kann nicht gelesen werden (") + std::strerror(code) + ")"};
    }
}

}  // namespace

Result<InputFile> InputFile::open(const std::string& path) {
    if (path.empty()) return Error{"hat keinen Namen"};
    // O_NONBLOCK: opening a pipe nobody writes to returns at once instead of
    // waiting for a writer; the check below then turns it away.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return systemError(errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int code = errno;
        ::close(fd);
        return systemError(code);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return Error{S_ISDIR(info.st_mode) ? "ist ein Ordner" : "ist keine gewöhnliche Datei"};
    }
    return InputFile(fd, static_cast<std::uint64_t>(info.st_size));
}

InputFile::InputFile(InputFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_size(other.m_size) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_size = other.m_size;
    }
    return *this;
}

InputFile::~InputFile() {
    if (m_fd >= 0) ::close(m_fd);
}

Result<std::size_t> InputFile::read(char* buffer, std::size_t n) {
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, n);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) return systemError(errno);
    }
}

Result<std::string> readWholeFile(const std::string& path, std::size_t limit) {
    Result<InputFile> file = InputFile::open(path);
    if (!file) return file.error();
    std::string bytes;
    // The size is only a hint: never reserve more than the limit allows.
    if (file->size() <= limit) bytes.reserve(static_cast<std::size_t>(file->size()));
    char chunk[1 << 16];
    for (;;) {
        const Result<std::size_t> got = file->read(chunk, sizeof chunk);
        if (!got) return got.error();
        if (*got == 0) return bytes;
        if (bytes.size() + *got > limit)
            return Error{"ist zu groß (mehr als " + std::to_string(limit >> 20) + " MB)"};
        bytes.append(chunk, *got);
    }
}

}  // namespace tamvek::platform
