// The system matches file names without regard to letter case by itself.
#include "compat/path_case.h"

namespace compat {

std::string FindPathIgnoringCase(const std::string& path) { return path; }

}  // namespace compat
