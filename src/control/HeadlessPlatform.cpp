#include "control/HeadlessPlatform.h"

#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace tamvek::control {

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

form::Answer HeadlessPlatform::ask(std::string_view, std::string_view, form::Buttons) {
    return form::Answer::No;
}

std::optional<std::string> HeadlessPlatform::readTextFile(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return std::move(text).str();
}

std::string HeadlessPlatform::shortDate() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* t = std::localtime(&now)) local = *t;
    char buf[16];
    std::strftime(buf, sizeof buf, "%d.%m.%Y", &local);
    return buf;
}

}  // namespace tamvek::control
