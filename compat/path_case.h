// File names as the Windows file system matches them: without regard to letter case, with "\" and
// "/" both separating folders.
#pragma once

#include <string>

namespace compat {

// The existing file or folder that `path` names when letter case is ignored: each part of the
// path is taken as written when it exists, otherwise as the first entry of its folder whose name
// equals it in ASCII letters of either case. When nothing matches, the result names no existing
// file. A relative path is looked up from the current directory.
std::string FindPathIgnoringCase(const std::string& path);

}  // namespace compat
