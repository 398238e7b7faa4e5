#include "formats/FolderListing.h"

#include "core/Text.h"
#include "platform/OutputFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace tamvek::formats {
namespace fs = std::filesystem;
namespace {

using text::lowerAscii;

bool endsWithTxt(const std::string& name) {
    constexpr std::string_view ending = ".txt";
    if (name.size() <= ending.size()) return false;
    const std::string_view tail = std::string_view(name).substr(name.size() - ending.size());
    return std::equal(tail.begin(), tail.end(), ending.begin(),
                      [](char a, char b) { return lowerAscii(a) == b; });
}

// Case-insensitive order, with the exact bytes breaking ties so it is total.
bool byName(const std::string& a, const std::string& b) {
    const auto less = [](char x, char y) { return lowerAscii(x) < lowerAscii(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), less)) return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), less)) return false;
    return a < b;
}

bool hidden(const std::string& name) {
    return name.empty() || name.front() == '.';
}

// Calls `visit` for every entry of `folder`; stops quietly at the first error.
template <typename Visit>
void eachEntry(const std::string& folder, Visit visit) {
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec))
        visit(*it);
}

}  // namespace

bool canList(const std::string& path) {
    return !path.empty() && !listingFailure(path);
}

std::optional<std::string> listingFailure(const std::string& path) {
    std::error_code ec;
    fs::directory_iterator it(path, ec);
    if (!ec) return std::nullopt;
    return platform::failureReason(ec.value());
}

std::vector<std::string> folderEntries(const std::string& path) {
    std::vector<std::string> entries;
    if (path.empty()) return entries;
    fs::path chain;
    for (const fs::path& part : fs::path(path)) {
        if (part.empty()) continue;  // the empty name after a trailing separator
        chain /= part;
        entries.push_back(chain.string());
    }
    std::vector<std::string> subFolders;
    eachEntry(path, [&](const fs::directory_entry& e) {
        std::error_code ec;
        const std::string name = e.path().filename().string();
        if (!hidden(name) && e.is_directory(ec)) subFolders.push_back(filePath(path, name));
    });
    std::sort(subFolders.begin(), subFolders.end(), byName);
    entries.insert(entries.end(), subFolders.begin(), subFolders.end());
    return entries;
}

std::vector<std::string> textFiles(const std::string& path) {
    std::vector<std::string> files;
    if (path.empty()) return files;
    eachEntry(path, [&](const fs::directory_entry& e) {
        std::error_code ec;
        const std::string name = e.path().filename().string();
        if (!hidden(name) && endsWithTxt(name) && !e.is_directory(ec)) files.push_back(name);
    });
    std::sort(files.begin(), files.end(), byName);
    return files;
}

std::string filePath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string driveOf(const std::vector<std::string>& drives, const std::string& path) {
    std::string best;
    for (const std::string& drive : drives) {
        if (drive.empty() || (!best.empty() && drive.size() <= best.size())) continue;
        const bool holds = path == drive || (path.starts_with(drive) &&
                                             (drive.back() == '/' || path[drive.size()] == '/'));
        if (holds) best = drive;
    }
    return best;
}

std::string tidyFolder(const std::string& path, const std::string& base) {
    fs::path p(path);
    if (p.is_relative()) p = fs::path(base) / p;
    std::string tidy = p.lexically_normal().string();
    while (tidy.size() > 1 && tidy.back() == '/')
        tidy.pop_back();
    return tidy;
}

}  // namespace tamvek::formats
