#include "platform/HeadlessPlatform.h"

#include <filesystem>
#include <system_error>

#include "platform/ProgramFolder.h"

namespace tamvek::platform {
namespace {

std::string binaryFolderOf(const std::string& argv0) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) {
        if (argv0.empty()) return fs::current_path(ec).string();
        exe = fs::absolute(fs::path(argv0), ec);
        if (ec) exe = fs::path(argv0);
    }
    return exe.lexically_normal().parent_path().string();
}

}  // namespace

HeadlessPlatform::HeadlessPlatform(std::string argv0)
    : m_folder(programFolderFor(binaryFolderOf(argv0))) {}

Answer HeadlessPlatform::ask(std::string_view, std::string_view, Buttons) {
    return Answer::No;
}

std::string HeadlessPlatform::shortDate() const {
    return m_today ? *m_today : Platform::shortDate();
}

}  // namespace tamvek::platform
