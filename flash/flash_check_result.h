// What the start-up Flash check found, kept for the rest of the run: the launcher's update flow
// offers its tip only when no usable control is registered.
#pragma once

// -1 while no check has run in this process; otherwise the check's own result (1 when a control
// of version 9 or newer is, or has just been, registered; 0 when not).
int LastFlashCheckResult();
void RecordFlashCheckResult(int result);
