#include "platform/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace tamvek::platform {
namespace {

// The temporary files not yet finished, for a signal handler to remove. A slot
// holds a path that lives as long as its OutputFile; it is emptied before the
// path goes away.
constexpr int unfinishedSlots = 64;
std::array<std::atomic<const char*>, unfinishedSlots> unfinished{};

int noteUnfinished(const char* path) {
    for (int i = 0; i < unfinishedSlots; ++i) {
        const char* empty = nullptr;
        if (unfinished[static_cast<std::size_t>(i)].compare_exchange_strong(empty, path)) return i;
    }
    return -1;  // more than that many at once: such a file is then only removed normally
}

void forgetUnfinished(int slot) {
    if (slot >= 0) unfinished[static_cast<std::size_t>(slot)].store(nullptr);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a link leads to, so that writing through a link replaces its target
// and keeps the link.
std::string resolved(const std::string& path) {
    char buffer[PATH_MAX];
    if (::realpath(path.c_str(), buffer) != nullptr) return buffer;
    return path;
}

// A new empty file beside `target`, readable as a new file would be.
int openTemporary(const std::string& target, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    const std::string stem =
        folderOf(target) + "/." + nameOf(target) + ".tamvek-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = stem + std::to_string(counter++);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

Error withReason(const std::string& path, int code) {
    return Error{path + ": kann nicht geschrieben werden: " + failureReason(code)};
}

}  // namespace

std::string failureReason(int errorNumber) {
    switch (errorNumber) {
        case ENOSPC:
            return "der Datenträger ist voll";
        case EDQUOT:
            return "der zugeteilte Speicherplatz ist aufgebraucht";
        case EFBIG:
            return "die Datei wird zu groß";
        case EACCES:
        case EPERM:
            return "keine Berechtigung";
        case EROFS:
            return "der Datenträger ist schreibgeschützt";
        case ENOENT:
        case ENOTDIR:
            return "den Ordner gibt es nicht";
        case EISDIR:
            return "ist ein Ordner";
        case ENAMETOOLONG:
            return "der Name ist zu lang";
        case EIO:
            return "Ein- oder Ausgabefehler des Datenträgers";
        default: {
            const char* name = ::strerrorname_np(errorNumber);
            return std::string("Systemfehler ") +
                   (name != nullptr ? name : std::to_string(errorNumber));
        }
    }
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool plainFileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void removeUnfinishedFiles() noexcept {
    for (std::atomic<const char*>& slot : unfinished) {
        const char* path = slot.exchange(nullptr);
        if (path != nullptr) ::unlink(path);
    }
}

struct OutputFile::State {
    std::string path;       // as given, for messages
    std::string target;     // what is renamed over: the file a link leads to
    std::string temporary;  // beside the target
    int fd = -1;
    int slot = -1;          // in the list of unfinished files
    bool prepared = false;  // written out and synced, closed: only the rename is left
    std::string buffer;
    std::optional<Error> error;

    Error fail(int code) {
        if (!error) error = withReason(path, code);
        return *error;
    }

    std::optional<Error> flush() {
        std::size_t done = 0;
        while (done < buffer.size()) {
            const ssize_t n = ::write(fd, buffer.data() + done, buffer.size() - done);
            if (n < 0) {
                if (errno == EINTR) continue;
                return fail(errno);
            }
            done += static_cast<std::size_t>(n);
        }
        buffer.clear();
        return std::nullopt;
    }

    // Nothing of the file stays behind.
    void drop() {
        forgetUnfinished(slot);
        slot = -1;
        if (fd >= 0) ::close(std::exchange(fd, -1));
        if (!temporary.empty()) ::unlink(temporary.c_str());
        temporary.clear();
    }
};

Result<OutputFile> OutputFile::create(const std::string& path, Overwrite overwrite) {
    if (path.empty()) return Error{"Eine Datei ohne Namen kann nicht geschrieben werden."};
    struct stat info {};
    mode_t mode = 0;
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return Error{path + ": ist ein Ordner"};
        if (!S_ISREG(info.st_mode)) return Error{path + ": ist keine gewöhnliche Datei"};
        if (overwrite == Overwrite::No) return Error{path + ": gibt es schon"};
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return withReason(path, errno);
    }
    auto state = std::make_unique<State>();
    state->path = path;
    state->target = mode != 0 ? resolved(path) : path;
    state->fd = openTemporary(state->target, state->temporary);
    if (state->fd < 0) {
        const int code = errno;
        state->temporary.clear();
        return withReason(path, code);
    }
    // The new file keeps the permissions of the one it replaces.
    if (mode != 0) (void)::fchmod(state->fd, mode);
    state->slot = noteUnfinished(state->temporary.c_str());
    return OutputFile(std::move(state));
}

OutputFile::OutputFile(std::unique_ptr<State> state) : m_state(std::move(state)) {}

OutputFile::OutputFile(OutputFile&& other) noexcept = default;

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        discard();
        m_state = std::move(other.m_state);
    }
    return *this;
}

OutputFile::~OutputFile() {
    discard();
}

const std::string& OutputFile::path() const {
    return m_state->path;
}

void OutputFile::discard() {
    if (m_state) m_state->drop();
}

std::optional<Error> OutputFile::write(std::string_view bytes) {
    State& s = *m_state;
    if (s.error) return s.error;
    if (s.fd < 0 || s.prepared) return Error{s.path + ": ist schon geschrieben"};
    s.buffer.append(bytes);
    if (s.buffer.size() >= (std::size_t{1} << 16)) return s.flush();
    return std::nullopt;
}

std::optional<Error> OutputFile::prepare() {
    State& s = *m_state;
    if (s.prepared) return std::nullopt;
    if (s.fd < 0) return s.error ? s.error : Error{s.path + ": ist schon geschrieben"};
    if (!s.error) s.flush();
    if (!s.error && ::fsync(s.fd) != 0) s.fail(errno);
    if (!s.error && ::close(std::exchange(s.fd, -1)) != 0) s.fail(errno);
    if (s.error) {
        s.drop();
        return s.error;
    }
    s.prepared = true;
    return std::nullopt;
}

std::optional<Error> OutputFile::commit() {
    State& s = *m_state;
    if (!s.prepared) {
        if (std::optional<Error> error = prepare()) return error;
    }
    if (s.temporary.empty()) return Error{s.path + ": ist schon geschrieben"};
    if (::rename(s.temporary.c_str(), s.target.c_str()) != 0) {
        s.fail(errno);
        s.drop();
        return s.error;
    }
    forgetUnfinished(s.slot);
    s.slot = -1;
    s.temporary.clear();
    return std::nullopt;
}

}  // namespace tamvek::platform
