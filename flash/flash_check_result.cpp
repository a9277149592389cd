#include "flash/flash_check_result.h"

namespace {

// Written once before the first window exists and read on the same thread afterwards.
int g_lastFlashCheckResult = -1;

}  // namespace

int LastFlashCheckResult() { return g_lastFlashCheckResult; }

void RecordFlashCheckResult(int result) { g_lastFlashCheckResult = result; }
