// Where the system puts the launcher's dialog template before the launcher changes anything.
#pragma once
#include <windows.h>

namespace e2e {

// The window rectangle of a dialog made here from a template like the launcher's: 549 × 376
// dialog units in "宋体" 9 point, centred by the system.
RECT CentredTemplateRect();

}  // namespace e2e
