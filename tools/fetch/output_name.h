// The file name fetch gives a download when it is not told one.
#pragma once

#include <string>

// The last part of a URL's path (`urlPath`, everything after the host and port, query included)
// as a plain file name for the current folder: the query and fragment dropped first, so a "/" in
// them names nothing, then nothing before the last "/" or "\" kept (either is a folder separator
// on Windows). Empty when no name can be made from it safely: nothing left, "." or "..",
// characters Windows refuses in file names, a trailing dot or blank (which Windows drops, writing
// another name), or a device name such as NUL, COM1 or CONOUT$.
std::string OutputNameFor(const std::string& urlPath);
