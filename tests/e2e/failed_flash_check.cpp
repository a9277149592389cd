// Linked into a build of the launcher for the Flash update's end-to-end run: as long as the
// launcher's own start-up does not record its Flash check, this build starts as if the check had
// found no usable control. A start-up that runs the check records its real result over this one.
#include "flash/flash_check_result.h"

namespace {

const bool g_checkFailed = (RecordFlashCheckResult(0), true);

}  // namespace
