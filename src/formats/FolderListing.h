#pragma once
// What the import panel's lists show of the disk: folders, "*.txt" files and
// the drive (mount point) a folder lies on. Every function reports trouble as an
// empty or false result; none throws.
//
// Names starting with "." are hidden, as the desktop hides them. The file
// pattern "*.txt" matches the ending case-insensitively, so "SPINS.TXT" copied
// from another machine is offered as well.

#include <optional>
#include <string>
#include <vector>

namespace tamvek::formats {

// Whether `path` names a folder whose entries can be read.
bool canList(const std::string& path);
// Why the entries of `path` cannot be read, in German ("keine Berechtigung"),
// or none when they can.
std::optional<std::string> listingFailure(const std::string& path);

// The folder list's entries for `path`, all full paths: the ancestors from the
// root down to the folder itself, then its sub-folders sorted by name.
std::vector<std::string> folderEntries(const std::string& path);

// Names (not paths) of the files in `path` that end in ".txt", sorted by name.
std::vector<std::string> textFiles(const std::string& path);

// `folder` + "/" + `name`; a folder that already ends in "/" (the root) gets
// no second separator.
std::string filePath(const std::string& folder, const std::string& name);

// The drive of `drives` that holds `path`: the longest one that is a leading
// folder of it; empty if none is.
std::string driveOf(const std::vector<std::string>& drives, const std::string& path);

// `path` made absolute (against `base` when relative) and tidied: no "." or
// ".." parts and no trailing separator except for the root.
std::string tidyFolder(const std::string& path, const std::string& base);

}  // namespace tamvek::formats
