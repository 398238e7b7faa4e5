#include "platform/HeadlessPlatform.h"

#include <filesystem>
#include <system_error>

namespace tamvek::platform {
namespace {

std::string folderOf(const std::string& argv0) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) {
        if (argv0.empty()) return fs::current_path(ec).string();
        exe = fs::absolute(fs::path(argv0), ec);
        if (ec) exe = fs::path(argv0);
    }
    std::string folder = exe.lexically_normal().parent_path().string();
    // The root stays "/"; any other folder loses its trailing separator.
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

}  // namespace

HeadlessPlatform::HeadlessPlatform(std::string argv0) : m_folder(folderOf(argv0)) {}

Answer HeadlessPlatform::ask(std::string_view, std::string_view, Buttons) {
    return Answer::No;
}

std::string HeadlessPlatform::shortDate() const {
    return m_today ? *m_today : Platform::shortDate();
}

}  // namespace tamvek::platform
