// The few file-system questions gamecheck asks, with narrow names in the system's code page.
#pragma once

#include <string>

namespace folder_access {

bool ChangeDirectory(const std::string& path);
// The current directory, or empty when it cannot be told.
std::string CurrentDirectory();
bool IsDirectory(const std::string& path);
// Whether `path` is a file (not a folder); its size goes to `size` when given.
bool IsFile(const std::string& path, long long* size = nullptr);
// Renames `from` to `to`, replacing a file of that name.
bool MoveReplacing(const std::string& from, const std::string& to);

}  // namespace folder_access
